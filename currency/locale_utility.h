// ZeltoLocaleUtility: from an ISO 4217 numeric code to its locale and alphabetic code, through
// the tables of currency/iso_country_codes.h. Codes are read as base-10 integers, so leading
// zeros are allowed ("036" is 36) and an optional sign is accepted; anything else ("abc", "",
// "3 6") is not a code.
//
// Thread-safety: any thread.
#ifndef ZELTO_CURRENCY_LOCALE_UTILITY_H_
#define ZELTO_CURRENCY_LOCALE_UTILITY_H_

#include <optional>
#include <string>
#include <string_view>

namespace zelto {

class ZeltoLocaleUtility {
 public:
  // The locale identifier of the currency ("356" -> "en_IN", "036" -> "en_NF"); absent when the
  // code is not a number, not a known currency, or a currency without a locale ("960", XDR).
  static std::optional<std::string> localeFromISOCode(std::string_view code);

  // The alphabetic code of the currency ("932" -> "ZWD"); "" when the code is not a number or not
  // a known currency. (The name is historical: it is the code, not the symbol.)
  static std::string getCurrencySymbol(std::string_view code);
};

}  // namespace zelto

#endif  // ZELTO_CURRENCY_LOCALE_UTILITY_H_
