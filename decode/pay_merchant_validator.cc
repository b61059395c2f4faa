#include "decode/pay_merchant_validator.h"

#include <unicode/locid.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>

#include "currency/iso_country_codes.h"
#include "decode/qr_error.h"
#include "payload/crc16.h"
#include "payload/tlv_generator.h"
#include "platform/debug_console.h"
#include "platform/text.h"

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

bool lengthWithin(std::string_view value, std::size_t min, std::size_t max) {
  const std::size_t count = text::characterCount(value);
  return count >= min && count <= max;
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool isAscii(std::string_view value) {
  return std::all_of(value.begin(), value.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool hasNonDigit(std::string_view value) {
  // ASCII digits answer without looking characters up.
  if (std::all_of(value.begin(), value.end(), isAsciiDigit)) return false;
  return !text::isAllDecimalDigits(value);
}

// True when `value` holds a character that is neither a decimal digit nor ".".
bool hasCharacterOtherThanDigitsAndDot(std::string_view value) {
  if (isAscii(value)) {
    return std::any_of(value.begin(), value.end(),
                       [](char c) { return c != '.' && !isAsciiDigit(c); });
  }
  // Other text is read as characters once its dots are gone.
  std::string withoutDots;
  withoutDots.reserve(value.size());
  for (char c : value) {
    if (c != '.') withoutDots += c;
  }
  return hasNonDigit(withoutDots);
}

// Byte offsets of the character boundaries of `value`, 0 first.
std::vector<std::size_t> characterBoundaries(std::string_view value) {
  std::vector<std::size_t> boundaries{0};
  while (boundaries.back() < value.size()) {
    const auto step = text::advanceCharacters(value.substr(boundaries.back()), 1);
    boundaries.push_back(boundaries.back() + step.value_or(value.size() - boundaries.back()));
  }
  return boundaries;
}

// The entries of a template map sorted by key. A template of 99 characters holds at most 24
// sub-objects, so the list lives on the stack unless a map was filled by hand.
class SortedEntries {
 public:
  using Entry = TagDictionary::Entry;

  explicit SortedEntries(const TagDictionary& map) : size_(map.size()) {
    Entry const** out = inline_.data();
    if (size_ > inline_.size()) {
      heap_.resize(size_);
      out = heap_.data();
    }
    data_ = out;
    for (const auto& entry : map) *out++ = &entry;
    std::sort(data_, data_ + size_,
              [](const Entry* a, const Entry* b) { return a->first < b->first; });
  }
  SortedEntries(const SortedEntries&) = delete;
  SortedEntries& operator=(const SortedEntries&) = delete;

  const Entry* const* begin() const { return data_; }
  const Entry* const* end() const { return data_ + size_; }

 private:
  std::array<const Entry*, 24> inline_{};
  std::vector<const Entry*> heap_;
  const Entry** data_ = nullptr;
  std::size_t size_;
};

std::optional<std::uint16_t> readHex(std::string_view digits) {
  std::uint16_t value = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = static_cast<std::uint16_t>(value * 16 + digit);
  }
  return value;
}

using MapMember = std::optional<TagDictionary> ZELTOMerchantTLV::*;
// The merchant account templates "26"-"51".
constexpr std::array<MapMember, 26> kAccountTemplates = {
    &ZELTOMerchantTLV::tag26, &ZELTOMerchantTLV::tag27, &ZELTOMerchantTLV::tag28,
    &ZELTOMerchantTLV::tag29, &ZELTOMerchantTLV::tag30, &ZELTOMerchantTLV::tag31,
    &ZELTOMerchantTLV::tag32, &ZELTOMerchantTLV::tag33, &ZELTOMerchantTLV::tag34,
    &ZELTOMerchantTLV::tag35, &ZELTOMerchantTLV::tag36, &ZELTOMerchantTLV::tag37,
    &ZELTOMerchantTLV::tag38, &ZELTOMerchantTLV::tag39, &ZELTOMerchantTLV::tag40,
    &ZELTOMerchantTLV::tag41, &ZELTOMerchantTLV::tag42, &ZELTOMerchantTLV::tag43,
    &ZELTOMerchantTLV::tag44, &ZELTOMerchantTLV::tag45, &ZELTOMerchantTLV::tag46,
    &ZELTOMerchantTLV::tag47, &ZELTOMerchantTLV::tag48, &ZELTOMerchantTLV::tag49,
    &ZELTOMerchantTLV::tag50, &ZELTOMerchantTLV::tag51};

}  // namespace

bool isMatchingRegex(std::string_view pattern, std::string_view text) {
  thread_local std::map<std::string, std::unique_ptr<icu::RegexPattern>, std::less<>> compiled;
  auto it = compiled.find(pattern);
  if (it == compiled.end()) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::RegexPattern> built(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(icu::StringPiece(
                                       pattern.data(), static_cast<std::int32_t>(pattern.size()))),
                                   0, parseError, status));
    if (U_FAILURE(status)) built.reset();
    it = compiled.emplace(std::string(pattern), std::move(built)).first;
  }
  if (!it->second) {
    platform::debugPrint("Error: invalid regular expression " + std::string(pattern));
    return false;
  }
  const icu::UnicodeString subject = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexMatcher> matcher(it->second->matcher(subject, status));
  if (U_FAILURE(status)) return false;
  const bool found = matcher->find(status);
  return U_SUCCESS(status) && found;
}

