// Constant texts of the session, its window and its configuration.
#ifndef ZELTO_SDK_SESSION_CONSTANTS_H_
#define ZELTO_SDK_SESSION_CONSTANTS_H_

#include <string_view>

namespace zelto::StringConstants {

// Image of the back button of every screen, from the library's bundle.
inline constexpr std::string_view ICON_NAVIGATION_BACK = "icon_left_arrow";

// Posted (no object) when a flow has been idle too long; the host observes it.
inline constexpr std::string_view SESSION_TIMEOUT_NOTIFICATION = "ZELTOSessionTimeOut";
// Posted by the library's window for every event it receives; private to the library.
inline constexpr std::string_view SESSION_TOUCH_EVENT_OCCURRED =
    "com.zelto.merchantsdk.sessionTouchEventOccurred";

// Localisation keys of the timeout dialog.
inline constexpr std::string_view ZELTO_SESSION_TIMEOUT_DIALOG = "ZELTO_SESSION_TIMEOUT_DIALOG";
inline constexpr std::string_view ZELTO_OK = "ZELTO_OK";

// Debug console texts.
inline constexpr std::string_view CONFIGURATION_DURING_FLOW =
    "Error: Cannot set configuration during SDK Flow";
inline constexpr std::string_view TIMEOUT_CANNOT_BE_NEGATIVE =
    "Time out seconds cannot be negative";

// Reported when a launch is given no request at all.
inline constexpr std::string_view PAYMENT_REQUEST_MISSING = "Payment request is missing";
inline constexpr std::string_view REFUND_REQUEST_MISSING = "Refund request is missing";

// Accessibility identifier of the back button.
inline constexpr std::string_view BACK_BUTTON_IDENTIFIER = "Back_Button";

}  // namespace zelto::StringConstants

#endif  // ZELTO_SDK_SESSION_CONSTANTS_H_
