#include "decode/pay_merchant_validator.h"

#include <unicode/locid.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>
#include <zelto/decode/qr_error.h>
#include <zelto/payload/crc16.h>
#include <zelto/payload/tlv_generator.h>

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <map>
#include <memory>

#include "base/debug_console.h"
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

// Whether `value` is a region code of the platform. The codes of two capital letters, which
// payloads carry, are kept in a table of 26 x 26 bits built once.
bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

bool isRegionCode(std::string_view value) {
  if (value.size() != 2 || !isCapital(value[0]) || !isCapital(value[1])) {
    return ISOCountryCodes::isoRegionCodes().contains(value);
  }
  static const std::bitset<26 * 26> kTwoCapitals = [&] {
    std::bitset<26 * 26> codes;
    for (const std::string& code : ISOCountryCodes::isoRegionCodes()) {
      if (code.size() == 2 && isCapital(code[0]) && isCapital(code[1])) {
        codes.set((code[0] - 'A') * 26 + (code[1] - 'A'));
      }
    }
    return codes;
  }();
  return kTwoCapitals.test((value[0] - 'A') * 26 + (value[1] - 'A'));
}

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

// A record's fields as a payload view. The entries of its templates are kept here; those the
// rules visit in key order are sorted.
class RecordView {
 public:
  explicit RecordView(const ZeltoPayMerchantTLV& record) {
    view_.payloadFormatIndicator = record.payloadFormatIndicator;
    view_.merchantId = record.zeltoMerchantID();
    view_.merchantCategoryCode = record.merchantCategoryCode;
    view_.currencyCode = record.currencyCode;
    view_.transactionAmount = record.transactionAmount;
    view_.tipAndFeeIndicator = record.tipAndFeeIndicator;
    view_.convenienceFeeAmount = record.convenienceFeeAmount;
    view_.convenienceFeePercentage = record.convenienceFeePercentage;
    view_.countryCode = record.countryCode;
    view_.merchantName = record.merchantName;
    view_.cityName = record.cityName;
    view_.postalCode = record.postalCode;
    view_.crc = record.crc;
    view_.primaryId = record.primaryID;
    view_.secondaryId = record.secondaryID;
    view_.additionalData = entriesOf(record.additionalDataFieldTemplate, /*sorted=*/true);
    view_.languageTemplate = entriesOf(record.merchantInformationLanguageTemplate, /*sorted=*/true);
    for (std::size_t i = 0; i < kAccountTemplates.size(); ++i) {
      view_.accountTemplates[i] = entriesOf(record.*kAccountTemplates[i], /*sorted=*/false);
      if (view_.accountTemplates[i]) view_.heldAccountTemplates |= std::uint32_t{1} << i;
    }
  }
  RecordView(const RecordView&) = delete;
  RecordView& operator=(const RecordView&) = delete;

  const PayloadView& view() const { return view_; }

 private:
  TemplateView entriesOf(const std::optional<TagDictionary>& map, bool sorted) {
    if (!map) return std::nullopt;
    // Each list keeps its own buffer, which stays put when the list of lists grows.
    std::vector<TemplateEntry>& entries = storage_.emplace_back();
    entries.reserve(map->size());
    for (const auto& [key, value] : *map) {
      const std::string* text = value.string();
      entries.push_back({key, text ? std::optional<std::string_view>(*text) : std::nullopt});
    }
    if (sorted) {
      std::sort(entries.begin(), entries.end(),
                [](const TemplateEntry& a, const TemplateEntry& b) { return a.key < b.key; });
    }
    return std::span<const TemplateEntry>(entries);
  }

  PayloadView view_;
  std::vector<std::vector<TemplateEntry>> storage_;
};

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

std::size_t ZeltoPayMerchantTLVValidator::characters(std::string_view value) const {
  return oneBytePerCharacter_ ? value.size() : text::characterCount(value);
}

bool ZeltoPayMerchantTLVValidator::lengthWithin(std::string_view value, std::size_t min,
                                                std::size_t max) const {
  const std::size_t count = characters(value);
  return count >= min && count <= max;
}

