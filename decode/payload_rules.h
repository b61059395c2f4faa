// The rules of the pay-merchant validator (decode/pay_merchant_validator.h), one operation each,
// over the values of a payload view (decode/payload_view.h). Each appends the codes it finds
// (decode/qr_error.h) to a list it is given, unless the list holds them already.
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
// Thread-safety: a PayloadRules object and its list belong to one thread at a time.
#ifndef ZELTO_DECODE_PAYLOAD_RULES_H_
#define ZELTO_DECODE_PAYLOAD_RULES_H_

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

class PayloadRules {
 public:
  // A value as the view holds it, absent or text. Taken by reference: a copy would go through
  // memory, and reading it back at once from the stores that made it stalls the processor.
  using Text = std::optional<std::string_view>;

  // Rules that append to `codes`. With `oneBytePerCharacter`, the values are known to hold one
  // byte per character (PayloadView::oneBytePerCharacter) and lengths are their sizes.
  explicit PayloadRules(std::vector<std::string>& codes, bool oneBytePerCharacter = false)
      : codes_(codes), oneBytePerCharacter_(oneBytePerCharacter) {}

  void validatePayloadFormatIndicator(const Text& value);
  // True when none of its checks failed.
  bool validateMerchantID(const Text& value);
  void validateMerchantCategoryCode(const Text& value);
  void validateCurrencyCode(const Text& value);
  void validateTransactAmount(const Text& value);
  // I = tipAndFeeIndicator, A = convenienceFeeAmount, P = convenienceFeePercentage.
  //   I absent: A or P present "29", stop. I not "01"/"02"/"03" (ignoring case): "28", stop.
  //   "01": A or P present "29". "02": A checked by validateConvenienceFeeAmount, absent "39".
  //   "03": P checked by validateConveniencePercentage, absent "39".
  void validateTipAndFeeIndicator(const Text& indicator, const Text& amount,
                                  const Text& percentage);
  void validateCountryCode(const Text& value);
  void validateMerchantName(const Text& value);
  void validateCityName(const Text& value);
  void validatePostalCode(const Text& value);
  void validatePrimaryId(const Text& value);
  void validateSecondaryId(const Text& value);
  // The templates' entries, those of "62" and "64" sorted by key (PayloadView).
  void validateAdditionalDataField(std::span<const TemplateEntry> sortedEntries);
  void validateMerchantInformationLanguageTemplate(std::span<const TemplateEntry> sortedEntries);
  void validateMerchantAccountInformationTemplate(std::span<const TemplateEntry> entries);
  // `tlvString` is the whole payload text; nothing when `crc` is absent.
  void validateCRC(const Text& crc, std::string_view tlvString);

  // Not 1-13 characters, or a letter: "31"; otherwise a character other than digits and ".",
  // not a number, or not above 0: "32"; empty: "34".
  void validateConvenienceFeeAmount(std::string_view amount);
  // Not 1-5 characters "35"; a letter "36"; a character other than digits and "." "36";
  // otherwise empty "38", or not a number from 0.01 to 99.99 "36".
  void validateConveniencePercentage(std::string_view percentage);
  // On the entry found under `tagKey` (nullptr when absent). Present text outside
  // minLenght-maxLenght characters: "53" for languagePreference, "54" for
  // merchantNameAlternateLanguage, else "55" when `type` is
  // "merchantInformationLanguageTemplate", else "45". Absent and mandatory: "51" for
  // languagePreference, "52" for merchantNameAlternateLanguage.
  void tagMandatoryLengthCheck(std::string_view type, std::string_view tagKey,
                               const TemplateEntry* entry, bool isMandatory, std::size_t minLenght,
                               std::size_t maxLenght);

  // An identifier of 7 to 15 characters becomes 16: its first 6 characters, "0"s, then the
  // rest ("41234567890" gives "4123450000067890"); others are returned unchanged. The same rule
  // as the payment request's (payload/request_checks.h).
  static std::string convertMerchantIdToPan(std::string_view merchantId);
  // The Luhn check that skips a character other than an ASCII digit, which keeps its number;
  // text without digits passes (payload/luhn.h).
  static bool luhnsAlgorithmCheck(std::string_view forPan);

 private:
  std::size_t characters(std::string_view value) const;
  bool lengthWithin(std::string_view value, std::size_t min, std::size_t max) const;
  // Appends `code` unless the list holds it already.
  void add(std::string_view code);
  // The one rule of the primary and the secondary ID, with the codes each reports: 1 to 26
  // characters; present, then not empty; a value beginning with "?" has at most 2 characters
  // and matches `pattern`.
  void validateIdentifier(const Text& value, std::string_view lengthCode,
                          std::string_view emptyCode, std::string_view formatCode,
                          std::string_view pattern);

  std::vector<std::string>& codes_;
  const bool oneBytePerCharacter_;
};

}  // namespace zelto

#endif  // ZELTO_DECODE_PAYLOAD_RULES_H_
