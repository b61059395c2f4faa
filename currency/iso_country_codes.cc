#include "currency/iso_country_codes.h"

#include <unicode/uloc.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <string_view>
#include <utility>

#include "currency/currency_table.h"

namespace zelto::ISOCountryCodes {
namespace {

// Where the validation map departs from the currency table.
constexpr std::array<int, 2> kNotValidated = {222, 933};
constexpr std::array<std::pair<int, std::string_view>, 5> kValidatedOverrides = {{
    {932, "ZWD"},
    {440, "LTL"},
    {974, "BYR"},
    {998, "USS"},
    {999, "XXX"},
}};

constexpr std::array<std::string_view, 27> kWithoutLocale = {
    "BOV", "CHE", "CHW", "CLF", "COU", "CUC", "LSL", "LTL", "MVR",
    "MXV", "USN", "USS", "UYI", "XAG", "XAU", "XBA", "XBB", "XBC",
    "XBD", "XDR", "XPD", "XPT", "XSU", "XTS", "XUA", "XXX", "ZWD"};

constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kLocaleExceptions = {{
    {"ANG", "en_SX"},
    {"AUD", "en_NF"},
    {"CHF", "en_LI"},
    {"DKK", "en_GL"},
    {"EUR", "en_EA"},
    {"NZD", "en_PN"},
    {"PKR", "en_IN"},
    {"XAF", "en_CM"},
    {"XCD", "en_AG"},
    {"XOF", "en_TG"},
    {"XPF", "en_PF"},
}};

}  // namespace

const std::map<int, std::string>& availableISOCurrencies() {
  static const std::map<int, std::string> table = [] {
    std::map<int, std::string> result;
    for (const currency::CurrencyRow& row : currency::currencyTable()) {
      result.emplace(row.numericCode, row.alphabeticCode);
    }
    for (int code : kNotValidated) {
      result.erase(code);
    }
    for (const auto& [code, alphabetic] : kValidatedOverrides) {
      result.insert_or_assign(code, std::string(alphabetic));
    }
    return result;
  }();
  return table;
}

bool isAvailableISOCurrency(std::int64_t numeric) {
  static const std::bitset<1000> kAvailable = [] {
    std::bitset<1000> available;
    for (const auto& [code, alphabetic] : availableISOCurrencies()) available.set(code);
    return available;
  }();
  return numeric >= 0 && numeric < 1000 && kAvailable.test(numeric);
}

const std::set<std::string, std::less<>>& isoRegionCodes() {
  static const std::set<std::string, std::less<>> regions = [] {
    std::set<std::string, std::less<>> result;
    for (const char* const* code = uloc_getISOCountries(); *code != nullptr; ++code) {
      result.emplace(*code);
    }
    return result;
  }();
  return regions;
}

bool isISORegionCode(std::string_view code) {
  const auto isCapital = [](char c) { return c >= 'A' && c <= 'Z'; };
  if (code.size() != 2 || !isCapital(code[0]) || !isCapital(code[1])) {
    return isoRegionCodes().contains(code);
  }
  static const std::bitset<26 * 26> kTwoCapitals = [&] {
    std::bitset<26 * 26> codes;
    for (const std::string& region : isoRegionCodes()) {
      if (region.size() == 2 && isCapital(region[0]) && isCapital(region[1])) {
        codes.set((region[0] - 'A') * 26 + (region[1] - 'A'));
      }
    }
    return codes;
  }();
  return kTwoCapitals.test((code[0] - 'A') * 26 + (code[1] - 'A'));
}

const std::map<std::string, std::string, std::less<>>& localeIds() {
  static const std::map<std::string, std::string, std::less<>> table = [] {
    std::map<std::string, std::string, std::less<>> result;
    for (const auto& [numeric, alphabetic] : availableISOCurrencies()) {
      if (std::ranges::find(kWithoutLocale, alphabetic) == kWithoutLocale.end()) {
        result.emplace(alphabetic, "en_" + alphabetic.substr(0, 2));
      }
    }
    for (const auto& [alphabetic, locale] : kLocaleExceptions) {
      result.insert_or_assign(std::string(alphabetic), std::string(locale));
    }
    return result;
  }();
  return table;
}

}  // namespace zelto::ISOCountryCodes