void ZeltoPayMerchantTLVValidator::add(std::string_view code) {
  if (std::find(errorCodes_.begin(), errorCodes_.end(), code) == errorCodes_.end()) {
    errorCodes_.emplace_back(code);
  }
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV00(
    const ZeltoPayMerchantTLV* record) {
  if (record == nullptr) {
    errorCodes_.clear();
    return errorCodes_;
  }
  return validate00(RecordView(*record).view());
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV01(
    const ZeltoPayMerchantTLV* record) {
  if (record == nullptr) {
    errorCodes_.clear();
    return errorCodes_;
  }
  return validate01(RecordView(*record).view());
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validate00(
    const PayloadView& payload) {
  errorCodes_.clear();
  const CharacterCounting counting(*this, payload);
  validateMerchantID(payload.merchantId);
  validateMerchantName(payload.merchantName);
  validateMerchantCategoryCode(payload.merchantCategoryCode);
  validateCityName(payload.cityName);
  validateCountryCode(payload.countryCode);
  validateCurrencyCode(payload.currencyCode);
  validateTransactAmount(payload.transactionAmount);
  validatePrimaryId(payload.primaryId);
  validateSecondaryId(payload.secondaryId);
  validateTipAndFee(payload.tipAndFeeIndicator, payload.convenienceFeeAmount,
                    payload.convenienceFeePercentage);
  return errorCodes_;
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validate01(
    const PayloadView& payload) {
  errorCodes_.clear();
  const CharacterCounting counting(*this, payload);
  validatePayloadFormatIndicator(payload.payloadFormatIndicator);
  validateMerchantID(payload.merchantId);
  validateMerchantCategoryCode(payload.merchantCategoryCode);
  validateCurrencyCode(payload.currencyCode);
  validateTransactAmount(payload.transactionAmount);
  validateTipAndFee(payload.tipAndFeeIndicator, payload.convenienceFeeAmount,
                    payload.convenienceFeePercentage);
  validateCountryCode(payload.countryCode);
  validateMerchantName(payload.merchantName);
  validateCityName(payload.cityName);
  validatePostalCode(payload.postalCode);
  if (payload.additionalData) validateAdditionalData(*payload.additionalData);
  if (payload.languageTemplate) validateLanguageTemplate(*payload.languageTemplate);
  for (std::uint32_t held = payload.heldAccountTemplates; held != 0; held &= held - 1) {
    validateAccountTemplate(*payload.accountTemplates[std::countr_zero(held)]);
  }
  return errorCodes_;
}

void ZeltoPayMerchantTLVValidator::validatePayloadFormatIndicator(
    std::optional<std::string_view> value) {
  if (!value) return;
  if (characters(*value) != 2) {
    add(codes::payloadFormatIndicatorInvalidLength);
  } else if (*value != "01") {
    add(codes::payloadFormatIndicatorInvalidValue);
  }
  if (hasNonDigit(*value)) add(codes::payloadFormatIndicatorInvalidValue);
}

bool ZeltoPayMerchantTLVValidator::validateMerchantID(std::optional<std::string_view> value) {
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
    std::optional<std::string_view> value) {
  if (!value) {
    add(codes::merchantCategoryCodeNotPresent);
  } else if (characters(*value) != 4 || hasNonDigit(*value)) {
    add(codes::merchantCategoryCodeInvalidLength);
  }
}

void ZeltoPayMerchantTLVValidator::validateCurrencyCode(std::optional<std::string_view> value) {
  if (!value) {
    add(codes::currencyCodeNotPresent);
    return;
  }
  // Three characters that are decimal digits read as a number only when they are ASCII.
  const std::string_view digits = *value;
  if (characters(digits) != 3 || hasNonDigit(digits) || digits.size() != 3 ||
      !std::all_of(digits.begin(), digits.end(), isAsciiDigit) ||
      !ISOCountryCodes::isAvailableISOCurrency((digits[0] - '0') * 100 + (digits[1] - '0') * 10 +
                                               (digits[2] - '0'))) {
    add(codes::currencyCodeInvaidLength);
  }
}

void ZeltoPayMerchantTLVValidator::validateTransactAmount(std::optional<std::string_view> value) {
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

void ZeltoPayMerchantTLVValidator::validateTipAndFeeIndicator(const ZeltoPayMerchantTLV& record) {
  validateTipAndFee(record.tipAndFeeIndicator, record.convenienceFeeAmount,
                    record.convenienceFeePercentage);
}

void ZeltoPayMerchantTLVValidator::validateTipAndFee(Text indicator, Text amount, Text percentage) {
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

void ZeltoPayMerchantTLVValidator::validateConveniencePercentage(std::string_view percentage) {
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

void ZeltoPayMerchantTLVValidator::validateCountryCode(std::optional<std::string_view> value) {
  if (!value) {
    add(codes::countryCodeNotPresent);
    return;
  }
  // Two capital letters, which payloads carry, answer the last two rules at once.
  const bool twoCapitals = value->size() == 2 && isCapital((*value)[0]) && isCapital((*value)[1]);
  if (!isRegionCode(*value) ||
      (!twoCapitals && (characters(*value) != 2 || !text::isAllLetters(*value)))) {
    add(codes::countryCodeInvalidLengthOrCharacters);
  }
}

void ZeltoPayMerchantTLVValidator::validateMerchantName(std::optional<std::string_view> value) {
  if (!value) {
    add(codes::merchantNameNotPresent);
  } else if (!lengthWithin(*value, 1, 25)) {
    add(codes::merchantNameInvalidLengthOrCharacters);
  }
}

void ZeltoPayMerchantTLVValidator::validateCityName(std::optional<std::string_view> value) {
  if (!value) {
    add(codes::cityNameNotPresent);
  } else if (!lengthWithin(*value, 1, 15)) {
    add(codes::cityNameInvalidLengthOrCharacters);
  }
}

void ZeltoPayMerchantTLVValidator::validatePostalCode(std::optional<std::string_view> value) {
  if (value && !lengthWithin(*value, 1, 10)) add(codes::postalCodeIndicatorInvalidLength);
}

void ZeltoPayMerchantTLVValidator::validateIdentifier(Text value, std::string_view lengthCode,
                                                      std::string_view emptyCode,
                                                      std::string_view formatCode,
                                                      std::string_view pattern) {
  if (!value) return;
  if (!lengthWithin(*value, 1, 26)) add(lengthCode);
  if (value->empty()) add(emptyCode);
  if (value->starts_with('?')) {
    if (!lengthWithin(*value, 1, 2)) add(lengthCode);
    if (!isValidFormat(*value, pattern)) add(formatCode);
  }
}

void ZeltoPayMerchantTLVValidator::validatePrimaryId(std::optional<std::string_view> value) {
  validateIdentifier(value, codes::primaryIdInvalidLengthOrCharacters,
                     codes::primaryIdTagPresentWithoutValue, codes::primaryIdInvalidFormat,
                     PRIMARY_ID_REGEX);
}

// The secondary ID has no format code of its own: a bad format reports its length code.
void ZeltoPayMerchantTLVValidator::validateSecondaryId(std::optional<std::string_view> value) {
  validateIdentifier(value, codes::secondaryIdInvalidLengthOrCharacters,
                     codes::secondaryIdTagPresentWithoutValue,
                     codes::secondaryIdInvalidLengthOrCharacters, SECONDARY_ID_REGEX);
}

void ZeltoPayMerchantTLVValidator::validateAdditionalDataField(const ZeltoPayMerchantTLV& record) {
  const RecordView view(record);
  if (const TemplateView& entries = view.view().additionalData) validateAdditionalData(*entries);
}

void ZeltoPayMerchantTLVValidator::validateAdditionalData(
    std::span<const TemplateEntry> sortedEntries) {
  for (const TemplateEntry& entry : sortedEntries) {
    if (entry.key != kAdditionalConsumerDataRequest) {
      checkTagLength(kAdditionalDataType, entry.key, &entry, false, 1, 25);
      continue;
    }
    if (!entry.text) continue;
    if (!lengthWithin(*entry.text, 1, 3)) add(codes::additionalConsumerDataInvalidValue);
    if (entry.text->find_first_not_of("AME") != std::string_view::npos) {
      add(codes::additionalConsumerDataInvalidValue);
    }
  }
}

void ZeltoPayMerchantTLVValidator::validateMerchantInformationLanguageTemplate(
    const ZeltoPayMerchantTLV& record) {
  const RecordView view(record);
  if (const TemplateView& entries = view.view().languageTemplate) {
    validateLanguageTemplate(*entries);
  }
}

void ZeltoPayMerchantTLVValidator::validateLanguageTemplate(
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
  for (const auto& rule : kRules) {
    const auto found =
        std::find_if(sortedEntries.begin(), sortedEntries.end(),
                     [&](const TemplateEntry& entry) { return entry.key == rule.key; });
    checkTagLength(kLanguageTemplateType, rule.key,
                   found == sortedEntries.end() ? nullptr : &*found, rule.mandatory, rule.min,
                   rule.max);
  }
  for (const TemplateEntry& entry : sortedEntries) {
    Rule rule{entry.key, false, 1, 99};
    for (const auto& named : kRules) {
      if (named.key == entry.key) rule = named;
    }
    checkTagLength(kLanguageTemplateType, entry.key, &entry, rule.mandatory, rule.min, rule.max);
  }
}

void ZeltoPayMerchantTLVValidator::validateMerchantAccountInformationTemplate(
    const ZeltoPayMerchantTLV& record) {
  const RecordView view(record);
  for (const TemplateView& account : view.view().accountTemplates) {
    if (account) validateAccountTemplate(*account);
  }
}

void ZeltoPayMerchantTLVValidator::validateAccountTemplate(std::span<const TemplateEntry> entries) {
  const auto identifier = std::find_if(
      entries.begin(), entries.end(), [](const TemplateEntry& entry) { return entry.key == "00"; });
  if (identifier == entries.end()) {
    add(account::missingUniqueIdentifier);
  } else if (identifier->text && !lengthWithin(*identifier->text, 1, 32)) {
    add(account::invalidLength);
  }
}

void ZeltoPayMerchantTLVValidator::validateCRC(std::optional<std::string_view> crc,
                                               std::optional<std::string_view> tlvString) {
  if (!crc || !tlvString) return;
  // Four ASCII characters but "\r" are four characters without counting.
  const bool fourBytes = crc->size() == 4 && std::none_of(crc->begin(), crc->end(), [](char c) {
                           return static_cast<unsigned char>(c) >= 0x80 || c == '\r';
                         });
  if (!fourBytes && characters(*crc) != 4) {
    add(codes::crcInvalidValue);
    return;
  }
  // The text before the CRC value: after decoding, the value is the text's last 4 characters.
  std::optional<std::size_t> bodyEnd;
  if (tlvString->ends_with(*crc)) {
    bodyEnd = tlvString->size() - crc->size();
  } else if (const std::size_t count = characters(*tlvString); count >= 4) {
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
  const TagValue* value = dataDictionary.find(tagKey);
  if (value == nullptr) {
    checkTagLength(type, tagKey, nullptr, isMandatory, minLenght, maxLenght);
    return;
  }
  const std::string* text = value->string();
  const TemplateEntry entry{tagKey, text ? std::optional<std::string_view>(*text) : std::nullopt};
  checkTagLength(type, tagKey, &entry, isMandatory, minLenght, maxLenght);
}

void ZeltoPayMerchantTLVValidator::checkTagLength(std::string_view type, std::string_view tagKey,
                                                  const TemplateEntry* entry, bool isMandatory,
                                                  std::size_t minLength, std::size_t maxLength) {
  if (entry == nullptr) {
    if (!isMandatory) return;
    if (tagKey == kLanguagePreference) add(language::missingLanguagePreferenceTag);
    if (tagKey == kMerchantNameAlternateLanguage) add(language::missingMerchantNameTag);
    return;
  }
  if (!entry->text || lengthWithin(*entry->text, minLength, maxLength)) return;
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
  return request_checks::convertMerchantIdToPan(merchantId);
}

bool ZeltoPayMerchantTLVValidator::luhnsAlgorithmCheck(std::string_view forPan) {
  return luhn::luhnCheckSkippingOthers(forPan);
}

std::vector<std::string> TLVGenerator::tlvValidation(std::string_view tlvString) {
  auto& validator = ZeltoPayMerchantTLVValidator::sharedValidator();
  // Nearly every payload is plain: its fields are read in place, without building a record.
  thread_local PlainPayload reader;
  if (const PayloadView* plain = reader.read(tlvString)) {
    validator.validate01(*plain);
    validator.validateCRC(plain->crc, tlvString);
    return validator.errorCodes();
  }
  ZeltoPayMerchantTLV record;
  if (record.decodeTLV(tlvString)) return {std::string(codes::malformedTags)};
  if (!record.payloadFormatIndicator) return validator.validatePayMerchantTLV00(&record);
  validator.validatePayMerchantTLV01(&record);
  validator.validateCRC(record.crc, tlvString);
  return validator.errorCodes();
}

}  // namespace zelto
