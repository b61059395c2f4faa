// Constant texts of the confirm and refund screens: localisation keys and the accessibility
// identifiers scripts use.
#ifndef ZELTO_SCREENS_REFUND_CONSTANTS_H_
#define ZELTO_SCREENS_REFUND_CONSTANTS_H_

#include <string_view>

namespace zelto::StringConstants {

inline constexpr std::string_view CONFIRM_PAYMENT_TITLE = "CONFIRM_PAYMENT_TITLE";
inline constexpr std::string_view REVIEW_PAYMENT_REFUND_AMOUNT = "Refund Amount";
inline constexpr std::string_view SUMMARY_TITLE = "Summary";
inline constexpr std::string_view REVIEW_PAYMENT_ORIGINAL_TRANSACTION =
    "REVIEW_PAYMENT_ORIGINAL_TRANSACTION";
inline constexpr std::string_view REVIEW_PAYMENT_TOTAL_AFTER_REFUND =
    "REVIEW_PAYMENT_TOTAL_AFTER_REFUND";
inline constexpr std::string_view CONFIRM_REFUND_TITLE = "CONFIRM_REFUND_TITLE";
// Holds the placeholders "[%name]" (the card holder) and "[%value]" (the amount).
inline constexpr std::string_view CONFIRM_REFUND_MESSAGE = "CONFIRM_REFUND_MESSAGE";
inline constexpr std::string_view ZELTO_CANCEL = "ZELTO_CANCEL";
inline constexpr std::string_view ZELTO_CONTINUE = "ZELTO_CONTINUE";
// The card network named before the last four digits of a card.
inline constexpr std::string_view CARD_PREFIX = "Orvan ...";

inline constexpr std::string_view PAY_BUTTON_IDENTIFIER = "PAY_BUTTON";
inline constexpr std::string_view CONTINUE_BUTTON_IDENTIFIER = "Continue_Button";

}  // namespace zelto::StringConstants

#endif  // ZELTO_SCREENS_REFUND_CONSTANTS_H_
