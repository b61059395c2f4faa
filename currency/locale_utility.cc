#include "currency/locale_utility.h"

#include <limits>

#include "base/text.h"
#include "currency/iso_country_codes.h"

namespace zelto {
namespace {

const std::string* alphabeticCodeOf(std::string_view code) {
  std::optional<std::int64_t> number = text::parseInteger(code);
  if (!number || *number < std::numeric_limits<int>::min() ||
      *number > std::numeric_limits<int>::max()) {
    return nullptr;
  }
  const auto& currencies = ISOCountryCodes::availableISOCurrencies();
  auto found = currencies.find(static_cast<int>(*number));
  return found == currencies.end() ? nullptr : &found->second;
}

}  // namespace

std::optional<std::string> ZeltoLocaleUtility::localeFromISOCode(std::string_view code) {
  const std::string* alphabetic = alphabeticCodeOf(code);
  if (alphabetic == nullptr) return std::nullopt;
  const auto& locales = ISOCountryCodes::localeIds();
  auto found = locales.find(*alphabetic);
  if (found == locales.end()) return std::nullopt;
  return found->second;
}

std::string ZeltoLocaleUtility::getCurrencySymbol(std::string_view code) {
  const std::string* alphabetic = alphabeticCodeOf(code);
  return alphabetic == nullptr ? std::string() : *alphabetic;
}

}  // namespace zelto
