// Constant texts of amount display: labels and the localisation keys of the "Pay", "Refund" and
// "Invalid" texts with their placeholders.
#ifndef ZELTO_CURRENCY_CURRENCY_CONSTANTS_H_
#define ZELTO_CURRENCY_CURRENCY_CONSTANTS_H_

#include <string_view>

namespace zelto::StringConstants {

// Labels that choose a template.
inline constexpr std::string_view kPay = "Pay";
inline constexpr std::string_view kRefund = "Refund";
inline constexpr std::string_view REVIEW_PAYMENT_TIPS = "Add Tip";

// Localisation keys.
inline constexpr std::string_view REVIEW_PAYMENT_PAY = "REVIEW_PAYMENT_PAY";
inline constexpr std::string_view REVIEW_PAYMENT_REFUND_TITLE = "REVIEW_PAYMENT_REFUND_TITLE";
inline constexpr std::string_view PAY_CURRENCY_AMOUNT = "Pay [currency] [amount]";
inline constexpr std::string_view REFUND_CURRENCY_AMOUNT = "Refund [currency] [amount]";
inline constexpr std::string_view INVALID_TIP = "Invalid Tip";
inline constexpr std::string_view INVALID_DEFAULT_LABEL = "Invalid [Default Label]";

// Placeholders replaced after lookup.
inline constexpr std::string_view CURRENCY_PLACEHOLDER = "[currency]";
inline constexpr std::string_view AMOUNT_PLACEHOLDER = "[amount]";
inline constexpr std::string_view DEFAULT_LABEL_PLACEHOLDER = "[Default Label]";

}  // namespace zelto::StringConstants

#endif  // ZELTO_CURRENCY_CURRENCY_CONSTANTS_H_
