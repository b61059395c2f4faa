// The C interface to amount entry and formatting, for an explicit currency and locale.
#include <zelto/currency/amount_format.h>

#include <cmath>

#include "base/device_locale.h"
#include "base/text.h"
#include "capi/support.h"
#include "currency/currency_formatter.h"
#include "currency/iso_country_codes.h"

namespace zelto::capi {
namespace {

// The formatter of a flow in `currencyCode` on a device in `locale` (NULL: the device's own).
std::shared_ptr<const currency::CurrencyFormatter> formatter(const char* currencyCode,
                                                             const char* locale) {
  const std::string_view code = readText(currencyCode, "currency_code");
  const bool threeDigits =
      code.size() == 3 && code.find_first_not_of("0123456789") == std::string_view::npos;
  if (!threeDigits || !ISOCountryCodes::availableISOCurrencies().contains(
                          static_cast<int>(text::parseInteger(code).value_or(-1)))) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                  "unknown currency code \"" + std::string(code) +
                      "\": give an ISO 4217 three-digit numeric code such as \"840\""};
  }
  std::string deviceLocale;
  if (locale == nullptr) {
    deviceLocale = platform::deviceLocaleIdentifier();
  } else {
    const std::string_view given = readText(locale, "locale");
    if (!platform::isKnownLocale(given)) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "unknown locale \"" + std::string(given) +
                                                      "\" (such as \"en_US\" or \"de-DE\")"};
    }
    deviceLocale = platform::canonicalLocaleIdentifier(given);
  }
  return currency::formatterFor(code, deviceLocale);
}

}  // namespace
}  // namespace zelto::capi

using namespace zelto;
using namespace zelto::capi;

extern "C" {

zelto_status zelto_get_currency_for_text(const char* typed, const char* currency_code,
                                         const char* locale, char** display, double* amount,
                                         char** message) {
  return run(message, output(display, "display"), output(amount, "amount"),
             [&](char*& outDisplay, double& outAmount) {
               const auto format = formatter(currency_code, locale);
               const CurrencyText entry =
                   currency::currencyForText(optionalText(typed, "typed"), *format);
               outDisplay = copyText(entry.text);
               outAmount = entry.amount;
               return Outcome{};
             });
}

zelto_status zelto_format_amount(double amount, const char* currency_code, const char* locale,
                                 char** display, char** message) {
  return run(message, output(display, "display"), [&](char*& out) {
    if (!std::isfinite(amount)) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "amount is not a finite number"};
    }
    out = copyText(formatter(currency_code, locale)->string(amount).value_or(""));
    return Outcome{};
  });
}

zelto_status zelto_plain_decimal_string(const char* display, const char* currency_code,
                                        const char* locale, char** decimal, char** message) {
  return run(message, output(decimal, "decimal"), [&](char*& out) {
    const auto format = formatter(currency_code, locale);
    out = copyText(currency::plainDecimalString(readText(display, "display"), *format));
    return Outcome{};
  });
}

}  // extern "C"