bool isValidFormat(std::string_view text, std::string_view pattern) {
  const auto first = text::advanceCharacters(text, 1);
  const auto second = text::advanceCharacters(text, 2);
  if (!first || !second) return true;
  return isMatchingRegex(pattern, text.substr(*first, *second - *first));
}

bool isEqualTo(std::string_view text, std::string_view other) {
  if (isAscii(text) && isAscii(other)) {
    return std::equal(text.begin(), text.end(), other.begin(), other.end(), [](char a, char b) {
      auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
      return lower(a) == lower(b);
    });
  }
  auto lowered = [](std::string_view value) {
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(value.data(), static_cast<std::int32_t>(value.size())));
    return unicode.toLower(icu::Locale::getRoot());
  };
  return lowered(text) == lowered(other);
}

ZeltoPayMerchantTLVValidator& ZeltoPayMerchantTLVValidator::sharedValidator() {
  thread_local ZeltoPayMerchantTLVValidator validator;
  return validator;
}

void ZeltoPayMerchantTLVValidator::add(std::string_view code) {
  if (std::find(errorCodes_.begin(), errorCodes_.end(), code) == errorCodes_.end()) {
    errorCodes_.emplace_back(code);
  }
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV00(
    const ZeltoPayMerchantTLV* record) {
  errorCodes_.clear();
  if (record == nullptr) return errorCodes_;
  validateMerchantID(record->zeltoMerchantID());
  validateMerchantName(record->merchantName);
  validateMerchantCategoryCode(record->merchantCategoryCode);
  validateCityName(record->cityName);
  validateCountryCode(record->countryCode);
  validateCurrencyCode(record->currencyCode);
  validateTransactAmount(record->transactionAmount);
  validatePrimaryId(record->primaryID);
  validateSecondaryId(record->secondaryID);
  validateTipAndFeeIndicator(*record);
  return errorCodes_;
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV01(
    const ZeltoPayMerchantTLV* record) {
  errorCodes_.clear();
  if (record == nullptr) return errorCodes_;
  validatePayloadFormatIndicator(record->payloadFormatIndicator);
  validateMerchantID(record->zeltoMerchantID());
  validateMerchantCategoryCode(record->merchantCategoryCode);
  validateCurrencyCode(record->currencyCode);
  validateTransactAmount(record->transactionAmount);
  validateTipAndFeeIndicator(*record);
  validateCountryCode(record->countryCode);
  validateMerchantName(record->merchantName);
  validateCityName(record->cityName);
  validatePostalCode(record->postalCode);
  validateAdditionalDataField(*record);
  validateMerchantInformationLanguageTemplate(*record);
  validateMerchantAccountInformationTemplate(*record);
  return errorCodes_;
}

void ZeltoPayMerchantTLVValidator::validatePayloadFormatIndicator(
    const std::optional<std::string>& value) {
  if (!value) return;
  if (text::characterCount(*value) != 2) {
    add(codes::payloadFormatIndicatorInvalidLength);
  } else if (*value != "01") {
    add(codes::payloadFormatIndicatorInvalidValue);
  }
  if (hasNonDigit(*value)) add(codes::payloadFormatIndicatorInvalidValue);
}

bool ZeltoPayMerchantTLVValidator::validateMerchantID(const std::optional<std::string>& value) {
  if (!value) return true;
  bool valid = true;
  if (!value->empty() && !value->starts_with('4')) {
    add(codes::merchantIdInvalidStartingDigit);
    valid = false;
  }
  const std::size_t count = text::characterCount(*value);
  if (count < 8 || count > 16) {
    add(codes::merchantIdInvalidLength);
    valid = false;
  }
  // Up to 19 ASCII digits always fit 64 bits; other text follows the library's integer rules.
  const bool shortDigits = !value->empty() && value->size() <= 19 &&
                           std::all_of(value->begin(), value->end(), isAsciiDigit);
  if (!shortDigits && !text::parseUnsignedInteger(*value)) {
    add(codes::merchantIdInvalidFormat);
    valid = false;
  }
  // Only identifiers of 7 to 15 characters change when widened to 16.
  const bool checked = count >= 7 && count <= 15
                           ? luhnsAlgorithmCheck(convertMerchantIdToPan(*value))
                           : luhnsAlgorithmCheck(*value);
  if (!checked) {
    add(codes::merchantIdInvalidCheckDigit);
    valid = false;
  }
  return valid;
}

void ZeltoPayMerchantTLVValidator::validateMerchantCategoryCode(
    const std::optional<std::string>& value) {
  if (!value) {
    add(codes::merchantCategoryCodeNotPresent);
  } else if (text::characterCount(*value) != 4 || hasNonDigit(*value)) {
    add(codes::merchantCategoryCodeInvalidLength);
  }
}

void ZeltoPayMerchantTLVValidator::validateCurrencyCode(const std::optional<std::string>& value) {
  if (!value) {
    add(codes::currencyCodeNotPresent);
    return;
  }
  const auto number = text::parseInteger(*value);
  const auto& currencies = ISOCountryCodes::availableISOCurrencies();
  if (text::characterCount(*value) != 3 || hasNonDigit(*value) || !number ||
      !currencies.contains(static_cast<int>(*number))) {
    add(codes::currencyCodeInvaidLength);
  }
}

void ZeltoPayMerchantTLVValidator::validateTransactAmount(const std::optional<std::string>& value) {
  if (!value) return;
  const std::string_view amount = *value;
  const std::size_t maxLength = text::isAllDecimalDigits(amount) ? 12 : 13;
  if (!lengthWithin(amount, 1, maxLength)) add(codes::transactionAmountInvalidLength);
  if (text::containsLetter(amount) || hasCharacterOtherThanDigitsAndDot(amount)) {
    add(codes::transactionAmountIncorrectValue);
  } else if (const auto number = text::parseDouble(amount); !number || *number <= 0) {
    add(codes::transactionAmountIncorrectValue);
  }
  if (amount.empty()) add(codes::transactionAmountTagPresentWithoutAmountValue);
}

void ZeltoPayMerchantTLVValidator::validateTipAndFeeIndicator(const ZeltoPayMerchantTLV& record) {
  const auto& indicator = record.tipAndFeeIndicator;
  const auto& amount = record.convenienceFeeAmount;
  const auto& percentage = record.convenienceFeePercentage;
  if (!indicator) {
    if (amount || percentage) add(codes::tipAndFeeIndicatorInvalidTagsPresent);
    return;
  }
  if (isEqualTo(*indicator, "01")) {
    if (amount || percentage) add(codes::tipAndFeeIndicatorInvalidTagsPresent);
  } else if (isEqualTo(*indicator, "02")) {
    if (amount) {
      validateConvenienceFeeAmount(*amount);
    } else {
      add(codes::convenienceInvalidTagPresent);
    }
  } else if (isEqualTo(*indicator, "03")) {
    if (percentage) {
      validateConveniencePercentage(*percentage);
    } else {
      add(codes::convenienceInvalidTagPresent);
    }
  } else {
    add(codes::tipAndFeeIndicatorInvalidCriteria);
  }
}

void ZeltoPayMerchantTLVValidator::validateConvenienceFeeAmount(std::string_view amount) {
  if (!lengthWithin(amount, 1, 13)) add(codes::convenienceFeeAmountInvalidLength);
  if (text::containsLetter(amount)) {
    add(codes::convenienceFeeAmountInvalidLength);
  } else if (hasCharacterOtherThanDigitsAndDot(amount)) {
    add(codes::convenienceFeeAmountIncorrectValue);
  } else if (const auto number = text::parseDouble(amount); !number || *number <= 0) {
    add(codes::convenienceFeeAmountIncorrectValue);
  }
  if (amount.empty()) add(codes::convenienceFeeTagPresentWithoutValue);
}

void ZeltoPayMerchantTLVValidator::validateConveniencePercentage(std::string_view percentage) {
  if (!lengthWithin(percentage, 1, 5)) add(codes::convenienceFeePercentageInvalidLength);
  if (text::containsLetter(percentage)) add(codes::convenienceFeePercentageIncorrectValue);
  if (hasCharacterOtherThanDigitsAndDot(percentage)) {
    add(codes::convenienceFeePercentageIncorrectValue);
  } else if (percentage.empty()) {
    add(codes::convenienceFeePercentageTagPresentWithoutValue);
  } else if (const auto number = text::parseDouble(percentage);
             !number || *number < 0.01 || *number > 99.99) {
    add(codes::convenienceFeePercentageIncorrectValue);
  }
}

void ZeltoPayMerchantTLVValidator::validateCountryCode(const std::optional<std::string>& value) {
  if (!value) {
    add(codes::countryCodeNotPresent);
    return;
  }
  if (!ISOCountryCodes::isoRegionCodes().contains(*value) || text::characterCount(*value) != 2 ||
      !text::isAllLetters(*value)) {
    add(codes::countryCodeInvalidLengthOrCharacters);
  }
}

void ZeltoPayMerchantTLVValidator::validateMerchantName(const std::optional<std::string>& value) {
  if (!value) {
    add(codes::merchantNameNotPresent);
  } else if (!lengthWithin(*value, 1, 25)) {
    add(codes::merchantNameInvalidLengthOrCharacters);
  }
}

void ZeltoPayMerchantTLVValidator::validateCityName(const std::optional<std::string>& value) {
  if (!value) {
    add(codes::cityNameNotPresent);
  } else if (!lengthWithin(*value, 1, 15)) {
    add(codes::cityNameInvalidLengthOrCharacters);
  }
}

void ZeltoPayMerchantTLVValidator::validatePostalCode(const std::optional<std::string>& value) {
  if (value && !lengthWithin(*value, 1, 10)) add(codes::postalCodeIndicatorInvalidLength);
}

void ZeltoPayMerchantTLVValidator::validatePrimaryId(const std::optional<std::string>& value) {
  if (!value) return;
  if (!lengthWithin(*value, 1, 26)) add(codes::primaryIdInvalidLengthOrCharacters);
  if (value->empty()) add(codes::primaryIdTagPresentWithoutValue);
  if (value->starts_with('?')) {
    if (!lengthWithin(*value, 1, 2)) add(codes::primaryIdInvalidLengthOrCharacters);
    if (!isValidFormat(*value, PRIMARY_ID_REGEX)) add(codes::primaryIdInvalidFormat);
  }
}

void ZeltoPayMerchantTLVValidator::validateSecondaryId(const std::optional<std::string>& value) {
  if (!value) return;
  if (!lengthWithin(*value, 1, 26)) add(codes::secondaryIdInvalidLengthOrCharacters);
  if (value->empty()) add(codes::secondaryIdTagPresentWithoutValue);
  if (value->starts_with('?')) {
    if (!lengthWithin(*value, 1, 2)) add(codes::secondaryIdInvalidLengthOrCharacters);
    if (!isValidFormat(*value, SECONDARY_ID_REGEX))
      add(codes::secondaryIdInvalidLengthOrCharacters);
  }
}

void ZeltoPayMerchantTLVValidator::validateAdditionalDataField(const ZeltoPayMerchantTLV& record) {
  const auto& map = record.additionalDataFieldTemplate;
  if (!map) return;
  for (const auto* entry : SortedEntries(*map)) {
    const auto& [key, value] = *entry;
    if (key != kAdditionalConsumerDataRequest) {
      checkTagLength(kAdditionalDataType, key, &value, false, 1, 25);
      continue;
    }
    const std::string* request = value.string();
    if (request == nullptr) continue;
    if (!lengthWithin(*request, 1, 3)) add(codes::additionalConsumerDataInvalidValue);
    if (request->find_first_not_of("AME") != std::string::npos) {
      add(codes::additionalConsumerDataInvalidValue);
    }
  }
}

void ZeltoPayMerchantTLVValidator::validateMerchantInformationLanguageTemplate(
    const ZeltoPayMerchantTLV& record) {
  const auto& map = record.merchantInformationLanguageTemplate;
  if (!map) return;
  struct Rule {
    std::string_view key;
    bool mandatory;
    std::size_t min;
    std::size_t max;
  };
  static constexpr Rule kRules[] = {{kLanguagePreference, true, 2, 2},
                                    {kMerchantNameAlternateLanguage, true, 1, 25},
                                    {kMerchantCityAlternateLanguage, false, 2, 15}};
  for (const auto& rule : kRules) {
    tagMandatoryLengthCheck(kLanguageTemplateType, rule.key, *map, rule.mandatory, rule.min,
                            rule.max);
  }
  for (const auto* entry : SortedEntries(*map)) {
    Rule rule{entry->first, false, 1, 99};
    for (const auto& named : kRules) {
      if (named.key == entry->first) rule = named;
    }
    checkTagLength(kLanguageTemplateType, entry->first, &entry->second, rule.mandatory, rule.min,
                   rule.max);
  }
}

void ZeltoPayMerchantTLVValidator::validateMerchantAccountInformationTemplate(
    const ZeltoPayMerchantTLV& record) {
  for (const auto member : kAccountTemplates) {
    const auto& map = record.*member;
    if (!map) continue;
    const TagValue* identifier = map->find("00");
    if (identifier == nullptr) {
      add(account::missingUniqueIdentifier);
    } else if (const std::string* text = identifier->string();
               text != nullptr && !lengthWithin(*text, 1, 32)) {
      add(account::invalidLength);
    }
  }
}

void ZeltoPayMerchantTLVValidator::validateCRC(const std::optional<std::string>& crc,
                                               std::optional<std::string_view> tlvString) {
  if (!crc || !tlvString) return;
  if (text::characterCount(*crc) != 4) {
    add(codes::crcInvalidValue);
    return;
  }
  // The text before the CRC value: after decoding, the value is the text's last 4 characters.
  std::optional<std::size_t> bodyEnd;
  if (tlvString->ends_with(*crc)) {
    bodyEnd = tlvString->size() - crc->size();
  } else if (const std::size_t count = text::characterCount(*tlvString); count >= 4) {
    bodyEnd = text::advanceCharacters(*tlvString, count - 4);
  }
  const auto expected = readHex(*crc);
  if (!bodyEnd || !expected) {
    add(codes::crcInvalidValue);
    return;
  }
  if (crc16::checksum(tlvString->substr(0, *bodyEnd)) != *expected) add(codes::crcInvalidValue);
}

void ZeltoPayMerchantTLVValidator::tagMandatoryLengthCheck(std::string_view type,
                                                           std::string_view tagKey,
                                                           const TagDictionary& dataDictionary,
                                                           bool isMandatory, std::size_t minLenght,
                                                           std::size_t maxLenght) {
  checkTagLength(type, tagKey, dataDictionary.find(tagKey), isMandatory, minLenght, maxLenght);
}

void ZeltoPayMerchantTLVValidator::checkTagLength(std::string_view type, std::string_view tagKey,
                                                  const TagValue* value, bool isMandatory,
                                                  std::size_t minLength, std::size_t maxLength) {
  if (value == nullptr) {
    if (!isMandatory) return;
    if (tagKey == kLanguagePreference) add(language::missingLanguagePreferenceTag);
    if (tagKey == kMerchantNameAlternateLanguage) add(language::missingMerchantNameTag);
    return;
  }
  const std::string* text = value->string();
  if (text == nullptr || lengthWithin(*text, minLength, maxLength)) return;
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

std::string ZeltoPayMerchantTLVValidator::convertMerchantIdToPan(std::string_view merchantId) {
  const std::size_t count = text::characterCount(merchantId);
  if (count < 7 || count > 15) return std::string(merchantId);
  const std::size_t split = text::advanceCharacters(merchantId, 6).value_or(merchantId.size());
  std::string pan(merchantId.substr(0, split));
  pan.append(16 - count, '0');
  pan.append(merchantId.substr(split));
  return pan;
}

bool ZeltoPayMerchantTLVValidator::luhnsAlgorithmCheck(std::string_view forPan) {
  int sum = 0;
  auto addDigit = [&sum](char c, std::size_t position) {
    if (c < '0' || c > '9') return;
    int digit = c - '0';
    if (position % 2 == 0) {
      digit *= 2;
      if (digit >= 10) digit -= 9;
    }
    sum += digit;
  };
  if (isAscii(forPan) && forPan.find('\r') == std::string_view::npos) {
    for (std::size_t i = 0; i < forPan.size(); ++i) {
      addDigit(forPan[forPan.size() - 1 - i], i + 1);
    }
  } else {
    // Only a character that is one ASCII digit counts as a digit.
    const auto boundaries = characterBoundaries(forPan);
    const std::size_t count = boundaries.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t start = boundaries[count - 1 - i];
      const std::size_t end = boundaries[count - i];
      if (end - start == 1) addDigit(forPan[start], i + 1);
    }
  }
  return sum % 10 == 0;
}

std::vector<std::string> TLVGenerator::tlvValidation(std::string_view tlvString) {
  ZeltoPayMerchantTLV record;
  if (record.decodeTLV(tlvString)) return {std::string(codes::malformedTags)};
  auto& validator = ZeltoPayMerchantTLVValidator::sharedValidator();
  if (!record.payloadFormatIndicator) return validator.validatePayMerchantTLV00(&record);
  validator.validatePayMerchantTLV01(&record);
  validator.validateCRC(record.crc, tlvString);
  return validator.errorCodes();
}

}  // namespace zelto
