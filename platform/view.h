// Views: a tree of rectangles with the appearance a screen gives them, plus the few controls the
// library's screens use (labels, buttons, text fields and text views).
//
// Views are shared through std::shared_ptr: a view owns its subviews and knows its superview
// weakly. Views are created with std::make_shared (a view added as a subview must be owned by a
// shared_ptr).
//
// Controls run their actions when told an event happened (sendActions); the window delivers
// taps to them (platform/window.h) and platform/ui_driver.h lets tests and tools send taps and
// text the way a user would.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_VIEW_H_
#define ZELTO_PLATFORM_VIEW_H_

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/animation.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/image.h"

namespace zelto::platform {

class Window;

struct Font {
  double size = 17;
  bool bold = false;
  static Font systemFont(double size) { return {size, false}; }
  static Font boldSystemFont(double size) { return {size, true}; }
  friend bool operator==(const Font&, const Font&) = default;
};

class View : public std::enable_shared_from_this<View> {
 public:
  View() = default;
  explicit View(Rect frame) : frame_(frame) {}
  virtual ~View() = default;
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  Rect frame() const { return frame_; }
  // Inside an animate() block the change is animated: presentationFrame() moves from the
  // previous position to `frame` over the animation's time.
  void setFrame(Rect frame);
  // Origin 0, 0 and the frame's size.
  Rect bounds() const { return {0, 0, frame_.width, frame_.height}; }
  // Where the view is drawn at this moment on the main run loop's clock.
  Rect presentationFrame() const;

  std::optional<Color> backgroundColor;
  double alpha = 1;
  bool hidden = false;
  // A view that is not enabled ignores taps and typing (its subviews too).
  bool enabled = true;
  std::string accessibilityIdentifier;

  // Adds `view` on top of the other subviews, taking it from its earlier superview.
  void addSubview(const std::shared_ptr<View>& view);
  void removeFromSuperview();
  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
  std::shared_ptr<View> superview() const { return superview_.lock(); }
  // The window the view is in, if any.
  std::shared_ptr<Window> window();

  // Not hidden, alpha above 0 and enabled, itself and every view above it.
  bool isInteractive() const;

  // The first view, depth-first from this one (itself included), with the identifier.
  std::shared_ptr<View> viewWithAccessibilityIdentifier(std::string_view identifier);

  // Ends editing in this view and its subviews: the first responder among them resigns.
  // Returns whether one did.
  bool endEditing(bool force);
  bool isFirstResponder() const { return firstResponder_; }
  virtual bool canBecomeFirstResponder() const { return false; }
  // Makes this view the one receiving typing; any other first responder in its window resigns.
  bool becomeFirstResponder();
  void resignFirstResponder() { firstResponder_ = false; }

 private:
  Rect frame_;
  std::optional<Rect> animatedFrom_;
  std::optional<AnimationContext> frameAnimation_;
  std::vector<std::shared_ptr<View>> subviews_;
  std::weak_ptr<View> superview_;
  bool firstResponder_ = false;
};

class Label : public View {
 public:
  std::string text;
  std::optional<Color> textColor;
  Font font;
};

enum class ControlEvent { kTouchUpInside, kEditingChanged, kValueChanged };
enum class ControlState { kNormal, kHighlighted, kDisabled };

class Control : public View {
 public:
  // Runs `action` each time `event` happens; actions run in the order they were added.
  void addAction(ControlEvent event, std::function<void()> action);
  void sendActions(ControlEvent event);

  bool highlighted = false;

 private:
  std::vector<std::pair<ControlEvent, std::function<void()>>> actions_;
};

class Button : public Control {
 public:
  // Each appearance for a state falls back to the normal state's when the state has none.
  void setTitle(std::string title, ControlState state);
  std::string title(ControlState state = ControlState::kNormal) const;
  void setImage(Image image, ControlState state);
  std::optional<Image> image(ControlState state = ControlState::kNormal) const;
  void setBackgroundColor(Color color, ControlState state);
  std::optional<Color> backgroundColorForState(ControlState state) const;

  std::optional<Color> tintColor;

 private:
  std::map<ControlState, std::string> titles_;
  std::map<ControlState, Image> images_;
  std::map<ControlState, Color> backgroundColors_;
};

// A one-line text input. Setting `text` directly is silent; insertText() is the user typing.
class TextField : public Control {
 public:
  bool canBecomeFirstResponder() const override { return true; }
  // The user types `typed` at the end: the field becomes first responder, the text changes,
  // editing-changed actions run and kTextFieldTextDidChangeNotification is posted.
  void insertText(std::string_view typed);

  std::string text;
  std::string placeholder;
  std::optional<Color> textColor;
  std::optional<Color> tintColor;
};

// A multi-line text input; insertText() posts kTextViewTextDidChangeNotification.
class TextView : public View {
 public:
  bool canBecomeFirstResponder() const override { return true; }
  void insertText(std::string_view typed);

  std::string text;
  std::optional<Color> textColor;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_VIEW_H_
