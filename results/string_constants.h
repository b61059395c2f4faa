// The module's constant texts. Validation messages are plain text, reported exactly as written
// here; localisation keys are looked up in the library's string table.
//
// StringConstants is a namespace so that each subsystem can add its own group of constants in
// a header of its own; every group lives in zelto::StringConstants.
#ifndef ZELTO_RESULTS_STRING_CONSTANTS_H_
#define ZELTO_RESULTS_STRING_CONSTANTS_H_

#include <string_view>

namespace zelto::StringConstants {

// Refund request checks.
inline constexpr std::string_view LAST_FOUR_DIGITS_CANNOT_BE_EMPTY =
    "Last four digits of the card cannot be empty";
inline constexpr std::string_view LAST_FOUR_DIGITS_MANDATORY =
    "Last Four digits of the card number should contain only four digits";
inline constexpr std::string_view LAST_FOUR_SHOULD_BE_NUMERIC = "Card last 4 should be numeric";
inline constexpr std::string_view CARDHOLDER_INVALID = "Cardholder name is invalid";
inline constexpr std::string_view CURRENCY_CODE_IS_NOT_PRESENT = "Currency code is not present";
inline constexpr std::string_view CURRENCY_CODE_INVALID_LENGTH =
    "Currency code must be 3 characters long";
inline constexpr std::string_view CURRENCY_CODE_INVALID_FORMAT =
    "Invalid currency code format. Currency code must be in integer format";
inline constexpr std::string_view CURRENCY_CODE_INVALID_ISO_FORMAT =
    "Currency Code is not in ISO format";
inline constexpr std::string_view REFUND_AMOUNT_INVALID = "Refund amount is invalid";

// Payment request checks.
inline constexpr std::string_view PAYLOAD_FORMAT_INDICATOR_NOT_VALID =
    "Payload format indicator not valid";
inline constexpr std::string_view MERCHANT_ID_NOT_VALID = "Merchant ID not valid";
inline constexpr std::string_view MERCHANT_NAME_NOT_VALID = "Merchant name not valid";
inline constexpr std::string_view MERCHANT_CATEGORY_CODE_NOT_VALID =
    "Merchant category code not valid";
inline constexpr std::string_view CITY_NAME_NOT_VALID = "City name not valid";
inline constexpr std::string_view COUNTRY_CODE_NOT_VALID = "Country code not valid";
inline constexpr std::string_view CURRENCY_CODE_NOT_VALID = "Currency code not valid";
inline constexpr std::string_view TIP_INDICATOR_NOT_VALID = "Tip indicator not valid";
inline constexpr std::string_view TIP_AMOUNT_NOT_VALID = "Tip amount not valid";
inline constexpr std::string_view TIP_PERCENTAGE_NOT_VALID = "Tip percentage not valid";
inline constexpr std::string_view POSTAL_CODE_NOT_VALID = "Postal code not valid";

}  // namespace zelto::StringConstants

#endif  // ZELTO_RESULTS_STRING_CONSTANTS_H_
