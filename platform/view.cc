#include "platform/view.h"

#include <zelto/platform/run_loop.h>

#include <algorithm>

#include "base/language.h"
#include "base/text.h"
#include "platform/notification_center.h"
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

LayoutDirection userInterfaceLayoutDirection() {
  return isRightToLeft(currentLanguage()) ? LayoutDirection::kRightToLeft
                                          : LayoutDirection::kLeftToRight;
}

std::optional<LayoutDirection> forcedLayoutDirection(SemanticContentAttribute attribute) {
  switch (attribute) {
    case SemanticContentAttribute::kForceLeftToRight:
      return LayoutDirection::kLeftToRight;
    case SemanticContentAttribute::kForceRightToLeft:
      return LayoutDirection::kRightToLeft;
    case SemanticContentAttribute::kUnspecified:
      break;
  }
  return std::nullopt;
}

LayoutDirection View::effectiveLayoutDirection() const {
  for (const View* view = this; view != nullptr;) {
    if (const auto forced = forcedLayoutDirection(view->semanticContentAttribute)) return *forced;
    const auto parent = view->superview_.lock();
    view = parent.get();
  }
  return userInterfaceLayoutDirection();
}

Rect View::displayedRect(Rect child, LayoutDirection direction) const {
  const Point shift = scrollOffset();
  child.x -= shift.x;
  child.y -= shift.y;
  if (direction == LayoutDirection::kRightToLeft) child.x = frame_.width - child.x - child.width;
  return child;
}

namespace {

// `rect` in `view`'s coordinates, from its leading edge, as seen from its left edge.
Rect fromLeftEdge(const View& view, Rect rect) {
  if (view.effectiveLayoutDirection() == LayoutDirection::kRightToLeft) {
    rect.x = view.frame().width - rect.x - rect.width;
  }
  return rect;
}

}  // namespace

Rect View::convertToWindow(Rect rect) const {
  rect = fromLeftEdge(*this, rect);
  for (const View* view = this;;) {
    const auto parent = view->superview_.lock();
    if (!parent) break;
    const Rect shown = parent->displayedRect(view->frame_, parent->effectiveLayoutDirection());
    rect.x += shown.x;
    rect.y += shown.y;
    view = parent.get();
  }
  return rect;
}

Rect View::convertRect(Rect rect, const View& other) const {
  const Rect mine = convertToWindow(rect);
  const Rect theirs = other.convertToWindow(other.bounds());
  // From the left edge of `other` back to its leading edge (mirroring is its own inverse).
  return fromLeftEdge(other, {mine.x - theirs.x, mine.y - theirs.y, rect.width, rect.height});
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
    if (view->hidden || view->alpha <= 0 || !view->enabled || !view->userInteractionEnabled) {
      return false;
    }
    const auto parent = view->superview_.lock();
    view = parent.get();
  }
  return true;
}

std::shared_ptr<View> View::hitTest(Point point) {
  if (hidden || alpha <= 0 || !userInteractionEnabled) return nullptr;
  if (point.x < 0 || point.y < 0 || point.x >= frame_.width || point.y >= frame_.height) {
    return nullptr;
  }
  const LayoutDirection direction = effectiveLayoutDirection();
  for (auto child = subviews_.rbegin(); child != subviews_.rend(); ++child) {
    const Rect shown = displayedRect((*child)->frame_, direction);
    if (auto hit = (*child)->hitTest({point.x - shown.x, point.y - shown.y})) return hit;
  }
  return weak_from_this().lock();
}

std::shared_ptr<View> View::viewWithAccessibilityIdentifier(std::string_view identifier) {
  if (accessibilityIdentifier == identifier) return weak_from_this().lock();
  for (const auto& child : subviews_) {
    if (auto found = child->viewWithAccessibilityIdentifier(identifier)) return found;
  }
  return nullptr;
}

bool View::resignQuietly() {
  if (!firstResponder_) return false;
  firstResponder_ = false;
  didResignFirstResponder();
  return true;
}

