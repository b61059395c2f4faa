// Drives the user interface as a user would: finds views by accessibility identifier and sends
// them taps, keys and switch flips, chooses actions of dialogs, and describes what the frontmost
// screen shows. Used by tests and by the `zelto` tool.
//
// Only the frontmost screen of a window can be reached (a dialog or a presented screen covers
// what is below it). Taps, switch flips and dialog choices are delivered through
// Window::sendEvent, so they count as activity for windows that watch their events; keys go to
// the field directly, as a keyboard does, one user-perceived character at a time through the
// field's change filter.
//
// Thread-safety: main thread only.
#ifndef ZELTO_HOST_UI_DRIVER_H_
#define ZELTO_HOST_UI_DRIVER_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace zelto::host {

using platform::Rect;
using platform::View;
using platform::Window;

enum class DriveResult {
  kDone,
  kNotFound,        // no view with that identifier (or dialog action with that title)
  kNotInteractive,  // hidden, transparent, disabled or not taking touches (or a view above it)
  kNotEditable,     // typing into a view that takes no text
  kNotASwitch,      // toggling a view that is not a switch
  kNoAlert,         // choosing a dialog action while no dialog is in front
};

// "done", "not found", "not interactive", "not editable", "not a switch", "no alert".
std::string_view describe(DriveResult result);

struct KeysResult {
  DriveResult status = DriveResult::kDone;
  // Each key the field's filter refused, in order: the character typed, or for the delete key
  // the character it would have removed.
  std::vector<std::string> refusedKeys;
};

// The view with `identifier` on the frontmost screen of `window`, or null.
std::shared_ptr<View> findView(Window& window, std::string_view identifier);

DriveResult tap(Window& window, std::string_view identifier);
// Types `text` at the end of the text field or text view `identifier`, key by key.
KeysResult typeText(Window& window, std::string_view identifier, std::string_view text);
// Presses the delete key `count` times in the text field `identifier`.
KeysResult deleteBackward(Window& window, std::string_view identifier, std::size_t count);
// Taps the switch `identifier`: it flips and runs its value-changed actions.
DriveResult toggleSwitch(Window& window, std::string_view identifier);
// Taps the action of the dialog in front titled `title`, or whose button has that identifier.
DriveResult selectAlertAction(Window& window, std::string_view title);

// One element of the frontmost screen, as a tool prints it.
struct ElementDescription {
  std::string identifier;
  // "view", "label", "button", "textField", "textView", "switch", "image",
  // "activityIndicator", "scrollView", "navigationBar", "cell" (a table view's row).
  std::string kind;
  // A label's text, a button's title in its current state, a field's text, a bar's title, a
  // row's text.
  std::string text;
  // A switch: "on" or "off"; a text field: its placeholder; an image view: the image's name;
  // an activity indicator: "animating" or "stopped"; a row: "selected" when marked; any other
  // view: its accessibilityValue.
  std::string value;
  // Hidden or fully transparent.
  bool hidden = false;
  // Itself and every view above it enabled and taking touches.
  bool enabled = true;
  // In the window's coordinates: x from the window's left edge, where the view is seen (mirrored
  // in a right-to-left layout).
  Rect frame;
  // The direction the view lays out in and sets its text in.
  platform::LayoutDirection direction = platform::LayoutDirection::kLeftToRight;
};

// The elements of the frontmost screen, depth-first in drawing order: every view with an
// accessibility identifier and every label, button, text input, switch, image view, activity
// indicator, navigation bar and table row. The subviews of a hidden view are left out.
std::vector<ElementDescription> describeScreen(Window& window);
// The view `identifier` of the frontmost screen and the elements within it, as describeScreen
// lists them; empty when there is no such view.
std::vector<ElementDescription> describeView(Window& window, std::string_view identifier);

}  // namespace zelto::host

#endif  // ZELTO_HOST_UI_DRIVER_H_
