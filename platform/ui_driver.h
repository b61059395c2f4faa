// Drives the user interface as a user would: finds views by accessibility identifier and sends
// them taps and typed text. Used by tests and by the `zelto` tool.
//
// Only the frontmost screen of a window can be reached (a dialog or a presented screen covers
// what is below it). A tap is delivered through Window::sendEvent, so it counts as activity for
// windows that watch their events; typing goes to the field directly, as a keyboard does.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_UI_DRIVER_H_
#define ZELTO_PLATFORM_UI_DRIVER_H_

#include <memory>
#include <string_view>

#include "platform/window.h"

namespace zelto::platform {

enum class DriveResult {
  kDone,
  kNotFound,        // no view with that identifier on the frontmost screen
  kNotInteractive,  // hidden, transparent or disabled (itself or a view above it)
  kNotEditable,     // typing into a view that takes no text
};

// "done", "not found", "not interactive", "not editable".
std::string_view describe(DriveResult result);

// The view with `identifier` on the frontmost screen of `window`, or null.
std::shared_ptr<View> findView(Window& window, std::string_view identifier);

DriveResult tap(Window& window, std::string_view identifier);
// Types `text` at the end of the text field or text view `identifier`.
DriveResult typeText(Window& window, std::string_view identifier, std::string_view text);

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_UI_DRIVER_H_