bool View::resignTreeQuietly() {
  bool resigned = resignQuietly();
  // A copy: an editing-ended action may change the tree.
  const auto children = subviews_;
  for (const auto& child : children) resigned = child->resignTreeQuietly() || resigned;
  return resigned;
}

void View::postKeyboardNotification(std::string_view name) {
  const auto root = window();
  const Rect screen = root ? root->bounds() : mainScreenBounds();
  const bool showing = name == kKeyboardWillShowNotification;
  const Rect keyboard{0, showing ? screen.height - kKeyboardHeight : screen.height, screen.width,
                      kKeyboardHeight};
  NotificationCenter::defaultCenter().post(Notification{std::string(name), this, keyboard});
}

bool View::endEditing(bool /*force*/) {
  auto self = weak_from_this().lock();
  if (!resignTreeQuietly()) return false;
  postKeyboardNotification(kKeyboardWillHideNotification);
  return true;
}

bool View::becomeFirstResponder() {
  if (!canBecomeFirstResponder()) return false;
  if (firstResponder_) return true;
  auto self = weak_from_this().lock();
  if (auto root = window()) root->resignTreeQuietly();
  firstResponder_ = true;
  didBecomeFirstResponder();
  postKeyboardNotification(kKeyboardWillShowNotification);
  return true;
}

bool View::resignFirstResponder() {
  auto self = weak_from_this().lock();
  if (!resignQuietly()) return false;
  postKeyboardNotification(kKeyboardWillHideNotification);
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

void Control::tapped() { sendActions(ControlEvent::kTouchUpInside); }

ControlState Control::state() const {
  if (!enabled) return ControlState::kDisabled;
  return highlighted ? ControlState::kHighlighted : ControlState::kNormal;
}

void Button::setTitle(std::string title, ControlState state) { titles_[state] = std::move(title); }

std::string Button::title(ControlState state) const {
  auto found = titles_.find(state);
  if (found == titles_.end()) found = titles_.find(ControlState::kNormal);
  return found == titles_.end() ? std::string() : found->second;
}

void Button::setTitleColor(Color color, ControlState state) { titleColors_[state] = color; }

std::optional<Color> Button::titleColor(ControlState state) const {
  auto found = titleColors_.find(state);
  if (found == titleColors_.end()) found = titleColors_.find(ControlState::kNormal);
  if (found == titleColors_.end()) return std::nullopt;
  return found->second;
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

bool TextField::insertText(std::string_view typed) {
  auto self = weak_from_this().lock();  // actions and observers may drop the last other owner
  becomeFirstResponder();
  return replace({text.size(), 0}, typed);
}

bool TextField::deleteBackward() {
  auto self = weak_from_this().lock();
  becomeFirstResponder();
  if (text.empty()) return true;
  const std::size_t start =
      text::advanceCharacters(text, text::characterCount(text) - 1).value_or(0);
  return replace({start, text.size() - start}, "");
}

bool TextField::replace(TextRange range, std::string_view replacement) {
  if (shouldChangeCharacters && !shouldChangeCharacters(range, replacement)) return false;
  // The filter may have changed the text itself: keep the range inside it.
  range.location = std::min(range.location, text.size());
  range.length = std::min(range.length, text.size() - range.location);
  text.replace(range.location, range.length, replacement);
  sendActions(ControlEvent::kEditingChanged);
  NotificationCenter::defaultCenter().post(kTextFieldTextDidChangeNotification, this);
  return true;
}

void TextField::didBecomeFirstResponder() { sendActions(ControlEvent::kEditingDidBegin); }

void TextField::didResignFirstResponder() { sendActions(ControlEvent::kEditingDidEnd); }

void TextView::insertText(std::string_view typed) {
  becomeFirstResponder();
  text.append(typed);
  auto self = weak_from_this().lock();
  NotificationCenter::defaultCenter().post(kTextViewTextDidChangeNotification, this);
}

}  // namespace zelto::platform
