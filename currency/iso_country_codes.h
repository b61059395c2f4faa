// Static ISO tables: currency numeric code to alphabetic code, alphabetic code to locale, and
// the region codes of the platform's locale data. Every table is built once, on first use,
// under thread-safe one-time initialisation, and never changes afterwards; the returned
// references stay valid for the life of the process and may be read from any thread.
#ifndef ZELTO_CURRENCY_ISO_COUNTRY_CODES_H_
#define ZELTO_CURRENCY_ISO_COUNTRY_CODES_H_

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace zelto::ISOCountryCodes {

// ISO 4217 numeric code -> alphabetic code, 179 entries. These are the valid currency codes for
// every validator of the library. It holds every row of the currency table
// (currency/currency_table.h) except 222 (SVC) and 933 (BYN), maps 932 to "ZWD" instead of
// "ZWL", and adds 440 "LTL", 974 "BYR", 998 "USS" and 999 "XXX".
const std::map<int, std::string>& availableISOCurrencies();

// Whether availableISOCurrencies() holds `numeric`, answered from a table of 1,000 bits.
bool isAvailableISOCurrency(std::int64_t numeric);

// The ISO 3166-1 alpha-2 region codes known to ICU (the platform's region list), e.g. "IN".
const std::set<std::string, std::less<>>& isoRegionCodes();

// Whether isoRegionCodes() holds `code` (exactly, so in upper case). Two capital letters, as
// payloads carry, are answered from a table of 26 x 26 bits.
bool isISORegionCode(std::string_view code);

// Alphabetic currency code -> locale identifier, 152 entries: every alphabetic code of
// availableISOCurrencies() except the 27 funds, metals, test and withdrawn codes that have no
// locale (BOV, CHE, CHW, CLF, COU, CUC, LSL, LTL, MVR, MXV, USN, USS, UYI, XAG, XAU, XBA, XBB,
// XBC, XBD, XDR, XPD, XPT, XSU, XTS, XUA, XXX, ZWD). The locale is "en_" followed by the first
// two letters of the code (USD -> "en_US"), except for ANG "en_SX", AUD "en_NF", CHF "en_LI",
// DKK "en_GL", EUR "en_EA", NZD "en_PN", PKR "en_IN", XAF "en_CM", XCD "en_AG", XOF "en_TG" and
// XPF "en_PF".
const std::map<std::string, std::string, std::less<>>& localeIds();

}  // namespace zelto::ISOCountryCodes

#endif  // ZELTO_CURRENCY_ISO_COUNTRY_CODES_H_
