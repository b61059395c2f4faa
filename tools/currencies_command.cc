// zelto currencies [--search TEXT] | --use CODE
#include <iostream>

#include "base/debug_console.h"
#include "currency/kit_currency_data.h"
#include "tools/command.h"

namespace zelto::tool {
namespace {

void printSection(std::string_view heading, const KitCurrencyList& records) {
  std::cout << heading << '\n';
  for (const auto& record : records) {
    std::cout << record->currencyId << " - " << record->currencyDescription << '\n';
  }
}

const CommandRegistrar registrar(
    "currencies", "List the currencies a merchant can choose, recently used first",
    [](CLI::App& command) -> std::function<int()> {
      auto search = std::make_shared<std::string>();
      auto use = std::make_shared<std::string>();
      auto* searchOption = command.add_option(
          "--search", *search,
          "Only currencies whose code or name contains TEXT, ignoring case\n(\"dollar\", \"usd\")");
      searchOption->type_name("TEXT");
      command
          .add_option(
              "--use", *use,
              "Record that the merchant chose CODE (numeric \"840\" or alphabetic \"USD\"),\n"
              "as picking it in the currency list does")
          ->excludes(searchOption)
          ->type_name("CODE");
      command.footer(
          "Uses are kept in $XDG_CONFIG_HOME/ZeltoMerchantSDK/user_defaults.json (or ~/.config).\n"
          "A store that cannot be read lists no recent currencies.\n"
          "Exit status: 0; 1 when no currency matches the search; 2 for an unknown code or a use\n"
          "that could not be stored.");
      return [search, use, &command]() {
        if (command.count("--use") > 0) {
          std::shared_ptr<KitCurrencyData> record = findCurrency(*use);
          if (!record) {
            return fail("unknown currency \"" + *use +
                        "\": give a numeric code such as 840 or an alphabetic code such as USD "
                        "(see 'zelto currencies')");
          }
          CurrencyUse outcome = [&] {
            // The reason comes back in `outcome`; the debug console would print it twice.
            platform::ScopedDebugConsoleCapture quiet;
            return KitCurrencyData::shared()->increaseCurrencyCount(record->currencyCode);
          }();
          if (!outcome.recorded) return fail(outcome.error);
          std::cout << "Recorded a use of " << record->currencyId << " - "
                    << record->currencyDescription << '\n';
          return 0;
        }
        auto [recent, others] = KitCurrencyData::shared()->getCurrencies();
        KitCurrencyList recentShown = filterCurrencies(*recent, *search);
        KitCurrencyList othersShown = filterCurrencies(others, *search);
        if (recentShown.empty() && othersShown.empty()) {
          std::cout << "No currency matches \"" << *search << "\".\n";
          return 1;
        }
        printSection("Recently Used", recentShown);
        printSection("Currencies", othersShown);
        return 0;
      };
    });

}  // namespace
}  // namespace zelto::tool
