#include "platform/window_input.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "base/text.h"
#include "platform/alert_controller.h"
#include "platform/controls.h"
#include "platform/navigation_controller.h"

namespace zelto::platform {
namespace {

// The status bar and a navigation bar: where a screen without a bar keeps its header.
constexpr double kHeaderHeight = 64;

bool contains(const Rect& rect, Point point) {
  return point.x >= rect.x && point.y >= rect.y && point.x < rect.maxX() && point.y < rect.maxY();
}

bool shown(const View& view) { return !view.hidden && view.alpha > 0; }

// The view that receives a touch landing on `hit`: the nearest control or text input at or
// above it, else `hit` itself.
std::shared_ptr<View> touchReceiver(const std::shared_ptr<View>& hit) {
  for (auto view = hit; view; view = view->superview()) {
    if (dynamic_cast<Control*>(view.get()) || view->canBecomeFirstResponder()) return view;
  }
  return hit;
}

std::shared_ptr<View> firstResponder(const std::shared_ptr<View>& view) {
  if (view->isFirstResponder()) return view;
  for (const auto& child : view->subviews()) {
    if (auto found = firstResponder(child)) return found;
  }
  return nullptr;
}

std::shared_ptr<ViewController> frontController(Window& window) {
  auto front = window.rootViewController();
  while (front && front->presentedViewController()) front = front->presentedViewController();
  return front;
}

// The last shown navigation bar in drawing order under `view`.
std::shared_ptr<NavigationBar> frontNavigationBar(const std::shared_ptr<View>& view) {
  if (!shown(*view)) return nullptr;
  const auto& children = view->subviews();
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    if (auto bar = frontNavigationBar(*child)) return bar;
  }
  return std::dynamic_pointer_cast<NavigationBar>(view);
}

// How far `view` is from the leading edge of the window: its left edge's x, or in a
// right-to-left layout how far its right edge is from the window's right.
double fromLeadingEdge(const View& view, bool rightToLeft) {
  const Rect rect = view.convertToWindow(view.bounds());
  return rightToLeft ? -rect.maxX() : rect.x;
}

// The interactive control at or under `view` nearest the leading edge whose centre lies in
// `area` (window coordinates).
std::shared_ptr<View> leadingControlIn(const std::shared_ptr<View>& view, const Rect& area,
                                       bool rightToLeft) {
  if (!shown(*view)) return nullptr;
  std::shared_ptr<View> found;
  double foundX = std::numeric_limits<double>::infinity();
  if (dynamic_cast<Control*>(view.get()) && view->isInteractive()) {
    const Rect rect = view->convertToWindow(view->bounds());
    if (contains(area, {rect.x + rect.width / 2, rect.y + rect.height / 2})) {
      found = view;
      foundX = fromLeadingEdge(*view, rightToLeft);
    }
  }
  for (const auto& child : view->subviews()) {
    auto candidate = leadingControlIn(child, area, rightToLeft);
    if (!candidate) continue;
    const double x = fromLeadingEdge(*candidate, rightToLeft);
    if (x < foundX) {
      found = std::move(candidate);
      foundX = x;
    }
  }
  return found;
}

// Delivers a touch to `target`, or a key press when there is none.
bool deliver(Window& window, std::shared_ptr<View> target) {
  const bool taken = target != nullptr;
  window.sendEvent(Event{taken ? Event::Type::kTouch : Event::Type::kPress, std::move(target)});
  return taken;
}

// Moves `scroll`'s content by (dx, dy) points, keeping it within the content and its insets.
// Returns whether it moved.
bool scrollBy(ScrollView& scroll, double dx, double dy) {
  const Rect shown = scroll.bounds();
  const EdgeInsets& inset = scroll.contentInset;
  const auto limit = [](double offset, double before, double after, double content,
                        double visible) {
    const double lowest = -before;
    return std::clamp(offset, lowest, std::max(lowest, content + after - visible));
  };
  const Point from = scroll.contentOffset;
  const Point to{
      limit(from.x + dx, inset.left, inset.right, scroll.contentSize.width, shown.width),
      limit(from.y + dy, inset.top, inset.bottom, scroll.contentSize.height, shown.height)};
  if (to == from) return false;
  scroll.setContentOffset(to, false);
  return true;
}

}  // namespace

