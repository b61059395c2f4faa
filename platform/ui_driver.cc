#include "platform/ui_driver.h"

namespace zelto::platform {

std::string_view describe(DriveResult result) {
  switch (result) {
    case DriveResult::kDone:
      return "done";
    case DriveResult::kNotFound:
      return "not found";
    case DriveResult::kNotInteractive:
      return "not interactive";
    case DriveResult::kNotEditable:
      return "not editable";
  }
  return "unknown";
}

std::shared_ptr<View> findView(Window& window, std::string_view identifier) {
  const auto& screens = window.subviews();
  if (screens.empty()) return nullptr;
  return screens.back()->viewWithAccessibilityIdentifier(identifier);
}

DriveResult tap(Window& window, std::string_view identifier) {
  const auto view = findView(window, identifier);
  if (!view) return DriveResult::kNotFound;
  if (!view->isInteractive()) return DriveResult::kNotInteractive;
  window.sendEvent(Event{Event::Type::kTouch, view});
  return DriveResult::kDone;
}

DriveResult typeText(Window& window, std::string_view identifier, std::string_view text) {
  const auto view = findView(window, identifier);
  if (!view) return DriveResult::kNotFound;
  if (!view->isInteractive()) return DriveResult::kNotInteractive;
  if (auto field = std::dynamic_pointer_cast<TextField>(view)) {
    field->insertText(text);
  } else if (auto textView = std::dynamic_pointer_cast<TextView>(view)) {
    textView->insertText(text);
  } else {
    return DriveResult::kNotEditable;
  }
  return DriveResult::kDone;
}

}  // namespace zelto::platform
