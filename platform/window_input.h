// Input as a display delivers it: a tap at a point, a scroll, text typed and the delete key for
// the field that has the keyboard, and "back". For hosts that show the library's window themselves
// (the C interface's display functions); tests and tools that know identifiers use ui_driver.h.
//
// Every operation works on the frontmost screen of the window (a dialog or a presented screen
// covers what is below it) and ends by sending the window an event, so each counts as activity
// for a window that watches its events (the refund flow's idle timer). Each returns whether a
// view took the input.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_WINDOW_INPUT_H_
#define ZELTO_PLATFORM_WINDOW_INPUT_H_

#include <zelto/base/geometry.h>

#include <memory>
#include <string_view>

#include "platform/window.h"

namespace zelto::platform {

// Scrolls the nearest scroll view at or above `view` that can move by (dx, dy) points (positive
// dy shows what lies further down), keeping within its content and insets. Returns whether one
// moved.
bool scrollFrom(const std::shared_ptr<View>& view, double dx, double dy);

// A scroll gesture (a wheel, two fingers) at `point`: scrollFrom() the frontmost view there. It
// counts as activity whether or not anything moved. Returns whether a scroll view moved.
bool scrollAt(Window& window, Point point, double dx, double dy);

// A touch at `point` (window points) reaches the nearest control or text input at or above the
// frontmost interactive view there: a control handles the tap, a text input takes the keyboard.
// False when the touch lands on the background or outside the window.
bool tapAt(Window& window, Point point);

// Types `text` (UTF-8) into the text field or text view that has the keyboard, one
// user-perceived character at a time through the field's filter. False when no interactive
// text input has the keyboard; a key the filter refuses still counts as taken.
bool typeText(Window& window, std::string_view text);

// The delete key in the text field that has the keyboard.
bool deleteBackward(Window& window);

// "Back": the cancel action of a dialog in front (its cancel-style action, or else the first
// action that only closes it; nothing when it has neither); otherwise the leading control (the
// leftmost, the rightmost in a right-to-left layout) in the leading half of the front screen's
// navigation bar (its back or close button), or, on a screen that hides its bar, the leading
// control of the screen's header (the top 64 points).
bool goBack(Window& window);

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_WINDOW_INPUT_H_
