// The QR error codes that payload validation reports, and the two records a host can wrap them
// in.
//
// ZeltoErrorConstants: one short decimal code per broken rule of the merchant QR format. Codes
// 5, 19, 22, 26, 27, 33, 37, 40, 44 and 47 are not used; "30" is never produced by the
// validator. The constant names are the codes' meaning; no description texts exist.
//
// QRCodeError holds a list of codes as given (no check, no de-duplication):
//   description():   every code followed by one space ("9 15 "; "" for an empty list);
//   getJSONOutput(): pretty-printed JSON (two-space indent) of an object with the members
//                    "qrCodeError", the codes in list order (repetitions kept), and
//                    "qrCodeData", an empty object. A code that reads as a decimal integer
//                    (zelto::text::parseInteger: optional sign, ASCII digits) is written as a
//                    JSON number; any other code is written as the JSON string it is, so that
//                    nothing is lost and the output stays valid JSON. The text is ASCII:
//                    other characters are escaped ("\u00e9"), ill-formed UTF-8 becomes U+FFFD.
// QRError holds one code and a description; dictionaryOutput() maps "errorCode" and
// "errorDescription" to them.
//
// Records are shared through std::shared_ptr by convention; both have only the initialisers
// below. Thread-safety: plain records; callers serialise access.
#ifndef ZELTO_DECODE_QR_ERROR_H_
#define ZELTO_DECODE_QR_ERROR_H_

#include <zelto/export.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zelto {

namespace ZeltoErrorConstants {
inline constexpr std::string_view malformedTags = "0";
inline constexpr std::string_view merchantIdInvalidStartingDigit = "1";
inline constexpr std::string_view merchantIdInvalidLength = "2";
inline constexpr std::string_view merchantIdInvalidCheckDigit = "3";
inline constexpr std::string_view merchantIdInvalidFormat = "4";
inline constexpr std::string_view merchantNameInvalidLengthOrCharacters = "6";
inline constexpr std::string_view merchantNameNotPresent = "7";
inline constexpr std::string_view merchantCategoryCodeInvalidLength = "8";
inline constexpr std::string_view merchantCategoryCodeNotPresent = "9";
inline constexpr std::string_view cityNameInvalidLengthOrCharacters = "10";
inline constexpr std::string_view cityNameNotPresent = "11";
inline constexpr std::string_view countryCodeInvalidLengthOrCharacters = "12";
inline constexpr std::string_view countryCodeNotPresent = "13";
inline constexpr std::string_view currencyCodeInvaidLength = "14";
inline constexpr std::string_view currencyCodeNotPresent = "15";
inline constexpr std::string_view transactionAmountInvalidLength = "16";
inline constexpr std::string_view transactionAmountIncorrectValue = "17";
inline constexpr std::string_view transactionAmountTagPresentWithoutAmountValue = "18";
inline constexpr std::string_view primaryIdInvalidLengthOrCharacters = "20";
inline constexpr std::string_view primaryIdTagPresentWithoutValue = "21";
inline constexpr std::string_view primaryIdInvalidFormat = "23";
inline constexpr std::string_view secondaryIdInvalidLengthOrCharacters = "24";
inline constexpr std::string_view secondaryIdTagPresentWithoutValue = "25";
inline constexpr std::string_view tipAndFeeIndicatorInvalidCriteria = "28";
inline constexpr std::string_view tipAndFeeIndicatorInvalidTagsPresent = "29";
inline constexpr std::string_view tipAndFeeIndicatorTagPresentWithoutValue = "30";
inline constexpr std::string_view convenienceFeeAmountInvalidLength = "31";
inline constexpr std::string_view convenienceFeeAmountIncorrectValue = "32";
inline constexpr std::string_view convenienceFeeTagPresentWithoutValue = "34";
inline constexpr std::string_view convenienceFeePercentageInvalidLength = "35";
inline constexpr std::string_view convenienceFeePercentageIncorrectValue = "36";
inline constexpr std::string_view convenienceFeePercentageTagPresentWithoutValue = "38";
inline constexpr std::string_view convenienceInvalidTagPresent = "39";
inline constexpr std::string_view payloadFormatIndicatorInvalidLength = "41";
inline constexpr std::string_view payloadFormatIndicatorInvalidValue = "42";
inline constexpr std::string_view postalCodeIndicatorInvalidLength = "43";
inline constexpr std::string_view additionalDataInformationInvalidLength = "45";
inline constexpr std::string_view additionalConsumerDataInvalidValue = "46";
inline constexpr std::string_view crcInvalidValue = "48";

namespace merchantAccountInformationTemplate {
inline constexpr std::string_view missingUniqueIdentifier = "49";
inline constexpr std::string_view invalidLength = "50";
}  // namespace merchantAccountInformationTemplate

namespace merchantLanguageInformationTemplate {
inline constexpr std::string_view missingLanguagePreferenceTag = "51";
inline constexpr std::string_view missingMerchantNameTag = "52";
inline constexpr std::string_view languagePreferenceInvalidTagLength = "53";
inline constexpr std::string_view merchantNameInvalidTagLength = "54";
inline constexpr std::string_view invalidLengthTag = "55";
}  // namespace merchantLanguageInformationTemplate
}  // namespace ZeltoErrorConstants

class ZELTO_EXPORT QRCodeError {
 public:
  explicit QRCodeError(std::vector<std::string> errorCodes);

  std::string description() const;
  std::string getJSONOutput() const;

  std::vector<std::string> errorCodes;
};

class ZELTO_EXPORT QRError {
 public:
  QRError(std::string errorCode, std::string description);

  std::map<std::string, std::string> dictionaryOutput() const;

  std::string errorCode;
  std::string errorDescription;
};

}  // namespace zelto

#endif  // ZELTO_DECODE_QR_ERROR_H_
