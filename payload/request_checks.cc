#include "payload/request_checks.h"

#include "base/text.h"
#include "currency/iso_country_codes.h"
#include "payload/luhn.h"

namespace zelto::request_checks {
namespace {

// A fee text that passes the character checks must also read as a number: "1.2.3" does not.
std::optional<double> feeValue(const std::string& value, std::size_t maxCharacters) {
  const std::size_t count = text::characterCount(value);
  if (count < 1 || count > maxCharacters) return std::nullopt;
  if (text::containsLetter(value) || !text::isDigitsAndDots(value)) return std::nullopt;
  return text::parseDouble(value);
}

}  // namespace

bool validatePayloadFormatIndicator(const std::optional<std::string>& indicator) {
  return indicator && *indicator == "01";
}

bool validateMerchantID(const std::optional<std::string>& id) {
  if (!id) return false;
  if (!id->empty() && !id->starts_with('4')) return false;
  const std::size_t count = text::characterCount(*id);
  if (count < 8 || count > 16) return false;
  if (!text::parseUnsignedInteger(*id)) return false;
  return luhnsAlgorithmCheck(convertMerchantIdToPan(*id));
}

bool validateMerchantCategoryCode(const std::optional<std::string>& code) {
  return code && text::characterCount(*code) == 4 && text::isAllDecimalDigits(*code);
}

bool validateCountryCode(const std::optional<std::string>& code) {
  return code && text::characterCount(*code) == 2 && text::isAllLetters(*code) &&
         ISOCountryCodes::isoRegionCodes().contains(*code);
}

bool validateCurrencyCode(const std::optional<std::string>& code) {
  if (!code || text::characterCount(*code) != 3 || !text::isAllDecimalDigits(*code)) return false;
  const auto value = text::parseInteger(*code);
  return value && ISOCountryCodes::availableISOCurrencies().contains(static_cast<int>(*value));
}

bool validateTipAndFeeIndicator(const std::optional<std::string>& tipIndicator) {
  return !tipIndicator || tipIndicator->empty() || *tipIndicator == "01" || *tipIndicator == "02" ||
         *tipIndicator == "03";
}

bool validateConvenienceFeeAmount(const std::optional<std::string>& amount,
                                  const std::optional<std::string>& tipIndicator) {
  if (tipIndicator != "02") return amount && amount->empty();
  if (!amount) return false;
  const auto value = feeValue(*amount, 9);
  return value && *value > 0;
}

bool validateConveniencePercentage(const std::optional<std::string>& percentage,
                                   const std::optional<std::string>& tipIndicator) {
  if (tipIndicator != "03") return percentage && percentage->empty();
  if (!percentage) return false;
  const auto value = feeValue(*percentage, 5);
  return value && *value >= 0.01 && *value <= 99.99;
}

std::string convertMerchantIdToPan(std::string_view id) {
  const std::size_t count = text::characterCount(id);
  if (count < 7 || count > 15) return std::string(id);
  const std::size_t prefix = *text::advanceCharacters(id, 6);
  std::string pan(id.substr(0, prefix));
  pan.append(16 - count, '0');
  pan.append(id.substr(prefix));
  return pan;
}

bool luhnsAlgorithmCheck(std::string_view merchantPan) {
  return luhn::luhnCheckRejectingOthers(merchantPan);
}

}  // namespace zelto::request_checks
