// The pay-merchant validator: checks a decoded merchant payload (ZeltoPayMerchantTLV) rule by
// rule and reports every broken rule as a QR error code (decode/qr_error.h). All rules run, in a
// fixed order; the result is the list of distinct codes in the order they were first found,
// empty when the payload is valid.
//
// The entry point is TLVGenerator::tlvValidation (payload/tlv_generator.h): it decodes the text
// and returns ["0"] when that fails; otherwise it runs validatePayMerchantTLV00 for a record
// without a payload format indicator (format 00), or validatePayMerchantTLV01 followed by
// validateCRC against the text.
//
// Rule order. Format 00: merchant ID, merchant name, category code, city, country, currency,
// amount, primary ID, secondary ID, tip and fee indicator. Format 01: payload format indicator,
// merchant ID, category code, currency, amount, tip and fee indicator, country, merchant name,
// city, postal code, additional data template "62", language template "64", merchant account
// templates "26"-"51" (then the CRC). Within one template, keys are visited in sorted order, so
// the codes found inside it come out in a stable order.
//
// Rules, for a present value (absent ones report only where a code is named for it):
//   payload format indicator  not 2 characters "41"; otherwise not "01" "42"; a non-digit "42"
//   merchant ID               not beginning with "4" "1"; not 8-16 characters "2"; not an
//                             unsigned 64-bit decimal "4"; Luhn check of the 16-character PAN
//                             form (convertMerchantIdToPan) fails "3"
//   category code             absent "9"; not 4 digits "8"
//   merchant name             absent "7"; not 1-25 characters "6"
//   city name                 absent "11"; not 1-15 characters "10"
//   country code              absent "13"; not an ISO 3166-1 alpha-2 region code of the
//                             platform (upper case), 2 letters "12"
//   currency code             absent "15"; not 3 digits naming an ISO 4217 currency of
//                             ISOCountryCodes::availableISOCurrencies() "14"
//   transaction amount        digits only: 1-12 characters, else 1-13, "16"; a letter, a
//                             character other than digits and ".", not a number, or not above 0
//                             "17"; empty "18"
//   postal code               not 1-10 characters "43"
//   primary (secondary) ID    not 1-26 characters "20" ("24"); empty "21" ("25"); beginning with
//                             "?": more than 2 characters "20" ("24"), a second character
//                             outside 1-9, a-q, A-Q "23" ("24")
//   tip and fee indicator     see validateTipAndFeeIndicator below
//   "62" sub-fields           additionalConsumerDataRequest: not 1-3 of "A", "M", "E" "46";
//                             any other: not 1-25 characters "45"
//   "64" sub-fields           languagePreference missing "51", not 2 characters "53";
//                             merchantNameAlternateLanguage missing "52", not 1-25 "54";
//                             merchantCityAlternateLanguage not 2-15 "55"; others not 1-99 "55"
//   "26"-"51"                 sub-tag "00" missing "49", not 1-32 characters "50"
//   CRC                       not 4 characters, not hexadecimal (either case), or not the
//                             CRC-16 of the text before its last 4 characters "48"
// Lengths are user-perceived characters; digits and letters are Unicode decimal digits and
// letters (zelto::text), numbers follow zelto::text::parseDouble and parseInteger.
//
// Thread-safety: sharedValidator() is one instance per thread, so validations on different
// threads never mix their lists. A validator object must not be shared between threads.
#ifndef ZELTO_DECODE_PAY_MERCHANT_VALIDATOR_H_
#define ZELTO_DECODE_PAY_MERCHANT_VALIDATOR_H_

#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tag_dictionary.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decode/payload_view.h"

namespace zelto {

// Both the primary and the secondary ID in their "?" form: the second character must match.
inline constexpr std::string_view PRIMARY_ID_REGEX = "^[1-9a-qA-Q]";
inline constexpr std::string_view SECONDARY_ID_REGEX = "^[1-9a-qA-Q]";

// True when `text` holds at least one match of the regular expression `pattern` (ICU syntax,
// no options). A pattern that does not compile gives false and a message on the debug console
// (base/debug_console.h). Compiled patterns are kept per thread.
bool isMatchingRegex(std::string_view pattern, std::string_view text);
// True when `text` has fewer than 2 characters, otherwise whether its second character alone
// matches `pattern`.
bool isValidFormat(std::string_view text, std::string_view pattern);
// Equality after converting both texts to lower case.
bool isEqualTo(std::string_view text, std::string_view other);

class ZeltoPayMerchantTLVValidator {
 public:
  // This thread's validator.
  static ZeltoPayMerchantTLVValidator& sharedValidator();

  // Empty the list, run every rule of the format on `record` (nothing for nullptr) and return
  // the list.
  const std::vector<std::string>& validatePayMerchantTLV00(const ZeltoPayMerchantTLV* record);
  const std::vector<std::string>& validatePayMerchantTLV01(const ZeltoPayMerchantTLV* record);

