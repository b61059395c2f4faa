#include "host/ui_driver.h"

#include <algorithm>

#include "base/text.h"
#include "platform/alert_controller.h"
#include "platform/controls.h"
#include "platform/navigation_controller.h"
#include "platform/table_view.h"

namespace zelto::host {

// The driver speaks the platform layer's language throughout.
using namespace platform;
namespace {

// The text field or text view `identifier`, or why there is none to type into.
template <typename Field>
DriveResult findInput(Window& window, std::string_view identifier, std::shared_ptr<Field>& field,
                      std::shared_ptr<TextView>* textView = nullptr) {
  const auto view = findView(window, identifier);
  if (!view) return DriveResult::kNotFound;
  if (!view->isInteractive()) return DriveResult::kNotInteractive;
  field = std::dynamic_pointer_cast<Field>(view);
  if (!field && textView) *textView = std::dynamic_pointer_cast<TextView>(view);
  if (!field && !(textView && *textView)) return DriveResult::kNotEditable;
  return DriveResult::kDone;
}

std::string_view lastCharacter(std::string_view text) {
  if (text.empty()) return text;
  return text.substr(text::advanceCharacters(text, text::characterCount(text) - 1).value_or(0));
}

std::string kindOf(const View& view) {
  if (dynamic_cast<const Label*>(&view)) return "label";
  if (dynamic_cast<const Switch*>(&view)) return "switch";
  if (dynamic_cast<const Button*>(&view)) return "button";
  if (dynamic_cast<const TextField*>(&view)) return "textField";
  if (dynamic_cast<const TextView*>(&view)) return "textView";
  if (dynamic_cast<const ImageView*>(&view)) return "image";
  if (dynamic_cast<const ActivityIndicatorView*>(&view)) return "activityIndicator";
  if (dynamic_cast<const ScrollView*>(&view)) return "scrollView";
  if (dynamic_cast<const NavigationBar*>(&view)) return "navigationBar";
  if (dynamic_cast<const TableViewCell*>(&view)) return "cell";
  return "view";
}

void describeTree(const View& view, bool enabledAbove, std::vector<ElementDescription>& out) {
  const bool enabled = enabledAbove && view.enabled && view.userInteractionEnabled;
  const std::string kind = kindOf(view);
  if (!view.accessibilityIdentifier.empty() || kind != "view") {
    ElementDescription element{view.accessibilityIdentifier,
                               kind,
                               "",
                               "",
                               view.hidden || view.alpha <= 0,
                               enabled,
                               view.convertToWindow(view.bounds()),
                               view.effectiveLayoutDirection()};
    if (const auto* label = dynamic_cast<const Label*>(&view)) {
      element.text = label->attributedText ? label->attributedText->string() : label->text;
    } else if (const auto* toggle = dynamic_cast<const Switch*>(&view)) {
      element.value = toggle->isOn() ? "on" : "off";
    } else if (const auto* button = dynamic_cast<const Button*>(&view)) {
      element.text = button->title(button->state());
    } else if (const auto* field = dynamic_cast<const TextField*>(&view)) {
      element.text = field->text;
      element.value = field->placeholder;
    } else if (const auto* textView = dynamic_cast<const TextView*>(&view)) {
      element.text = textView->text;
    } else if (const auto* image = dynamic_cast<const ImageView*>(&view)) {
      if (image->image) element.value = image->image->name();
    } else if (const auto* spinner = dynamic_cast<const ActivityIndicatorView*>(&view)) {
      element.value = spinner->isAnimating() ? "animating" : "stopped";
    } else if (const auto* bar = dynamic_cast<const NavigationBar*>(&view)) {
      element.text = bar->title();
    } else if (const auto* cell = dynamic_cast<const TableViewCell*>(&view)) {
      element.text = cell->textLabel()->text;
      if (cell->selected) element.value = "selected";
    } else {
      element.value = view.accessibilityValue;
    }
    out.push_back(std::move(element));
  }
  if (view.hidden) return;
  for (const auto& child : view.subviews()) describeTree(*child, enabled, out);
}

// The controller shown in front: the last of the root's presented chain.
std::shared_ptr<ViewController> frontController(Window& window) {
  auto front = window.rootViewController();
  while (front && front->presentedViewController()) front = front->presentedViewController();
  return front;
}

}  // namespace

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
    case DriveResult::kNotASwitch:
      return "not a switch";
    case DriveResult::kNoAlert:
      return "no alert";
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

KeysResult typeText(Window& window, std::string_view identifier, std::string_view text) {
  KeysResult result;
  std::shared_ptr<TextField> field;
  std::shared_ptr<TextView> textView;
  result.status = findInput(window, identifier, field, &textView);
  if (result.status != DriveResult::kDone) return result;
  for (const std::string_view key : text::characters(text)) {
    if (textView) {
      textView->insertText(key);
    } else if (!field->insertText(key)) {
      result.refusedKeys.emplace_back(key);
    }
  }
  return result;
}

KeysResult deleteBackward(Window& window, std::string_view identifier, std::size_t count) {
  KeysResult result;
  std::shared_ptr<TextField> field;
  result.status = findInput(window, identifier, field);
  if (result.status != DriveResult::kDone) return result;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string removed(lastCharacter(field->text));
    if (!field->deleteBackward()) result.refusedKeys.push_back(removed);
  }
  return result;
}

DriveResult toggleSwitch(Window& window, std::string_view identifier) {
  const auto view = findView(window, identifier);
  if (!view) return DriveResult::kNotFound;
  if (!std::dynamic_pointer_cast<Switch>(view)) return DriveResult::kNotASwitch;
  return tap(window, identifier);
}

DriveResult selectAlertAction(Window& window, std::string_view title) {
  const auto alert = std::dynamic_pointer_cast<AlertController>(frontController(window));
  if (!alert) return DriveResult::kNoAlert;
  const auto& actions = alert->actions();
  const auto action = std::find_if(actions.begin(), actions.end(), [title](const auto& a) {
    return a.title == title || a.accessibilityIdentifier == title;
  });
  if (action == actions.end()) return DriveResult::kNotFound;
  const auto button = alert->view()->viewWithAccessibilityIdentifier(
      action->accessibilityIdentifier.empty() ? action->title : action->accessibilityIdentifier);
  if (!button) return DriveResult::kNotFound;
  if (!button->isInteractive()) return DriveResult::kNotInteractive;
  window.sendEvent(Event{Event::Type::kTouch, button});
  return DriveResult::kDone;
}

std::vector<ElementDescription> describeScreen(Window& window) {
  std::vector<ElementDescription> elements;
  const auto& screens = window.subviews();
  if (!screens.empty()) describeTree(*screens.back(), true, elements);
  return elements;
}

std::vector<ElementDescription> describeView(Window& window, std::string_view identifier) {
  std::vector<ElementDescription> elements;
  const auto view = findView(window, identifier);
  if (!view) return elements;
  bool enabledAbove = true;
  for (auto above = view->superview(); above; above = above->superview()) {
    enabledAbove = enabledAbove && above->enabled && above->userInteractionEnabled;
  }
  describeTree(*view, enabledAbove, elements);
  return elements;
}

}  // namespace zelto::host
