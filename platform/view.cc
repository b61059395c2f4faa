#include "platform/view.h"

#include <algorithm>

#include "platform/notification_center.h"
#include "platform/run_loop.h"
#include "platform/window.h"

namespace zelto::platform {

void View::setFrame(Rect frame) {
  if (const auto* context = currentAnimationContext()) {
    animatedFrom_ = presentationFrame();
    frameAnimation_ = *context;
  } else {
    animatedFrom_.reset();
    frameAnimation_.reset();
  }
  frame_ = frame;
}

Rect View::presentationFrame() const {
  if (!frameAnimation_ || !animatedFrom_) return frame_;
  const auto& animation = *frameAnimation_;
  const double elapsed = RunLoop::main().now() - animation.start;
  if (elapsed >= animation.duration) return frame_;
  const double progress = animation.duration > 0
                              ? animationCurveValue(animation.curve, elapsed / animation.duration)
                              : 1;
  const auto mix = [progress](double from, double to) { return from + (to - from) * progress; };
  const Rect& from = *animatedFrom_;
  return {mix(from.x, frame_.x), mix(from.y, frame_.y), mix(from.width, frame_.width),
          mix(from.height, frame_.height)};
}

void View::addSubview(const std::shared_ptr<View>& view) {
  if (!view || view.get() == this) return;
  view->removeFromSuperview();
  view->superview_ = weak_from_this();
  subviews_.push_back(view);
}

void View::removeFromSuperview() {
  auto parent = superview_.lock();
  superview_.reset();
  if (!parent) return;
  std::erase_if(parent->subviews_, [this](const auto& child) { return child.get() == this; });
}

std::shared_ptr<Window> View::window() {
  std::shared_ptr<View> view = weak_from_this().lock();
  while (view) {
    if (auto window = std::dynamic_pointer_cast<Window>(view)) return window;
    view = view->superview();
  }
  return nullptr;
}

bool View::isInteractive() const {
  for (const View* view = this; view != nullptr;) {
    if (view->hidden || view->alpha <= 0 || !view->enabled) return false;
    const auto parent = view->superview_.lock();
    view = parent.get();
  }
  return true;
}

std::shared_ptr<View> View::viewWithAccessibilityIdentifier(std::string_view identifier) {
  if (accessibilityIdentifier == identifier) return weak_from_this().lock();
  for (const auto& child : subviews_) {
    if (auto found = child->viewWithAccessibilityIdentifier(identifier)) return found;
  }
  return nullptr;
}

bool View::endEditing(bool /*force*/) {
  bool resigned = firstResponder_;
  firstResponder_ = false;
  for (const auto& child : subviews_) resigned = child->endEditing(true) || resigned;
  return resigned;
}

bool View::becomeFirstResponder() {
  if (!canBecomeFirstResponder()) return false;
  if (firstResponder_) return true;
  if (auto root = window()) root->endEditing(true);
  firstResponder_ = true;
  return true;
}

void Control::addAction(ControlEvent event, std::function<void()> action) {
  actions_.emplace_back(event, std::move(action));
}

void Control::sendActions(ControlEvent event) {
  // A copy: an action may add actions or destroy this control's owner.
  const auto actions = actions_;
  for (const auto& [on, action] : actions) {
    if (on == event && action) action();
  }
}

void Button::setTitle(std::string title, ControlState state) { titles_[state] = std::move(title); }

std::string Button::title(ControlState state) const {
  auto found = titles_.find(state);
  if (found == titles_.end()) found = titles_.find(ControlState::kNormal);
  return found == titles_.end() ? std::string() : found->second;
}

void Button::setImage(Image image, ControlState state) { images_[state] = std::move(image); }

std::optional<Image> Button::image(ControlState state) const {
  auto found = images_.find(state);
  if (found == images_.end()) found = images_.find(ControlState::kNormal);
  if (found == images_.end()) return std::nullopt;
  return found->second;
}

void Button::setBackgroundColor(Color color, ControlState state) {
  backgroundColors_[state] = color;
}

std::optional<Color> Button::backgroundColorForState(ControlState state) const {
  auto found = backgroundColors_.find(state);
  if (found == backgroundColors_.end()) found = backgroundColors_.find(ControlState::kNormal);
  if (found == backgroundColors_.end()) return std::nullopt;
  return found->second;
}

void TextField::insertText(std::string_view typed) {
  becomeFirstResponder();
  text.append(typed);
  auto self = weak_from_this().lock();  // actions and observers may drop the last other owner
  sendActions(ControlEvent::kEditingChanged);
  NotificationCenter::defaultCenter().post(kTextFieldTextDidChangeNotification, this);
}

void TextView::insertText(std::string_view typed) {
  becomeFirstResponder();
  text.append(typed);
  auto self = weak_from_this().lock();
  NotificationCenter::defaultCenter().post(kTextViewTextDidChangeNotification, this);
}

}  // namespace zelto::platform
