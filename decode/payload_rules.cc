#include "decode/payload_rules.h"

#include <zelto/decode/qr_error.h>
#include <zelto/payload/crc16.h>

#include <algorithm>
#include <iterator>

#include "base/regex.h"
#include "base/text.h"
#include "currency/iso_country_codes.h"
#include "payload/luhn.h"
#include "payload/request_checks.h"

namespace zelto {
namespace {

namespace codes = ZeltoErrorConstants;
namespace account = ZeltoErrorConstants::merchantAccountInformationTemplate;
namespace language = ZeltoErrorConstants::merchantLanguageInformationTemplate;

constexpr std::string_view kLanguageTemplateType = "merchantInformationLanguageTemplate";
constexpr std::string_view kAdditionalDataType = "AdditionalDataField";
constexpr std::string_view kLanguagePreference = "languagePreference";
constexpr std::string_view kMerchantNameAlternateLanguage = "merchantNameAlternateLanguage";
constexpr std::string_view kMerchantCityAlternateLanguage = "merchantCityAlternateLanguage";
constexpr std::string_view kAdditionalConsumerDataRequest = "additionalConsumerDataRequest";

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

std::size_t PayloadRules::characters(std::string_view value) const {
  return oneBytePerCharacter_ ? value.size() : text::characterCount(value);
}

bool PayloadRules::lengthWithin(std::string_view value, std::size_t min, std::size_t max) const {
  const std::size_t count = characters(value);
  return count >= min && count <= max;
}

void PayloadRules::add(std::string_view code) {
  if (std::find(codes_.begin(), codes_.end(), code) == codes_.end()) {
    codes_.emplace_back(code);
  }
}

void PayloadRules::validatePayloadFormatIndicator(const Text& value) {
  if (!value || *value == "01") return;  // the one valid value
  if (characters(*value) != 2) {
    add(codes::payloadFormatIndicatorInvalidLength);
  } else if (*value != "01") {
    add(codes::payloadFormatIndicatorInvalidValue);
  }
  if (text::hasNonDigit(*value)) add(codes::payloadFormatIndicatorInvalidValue);
}

bool PayloadRules::validateMerchantID(const Text& value) {
  if (!value) return true;
  bool valid = true;
  if (!value->empty() && !value->starts_with('4')) {
    add(codes::merchantIdInvalidStartingDigit);
    valid = false;
  }
  const std::size_t count = characters(*value);
  if (count < 8 || count > 16) {
    add(codes::merchantIdInvalidLength);
    valid = false;
  }
  // Up to 19 ASCII digits always fit 64 bits; other text follows the library's integer rules.
  const bool shortDigits = !value->empty() && value->size() <= 19 && text::isAsciiDigits(*value);
  if (!shortDigits && !text::parseUnsignedInteger(*value)) {
    add(codes::merchantIdInvalidFormat);
    valid = false;
  }
  // Only identifiers of 7 to 15 characters change when widened to 16; ASCII digits alone take
  // the Luhn check without looking for other characters.
  const bool widened = count >= 7 && count <= 15;
  const bool checked = widened       ? luhnsAlgorithmCheck(convertMerchantIdToPan(*value))
                       : shortDigits ? luhn::luhnCheckRejectingOthers(*value)
                                     : luhnsAlgorithmCheck(*value);
  if (!checked) {
    add(codes::merchantIdInvalidCheckDigit);
    valid = false;
  }
  return valid;
}

void PayloadRules::validateMerchantCategoryCode(const Text& value) {
  if (!value) {
    add(codes::merchantCategoryCodeNotPresent);
  } else if ((value->size() != 4 || !text::isAsciiDigits(*value)) &&
             (characters(*value) != 4 || text::hasNonDigit(*value))) {
    add(codes::merchantCategoryCodeInvalidLength);
  }
}

void PayloadRules::validateCurrencyCode(const Text& value) {
  if (!value) {
    add(codes::currencyCodeNotPresent);
    return;
  }
  // Three characters that are decimal digits read as a number only when they are ASCII, so
  // any text but three ASCII digits breaks the rule.
  const std::string_view digits = *value;
  if (digits.size() != 3 || !text::isAsciiDigits(digits) ||
      !ISOCountryCodes::isAvailableISOCurrency((digits[0] - '0') * 100 + (digits[1] - '0') * 10 +
                                               (digits[2] - '0'))) {
    add(codes::currencyCodeInvaidLength);
  }
}

void PayloadRules::validateTransactAmount(const Text& value) {
  if (!value) return;
  const std::string_view amount = *value;
  // The usual amount, ASCII digits with at most one point, answers every rule in one reading.
  if (const auto plain = text::parsePlainDecimal(amount)) {
    if (amount.size() > (plain->hasPoint ? 13u : 12u)) add(codes::transactionAmountInvalidLength);
    if (plain->value <= 0) add(codes::transactionAmountIncorrectValue);
    return;
  }
  const std::size_t maxLength = text::isAllDecimalDigits(amount) ? 12 : 13;
  if (!lengthWithin(amount, 1, maxLength)) add(codes::transactionAmountInvalidLength);
  if (text::containsLetter(amount) || !text::isDigitsAndDots(amount)) {
    add(codes::transactionAmountIncorrectValue);
  } else if (const auto number = text::parseDouble(amount); !number || *number <= 0) {
    add(codes::transactionAmountIncorrectValue);
  }
  if (amount.empty()) add(codes::transactionAmountTagPresentWithoutAmountValue);
}

void PayloadRules::validateTipAndFeeIndicator(const Text& indicator, const Text& amount,
                                              const Text& percentage) {
  if (!indicator) {
    if (amount || percentage) add(codes::tipAndFeeIndicatorInvalidTagsPresent);
    return;
  }
  // Which of "01", "02" and "03" the indicator is, 0 for none: as payloads write it, it matches
  // one exactly; other text is compared ignoring case.
  static constexpr std::string_view kIndicators[] = {"01", "02", "03"};
  int kind = 0;
  for (int k = 0; k < 3 && kind == 0; ++k) kind = *indicator == kIndicators[k] ? k + 1 : 0;
  for (int k = 0; k < 3 && kind == 0; ++k) {
    kind = text::isEqualTo(*indicator, kIndicators[k]) ? k + 1 : 0;
  }
  if (kind == 1) {
    if (amount || percentage) add(codes::tipAndFeeIndicatorInvalidTagsPresent);
  } else if (kind == 2) {
    if (amount) {
      validateConvenienceFeeAmount(*amount);
    } else {
      add(codes::convenienceInvalidTagPresent);
    }
  } else if (kind == 3) {
    if (percentage) {
      validateConveniencePercentage(*percentage);
    } else {
      add(codes::convenienceInvalidTagPresent);
    }
  } else {
    add(codes::tipAndFeeIndicatorInvalidCriteria);
  }
}

void PayloadRules::validateConvenienceFeeAmount(std::string_view amount) {
  if (const auto plain = text::parsePlainDecimal(amount)) {
    if (amount.size() > 13) add(codes::convenienceFeeAmountInvalidLength);
    if (plain->value <= 0) add(codes::convenienceFeeAmountIncorrectValue);
    return;
  }
  if (!lengthWithin(amount, 1, 13)) add(codes::convenienceFeeAmountInvalidLength);
  if (text::containsLetter(amount)) {
    add(codes::convenienceFeeAmountInvalidLength);
  } else if (!text::isDigitsAndDots(amount)) {
    add(codes::convenienceFeeAmountIncorrectValue);
  } else if (const auto number = text::parseDouble(amount); !number || *number <= 0) {
    add(codes::convenienceFeeAmountIncorrectValue);
  }
  if (amount.empty()) add(codes::convenienceFeeTagPresentWithoutValue);
}

void PayloadRules::validateConveniencePercentage(std::string_view percentage) {
  if (const auto plain = text::parsePlainDecimal(percentage)) {
    if (percentage.size() > 5) add(codes::convenienceFeePercentageInvalidLength);
    if (plain->value < 0.01 || plain->value > 99.99) {
      add(codes::convenienceFeePercentageIncorrectValue);
    }
    return;
  }
  if (!lengthWithin(percentage, 1, 5)) add(codes::convenienceFeePercentageInvalidLength);
  if (text::containsLetter(percentage)) add(codes::convenienceFeePercentageIncorrectValue);
  if (!text::isDigitsAndDots(percentage)) {
    add(codes::convenienceFeePercentageIncorrectValue);
  } else if (percentage.empty()) {
    add(codes::convenienceFeePercentageTagPresentWithoutValue);
  } else if (const auto number = text::parseDouble(percentage);
             !number || *number < 0.01 || *number > 99.99) {
    add(codes::convenienceFeePercentageIncorrectValue);
  }
}

void PayloadRules::validateCountryCode(const Text& value) {
  if (!value) {
    add(codes::countryCodeNotPresent);
    return;
  }
  // Two capital letters, which payloads carry, answer the last two rules at once.
  const bool twoCapitals = value->size() == 2 && isCapital((*value)[0]) && isCapital((*value)[1]);
  if (!ISOCountryCodes::isISORegionCode(*value) ||
      (!twoCapitals && (characters(*value) != 2 || !text::isAllLetters(*value)))) {
    add(codes::countryCodeInvalidLengthOrCharacters);
  }
}

void PayloadRules::validateMerchantName(const Text& value) {
  if (!value) {
    add(codes::merchantNameNotPresent);
  } else if (!lengthWithin(*value, 1, 25)) {
    add(codes::merchantNameInvalidLengthOrCharacters);
  }
}

void PayloadRules::validateCityName(const Text& value) {
  if (!value) {
    add(codes::cityNameNotPresent);
  } else if (!lengthWithin(*value, 1, 15)) {
    add(codes::cityNameInvalidLengthOrCharacters);
  }
}

void PayloadRules::validatePostalCode(const Text& value) {
  if (value && !lengthWithin(*value, 1, 10)) add(codes::postalCodeIndicatorInvalidLength);
}

void PayloadRules::validateIdentifier(const Text& value, std::string_view lengthCode,
                                      std::string_view emptyCode, std::string_view formatCode,
                                      std::string_view pattern) {
  if (!value) return;
  if (!lengthWithin(*value, 1, 26)) add(lengthCode);
  if (value->empty()) add(emptyCode);
  if (value->starts_with('?')) {
    if (!lengthWithin(*value, 1, 2)) add(lengthCode);
    if (!text::isValidFormat(*value, pattern)) add(formatCode);
  }
}

void PayloadRules::validatePrimaryId(const Text& value) {
  validateIdentifier(value, codes::primaryIdInvalidLengthOrCharacters,
                     codes::primaryIdTagPresentWithoutValue, codes::primaryIdInvalidFormat,
                     PRIMARY_ID_REGEX);
}

// The secondary ID has no format code of its own: a bad format reports its length code.
void PayloadRules::validateSecondaryId(const Text& value) {
  validateIdentifier(value, codes::secondaryIdInvalidLengthOrCharacters,
                     codes::secondaryIdTagPresentWithoutValue,
                     codes::secondaryIdInvalidLengthOrCharacters, SECONDARY_ID_REGEX);
}

void PayloadRules::validateAdditionalDataField(std::span<const TemplateEntry> sortedEntries) {
  for (const TemplateEntry& entry : sortedEntries) {
    if (entry.key != kAdditionalConsumerDataRequest) {
      tagMandatoryLengthCheck(kAdditionalDataType, entry.key, &entry, false, 1, 25);
      continue;
    }
    if (!entry.text) continue;
    if (!lengthWithin(*entry.text, 1, 3)) add(codes::additionalConsumerDataInvalidValue);
    if (entry.text->find_first_not_of("AME") != std::string_view::npos) {
      add(codes::additionalConsumerDataInvalidValue);
    }
  }
}

void PayloadRules::validateMerchantInformationLanguageTemplate(
    std::span<const TemplateEntry> sortedEntries) {
  struct Rule {
    std::string_view key;
    bool mandatory;
    std::size_t min;
    std::size_t max;
  };
  static constexpr Rule kRules[] = {{kLanguagePreference, true, 2, 2},
                                    {kMerchantNameAlternateLanguage, true, 1, 25},
                                    {kMerchantCityAlternateLanguage, false, 2, 15}};
  // The entry of each named key, found in one pass (keys are distinct within a template).
  const TemplateEntry* named[std::size(kRules)] = {};
  for (const TemplateEntry& entry : sortedEntries) {
    for (std::size_t r = 0; r < std::size(kRules); ++r) {
      if (entry.key == kRules[r].key) named[r] = &entry;
    }
  }
  for (std::size_t r = 0; r < std::size(kRules); ++r) {
    tagMandatoryLengthCheck(kLanguageTemplateType, kRules[r].key, named[r], kRules[r].mandatory,
                            kRules[r].min, kRules[r].max);
  }
  for (const TemplateEntry& entry : sortedEntries) {
    Rule rule{entry.key, false, 1, 99};
    for (std::size_t r = 0; r < std::size(kRules); ++r) {
      if (named[r] == &entry) rule = kRules[r];
    }
    tagMandatoryLengthCheck(kLanguageTemplateType, entry.key, &entry, rule.mandatory, rule.min,
                            rule.max);
  }
}

void PayloadRules::validateMerchantAccountInformationTemplate(
    std::span<const TemplateEntry> entries) {
  const auto identifier = std::find_if(
      entries.begin(), entries.end(), [](const TemplateEntry& entry) { return entry.key == "00"; });
  if (identifier == entries.end()) {
    add(account::missingUniqueIdentifier);
  } else if (identifier->text && !lengthWithin(*identifier->text, 1, 32)) {
    add(account::invalidLength);
  }
}

void PayloadRules::validateCRC(const Text& crc, std::string_view tlvString) {
  if (!crc) return;
  // Four ASCII characters but "\r" are four characters without counting.
  const bool fourBytes =
      crc->size() == 4 &&
      (oneBytePerCharacter_ || std::none_of(crc->begin(), crc->end(), [](char c) {
         return static_cast<unsigned char>(c) >= 0x80 || c == '\r';
       }));
  if (!fourBytes && characters(*crc) != 4) {
    add(codes::crcInvalidValue);
    return;
  }
  // The text before the CRC value: after decoding, the value is the text's last 4 characters.
  std::optional<std::size_t> bodyEnd;
  // A value read in place from the text ends where the text ends.
  if (crc->data() + crc->size() == tlvString.data() + tlvString.size() ||
      tlvString.ends_with(*crc)) {
    bodyEnd = tlvString.size() - crc->size();
  } else if (const std::size_t count = characters(tlvString); count >= 4) {
    bodyEnd = text::advanceCharacters(tlvString, count - 4);
  }
  const int expected = text::parseHex(*crc);
  if (!bodyEnd || expected < 0) {
    add(codes::crcInvalidValue);
    return;
  }
  if (crc16::checksum(tlvString.substr(0, *bodyEnd)) != expected) add(codes::crcInvalidValue);
}

void PayloadRules::tagMandatoryLengthCheck(std::string_view type, std::string_view tagKey,
                                           const TemplateEntry* entry, bool isMandatory,
                                           std::size_t minLenght, std::size_t maxLenght) {
  if (entry == nullptr) {
    if (!isMandatory) return;
    if (tagKey == kLanguagePreference) add(language::missingLanguagePreferenceTag);
    if (tagKey == kMerchantNameAlternateLanguage) add(language::missingMerchantNameTag);
    return;
  }
  if (!entry->text || lengthWithin(*entry->text, minLenght, maxLenght)) return;
  if (tagKey == kLanguagePreference) {
    add(language::languagePreferenceInvalidTagLength);
  } else if (tagKey == kMerchantNameAlternateLanguage) {
    add(language::merchantNameInvalidTagLength);
  } else if (type == kLanguageTemplateType) {
    add(language::invalidLengthTag);
  } else {
    add(codes::additionalDataInformationInvalidLength);
  }
}

std::string PayloadRules::convertMerchantIdToPan(std::string_view merchantId) {
  return request_checks::convertMerchantIdToPan(merchantId);
}

bool PayloadRules::luhnsAlgorithmCheck(std::string_view forPan) {
  return luhn::luhnCheckSkippingOthers(forPan);
}

}  // namespace zelto