  // The rules; each appends the codes it finds to the list.
  void validatePayloadFormatIndicator(std::optional<std::string_view> value);
  // True when none of its checks failed.
  bool validateMerchantID(std::optional<std::string_view> value);
  void validateMerchantCategoryCode(std::optional<std::string_view> value);
  void validateCurrencyCode(std::optional<std::string_view> value);
  void validateTransactAmount(std::optional<std::string_view> value);
  // I = tipAndFeeIndicator, A = convenienceFeeAmount, P = convenienceFeePercentage.
  //   I absent: A or P present "29", stop. I not "01"/"02"/"03" (ignoring case): "28", stop.
  //   "01": A or P present "29". "02": A checked by validateConvenienceFeeAmount, absent "39".
  //   "03": P checked by validateConveniencePercentage, absent "39".
  void validateTipAndFeeIndicator(const ZeltoPayMerchantTLV& record);
  void validateCountryCode(std::optional<std::string_view> value);
  void validateMerchantName(std::optional<std::string_view> value);
  void validateCityName(std::optional<std::string_view> value);
  void validatePostalCode(std::optional<std::string_view> value);
  void validatePrimaryId(std::optional<std::string_view> value);
  void validateSecondaryId(std::optional<std::string_view> value);
  void validateAdditionalDataField(const ZeltoPayMerchantTLV& record);
  void validateMerchantInformationLanguageTemplate(const ZeltoPayMerchantTLV& record);
  void validateMerchantAccountInformationTemplate(const ZeltoPayMerchantTLV& record);
  // Nothing when either is absent.
  void validateCRC(std::optional<std::string_view> crc, std::optional<std::string_view> tlvString);

  // Not 1-13 characters, or a letter: "31"; otherwise a character other than digits and ".",
  // not a number, or not above 0: "32"; empty: "34".
  void validateConvenienceFeeAmount(std::string_view amount);
  // Not 1-5 characters "35"; a letter "36"; a character other than digits and "." "36";
  // otherwise empty "38", or not a number from 0.01 to 99.99 "36".
  void validateConveniencePercentage(std::string_view percentage);
  // Looks `tagKey` up in `dataDictionary`. Present text outside minLenght-maxLenght characters:
  // "53" for languagePreference, "54" for merchantNameAlternateLanguage, else "55" when `type`
  // is "merchantInformationLanguageTemplate", else "45". Absent and mandatory: "51" for
  // languagePreference, "52" for merchantNameAlternateLanguage.
  void tagMandatoryLengthCheck(std::string_view type, std::string_view tagKey,
                               const TagDictionary& dataDictionary, bool isMandatory,
                               std::size_t minLenght, std::size_t maxLenght);

  // An identifier of 7 to 15 characters becomes 16: its first 6 characters, "0"s, then the
  // rest ("41234567890" gives "4123450000067890"); others are returned unchanged. The same rule
  // as the payment request's (payload/request_checks.h).
  static std::string convertMerchantIdToPan(std::string_view merchantId);
  // The Luhn check that skips a character other than an ASCII digit, which keeps its number;
  // text without digits passes (payload/luhn.h).
  static bool luhnsAlgorithmCheck(std::string_view forPan);

  const std::vector<std::string>& errorCodes() const { return errorCodes_; }

 private:
  // tlvValidation reads plain payloads into a view and validates the view.
  friend class TLVGenerator;
  using Text = std::optional<std::string_view>;

  // The rules of each format over the fields of a payload, from a record or from its text.
  const std::vector<std::string>& validate00(const PayloadView& payload);
  const std::vector<std::string>& validate01(const PayloadView& payload);
  void validateTipAndFee(Text indicator, Text amount, Text percentage);
  void validateAdditionalData(std::span<const TemplateEntry> sortedEntries);
  void validateLanguageTemplate(std::span<const TemplateEntry> sortedEntries);
  void validateAccountTemplate(std::span<const TemplateEntry> entries);

  // Counts the characters of a payload's values as bytes while validate00/01 run on a view whose
  // values hold one byte per character.
  class CharacterCounting {
   public:
    CharacterCounting(ZeltoPayMerchantTLVValidator& validator, const PayloadView& payload)
        : validator_(validator) {
      validator_.oneBytePerCharacter_ = payload.oneBytePerCharacter;
    }
    ~CharacterCounting() { validator_.oneBytePerCharacter_ = false; }
    CharacterCounting(const CharacterCounting&) = delete;
    CharacterCounting& operator=(const CharacterCounting&) = delete;

   private:
    ZeltoPayMerchantTLVValidator& validator_;
  };
  std::size_t characters(std::string_view value) const;
  bool lengthWithin(std::string_view value, std::size_t min, std::size_t max) const;

  // Appends `code` unless the list holds it already.
  void add(std::string_view code);
  // The one rule of the primary and the secondary ID, with the codes each reports: 1 to 26
  // characters; present, then not empty; a value beginning with "?" has at most 2 characters
  // and matches `pattern`.
  void validateIdentifier(Text value, std::string_view lengthCode, std::string_view emptyCode,
                          std::string_view formatCode, std::string_view pattern);
  // tagMandatoryLengthCheck on the entry found under `tagKey` (nullptr when absent).
  void checkTagLength(std::string_view type, std::string_view tagKey, const TemplateEntry* entry,
                      bool isMandatory, std::size_t minLength, std::size_t maxLength);

  std::vector<std::string> errorCodes_;
  bool oneBytePerCharacter_ = false;
};

}  // namespace zelto

#endif  // ZELTO_DECODE_PAY_MERCHANT_VALIDATOR_H_
