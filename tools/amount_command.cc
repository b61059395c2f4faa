// zelto amount --currency CODE [--keys KEYS] [--locale LOCALE]
#include <stdlib.h>
#include <zelto/currency/amount_format.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>

#include "base/device_locale.h"
#include "base/text.h"
#include "currency/currency_table.h"
#include "currency/iso_country_codes.h"
#include "tools/command.h"

namespace zelto::tool {
namespace {

// `text` without its last user-perceived character.
std::string withoutLastCharacter(const std::string& text) {
  std::size_t count = text::characterCount(text);
  if (count == 0) return text;
  return text.substr(0, text::advanceCharacters(text, count - 1).value_or(0));
}

const CommandRegistrar registrar(
    "amount", "Replay digit-by-digit amount entry and print what the amount field shows",
    [](CLI::App& command) -> std::function<int()> {
      auto currency = std::make_shared<std::string>();
      auto keys = std::make_shared<std::string>();
      auto locale = std::make_shared<std::string>();
      command
          .add_option("--currency", *currency,
                      "Flow currency: a three-digit ISO 4217 numeric code (\"840\") or an\n"
                      "alphabetic code (\"USD\")")
          ->required()
          ->type_name("CODE");
      command
          .add_option("--keys", *keys,
                      "Keys typed in order: digits, and '<' to delete the last character\n"
                      "(\"1234<\")")
          ->type_name("KEYS");
      command
          .add_option("--locale", *locale,
                      "Device locale (\"de_DE\"), instead of LC_ALL, LC_MONETARY or LANG")
          ->type_name("LOCALE");
      command.footer(
          "Prints the field's text after each key (the formatted zero without keys), then the\n"
          "amount as a plain decimal string. Exit status 2 for an unknown currency, key or\n"
          "locale.");
      return [currency, keys, locale, &command]() {
        std::optional<std::string> code = currency::flowCurrencyCode(*currency);
        if (!code) {
          return fail("unknown currency \"" + *currency +
                      "\": give a three-digit numeric code such as 840 or an alphabetic code "
                      "such as USD");
        }
        for (char key : *keys) {
          if (!(key >= '0' && key <= '9') && key != '<') {
            return fail("--keys: '" + std::string(1, key) +
                        "' is not a key; use the digits 0-9 and '<' to delete");
          }
        }
        if (command.count("--locale") > 0) {
          if (!platform::isKnownLocale(*locale)) {
            return fail("--locale: unknown locale \"" + *locale + "\" (try en_US or de_DE)");
          }
          ::setenv("LC_ALL", locale->c_str(), 1);
        }
        std::string shown = currency::currencyForText("", *code).text;
        if (keys->empty()) std::cout << shown << '\n';
        for (char key : *keys) {
          std::string typed = key == '<' ? withoutLastCharacter(shown) : shown + key;
          shown = currency::currencyForText(typed, *code).text;
          std::cout << shown << '\n';
        }
        std::cout << currency::plainDecimalString(shown, *code) << '\n';
        return 0;
      };
    });

}  // namespace
}  // namespace zelto::tool