bool scrollFrom(const std::shared_ptr<View>& view, double dx, double dy) {
  for (auto at = view; at; at = at->superview()) {
    if (auto* scroll = dynamic_cast<ScrollView*>(at.get()); scroll && scrollBy(*scroll, dx, dy)) {
      return true;
    }
  }
  return false;
}

bool scrollAt(Window& window, Point point, double dx, double dy) {
  const auto hit = contains(window.bounds(), point) ? window.hitTest(point) : nullptr;
  const bool moved = hit && scrollFrom(hit, dx, dy);
  window.sendEvent(Event{Event::Type::kMotion, {}});
  return moved;
}

bool tapAt(Window& window, Point point) {
  std::shared_ptr<View> receiver;
  if (contains(window.bounds(), point)) {
    const auto hit = window.hitTest(point);
    if (hit && hit.get() != &window) receiver = touchReceiver(hit);
    if (receiver && !dynamic_cast<Control*>(receiver.get()) &&
        !receiver->canBecomeFirstResponder()) {
      receiver = nullptr;
    }
  }
  return deliver(window, std::move(receiver));
}

bool typeText(Window& window, std::string_view typed) {
  const auto screen = frontController(window);
  const auto responder = screen ? firstResponder(screen->view()) : nullptr;
  auto* field = dynamic_cast<TextField*>(responder.get());
  auto* textView = dynamic_cast<TextView*>(responder.get());
  const bool taken = (field || textView) && responder->isInteractive();
  if (taken) {
    for (const std::string_view key : text::characters(typed)) {
      if (field) {
        field->insertText(key);
      } else {
        textView->insertText(key);
      }
    }
  }
  window.sendEvent(Event{Event::Type::kPress, {}});
  return taken;
}

bool deleteBackward(Window& window) {
  const auto screen = frontController(window);
  const auto field =
      std::dynamic_pointer_cast<TextField>(screen ? firstResponder(screen->view()) : nullptr);
  const bool taken = field && field->isInteractive();
  if (taken) field->deleteBackward();
  window.sendEvent(Event{Event::Type::kPress, {}});
  return taken;
}

bool goBack(Window& window) {
  const auto front = frontController(window);
  if (const auto alert = std::dynamic_pointer_cast<AlertController>(front)) {
    // The cancel-style action; without one, the first action that only closes the dialog.
    const auto& actions = alert->actions();
    auto cancel = std::find_if(actions.begin(), actions.end(), [](const AlertAction& action) {
      return action.style == AlertActionStyle::kCancel;
    });
    if (cancel == actions.end()) {
      cancel = std::find_if(actions.begin(), actions.end(),
                            [](const AlertAction& action) { return !action.handler; });
    }
    auto button = cancel == actions.end()
                      ? nullptr
                      : alert->view()->viewWithAccessibilityIdentifier(cancel->title);
    return deliver(window, button && button->isInteractive() ? std::move(button) : nullptr);
  }
  std::shared_ptr<View> button;
  if (front) {
    const auto screen = front->view();
    const auto bar = frontNavigationBar(screen);
    const Rect area =
        bar ? bar->convertToWindow({0, 0, bar->bounds().width / 2, bar->bounds().height})
            : Rect{0, 0, window.bounds().width, kHeaderHeight};
    const auto& within = bar ? bar : screen;
    button = leadingControlIn(within, area,
                              within->effectiveLayoutDirection() == LayoutDirection::kRightToLeft);
  }
  return deliver(window, std::move(button));
}

}  // namespace zelto::platform
