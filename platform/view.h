// Views: a tree of rectangles with the appearance a screen gives them, plus the controls the
// library's screens use (labels, buttons, text fields and text views; switches, image views,
// activity indicators and scroll views are in platform/controls.h).
//
// Views are shared through std::shared_ptr: a view owns its subviews and knows its superview
// weakly. Views are created with std::make_shared (a view added as a subview must be owned by a
// shared_ptr). A view's frame is in its superview's coordinates; a scroll view shifts its
// subviews by its content offset (scrollOffset()).
//
// Right to left: a frame's x runs from the superview's leading edge, which is its right edge in a
// right-to-left layout (Arabic). A screen lays its views out once, as for English, and each view
// is shown mirrored in a right-to-left superview: a frame at x 16, 40 wide, in a view 375 wide,
// is drawn, hit and converted at x 319. Text alignments are leading and trailing too, and text is
// set with the view's direction as its base direction (mixed scripts are ordered by the bidi
// algorithm). Content that reads the same way in every language (a QR code, a row of network
// logos) forces left to right; images and text are never drawn mirrored.
//
// Controls run their actions when told an event happened (sendActions); the window delivers
// taps to them (platform/window.h) and host/ui_driver.h lets tests and tools send taps and
// text the way a user would.
//
// First responder and keyboard: a text field or text view becomes first responder when tapped or
// typed into; the one before it in the window resigns. Each time a view becomes first responder
// kKeyboardWillShowNotification is posted, and when the first responder resigns without another
// taking its place (resignFirstResponder, endEditing) kKeyboardWillHideNotification is posted;
// both carry the keyboard's frame (platform/notification_center.h).
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_VIEW_H_
#define ZELTO_PLATFORM_VIEW_H_

#include <zelto/base/color.h>
#include <zelto/base/geometry.h>
#include <zelto/base/image.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/animation.h"
#include "platform/font.h"
#include "platform/styled_text.h"

namespace zelto::platform {

class Canvas;
class Window;

// Leading is the left edge in a left-to-right layout and the right edge in a right-to-left one.
enum class TextAlignment { kLeading, kCenter, kTrailing };

enum class LayoutDirection { kLeftToRight, kRightToLeft };
// Right to left while the library's language is written right to left (base/language.h).
LayoutDirection userInterfaceLayoutDirection();

enum class SemanticContentAttribute {
  kUnspecified,       // the superview's direction; the language's at the top of a tree
  kForceLeftToRight,  // this view and the views inside it, whatever the language
  kForceRightToLeft,
};
// The direction `attribute` forces; none for kUnspecified, which follows the superview.
std::optional<LayoutDirection> forcedLayoutDirection(SemanticContentAttribute attribute);

class View : public std::enable_shared_from_this<View> {
 public:
  View() = default;
  explicit View(Rect frame) : frame_(frame) {}
  virtual ~View() = default;
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // x from the superview's leading edge (see the top of this file).
  Rect frame() const { return frame_; }
  // Inside an animate() block the change is animated: presentationFrame() moves from the
  // previous position to `frame` over the animation's time.
  void setFrame(Rect frame);
  // Origin 0, 0 and the frame's size.
  Rect bounds() const { return {0, 0, frame_.width, frame_.height}; }
  // Where the view is drawn at this moment on the main run loop's clock.
  Rect presentationFrame() const;
  // How far the subviews are shifted up and left when drawn: 0, 0 except in a scroll view.
  virtual Point scrollOffset() const { return {}; }

  // Paints what the view shows of its own within `bounds`, laid out `direction`: a label its
  // text, a button its title and image... The renderer draws the background before and the
  // subviews and border after. A plain view shows nothing of its own.
  virtual void draw(Canvas&, const Rect&, LayoutDirection) const {}
  // Whether the text draw() shows within `bounds` is whole (platform/renderer.h,
  // drawsTextWhole); true for a view without text.
  virtual bool drawsTextWhole(const Rect&, LayoutDirection) const { return true; }
  // Whether the subviews are cut to the bounds (clipsToBounds; a scroll view always cuts).
  virtual bool clipsContent() const { return clipsToBounds; }
  // Where `child` (a frame in this view's coordinates) is seen: mirrored inside a right-to-left
  // view, shifted by the scroll offset.
  Rect displayedRect(Rect child, LayoutDirection direction) const;

  SemanticContentAttribute semanticContentAttribute = SemanticContentAttribute::kUnspecified;
  // The direction this view lays out its subviews and sets its text in.
  LayoutDirection effectiveLayoutDirection() const;

  // `rect` in this view's coordinates, given in the coordinates of the top of its tree (the
  // window when the view is in one), where it is seen: x from the window's left edge.
  Rect convertToWindow(Rect rect) const;
  // `rect` in this view's coordinates, given in `other`'s (both in the same tree; x from each
  // one's leading edge).
  Rect convertRect(Rect rect, const View& other) const;

  std::optional<Color> backgroundColor;
  // Inside an animate() block a change fades: alpha.presentationValue() moves over the time.
  AnimatableValue alpha = 1;
  bool hidden = false;
  // A view that is not enabled ignores taps and typing (its subviews too).
  bool enabled = true;
  // A view that does not take user interaction ignores taps and typing (its subviews too).
  bool userInteractionEnabled = true;
  std::string accessibilityIdentifier;
  // What a plain view's state is, for tests and assistive tools ("expanded"); "" for none.
  std::string accessibilityValue;

  // Drawn inside the view's edge, over its content; corners are rounded by cornerRadius.
  double borderWidth = 0;
  std::optional<Color> borderColor;
  double cornerRadius = 0;
  // Subviews (and content) are cut to the view's rounded bounds.
  bool clipsToBounds = false;

  // Adds `view` on top of the other subviews, taking it from its earlier superview.
  void addSubview(const std::shared_ptr<View>& view);
  void removeFromSuperview();
  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
  std::shared_ptr<View> superview() const { return superview_.lock(); }
  // The window the view is in, if any.
  std::shared_ptr<Window> window();

  // Not hidden, alpha above 0, enabled and taking user interaction, itself and every view
  // above it.
  bool isInteractive() const;

  // The deepest view under `point` (in this view's coordinates, x from its left edge: where a
  // touch lands), as a touch finds it: a view
  // that is hidden, fully transparent or not taking user interaction is passed over with its
  // subviews, a point outside a view's bounds reaches none of its subviews, and later subviews
  // cover earlier ones. Disabled views are found (a disabled button takes the touch and does
  // nothing with it). Null when this view itself is passed over or the point is outside it.
  std::shared_ptr<View> hitTest(Point point);

  // The first view, depth-first from this one (itself included), with the identifier.
  std::shared_ptr<View> viewWithAccessibilityIdentifier(std::string_view identifier);

  // Ends editing in this view and its subviews: the first responder among them resigns.
  // Returns whether one did.
  bool endEditing(bool force);
  bool isFirstResponder() const { return firstResponder_; }
  virtual bool canBecomeFirstResponder() const { return false; }
  // Makes this view the one receiving typing; any other first responder in its window resigns.
  bool becomeFirstResponder();
  // Returns whether this view was first responder.
  bool resignFirstResponder();

 protected:
  // Called once the view has become, or stopped being, first responder.
  virtual void didBecomeFirstResponder() {}
  virtual void didResignFirstResponder() {}

 private:
  // Resigns without posting a keyboard notification; returns whether a view resigned.
  bool resignQuietly();
  bool resignTreeQuietly();
  void postKeyboardNotification(std::string_view name);

  Rect frame_;
  std::optional<Rect> animatedFrom_;
  std::optional<AnimationContext> frameAnimation_;
  std::vector<std::shared_ptr<View>> subviews_;
  std::weak_ptr<View> superview_;
  bool firstResponder_ = false;
};

class Label : public View {
 public:
  using View::View;

  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;
  bool drawsTextWhole(const Rect& bounds, LayoutDirection direction) const override;

  std::string text;
  // Shown instead of `text` when present; runs without a colour take textColor.
  std::optional<StyledText> attributedText;
  std::optional<Color> textColor;
  Font font;
  TextAlignment textAlignment = TextAlignment::kLeading;
  // Lines the text may wrap to; 0 for as many as it needs.
  int numberOfLines = 1;
  // Text too wide for one line shrinks, down to minimumScaleFactor times the font size.
  bool adjustsFontSizeToFitWidth = false;
  double minimumScaleFactor = 0;
};

enum class ControlEvent {
  kTouchUpInside,
  kEditingChanged,
  kEditingDidBegin,
  kEditingDidEnd,
  kValueChanged,
};
enum class ControlState { kNormal, kHighlighted, kDisabled };

class Control : public View {
 public:
  using View::View;

  // Runs `action` each time `event` happens; actions run in the order they were added.
  void addAction(ControlEvent event, std::function<void()> action);
  void sendActions(ControlEvent event);
  // What a tap delivered by the window does: runs the touch-up-inside actions (a switch also
  // flips, platform/controls.h).
  virtual void tapped();

  bool highlighted = false;
  // kDisabled when not enabled, kHighlighted while highlighted, else kNormal.
  ControlState state() const;

 private:
  std::vector<std::pair<ControlEvent, std::function<void()>>> actions_;
};

class Button : public Control {
 public:
  using Control::Control;

  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;
  bool drawsTextWhole(const Rect& bounds, LayoutDirection direction) const override;

  // Each appearance for a state falls back to the normal state's when the state has none.
  void setTitle(std::string title, ControlState state);
  std::string title(ControlState state = ControlState::kNormal) const;
  void setTitleColor(Color color, ControlState state);
  std::optional<Color> titleColor(ControlState state = ControlState::kNormal) const;
  void setImage(Image image, ControlState state);
  std::optional<Image> image(ControlState state = ControlState::kNormal) const;
  void setBackgroundColor(Color color, ControlState state);
  std::optional<Color> backgroundColorForState(ControlState state) const;

  Font titleFont = Font::systemFont(15, FontWeight::kSemibold);
  // The colour of the image, drawn as a shape, and of a title without a colour of its own.
  std::optional<Color> tintColor;
  // The image is drawn mirrored in a right-to-left layout: a back chevron then points right.
  // The image stands on the title's leading side either way.
  bool flipsImageForRightToLeft = false;

 private:
  std::map<ControlState, std::string> titles_;
  std::map<ControlState, Color> titleColors_;
  std::map<ControlState, Image> images_;
  std::map<ControlState, Color> backgroundColors_;
};

// A range of a text in UTF-8 bytes.
struct TextRange {
  std::size_t location = 0;
  std::size_t length = 0;
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

enum class KeyboardType { kDefault, kAsciiCapable, kNumberPad, kDecimalPad, kPhonePad };
enum class TextBorderStyle { kNone, kLine, kRoundedRect };

// A one-line text input. Setting `text` directly is silent and skips the filter; insertText()
// and deleteBackward() are the user's keys. The caret is always at the end of the text.
//
// A key changes the text only when shouldChangeCharacters (when set) accepts it; an accepted key
// runs the editing-changed actions and posts kTextFieldTextDidChangeNotification. Becoming and
// resigning first responder run the editing-did-begin and editing-did-end actions.
class TextField : public Control {
 public:
  using Control::Control;

  bool canBecomeFirstResponder() const override { return true; }
  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;
  bool drawsTextWhole(const Rect& bounds, LayoutDirection direction) const override;
  // The user types `typed` at the end: the field becomes first responder and the filter is asked
  // with the range {text.size(), 0}. Returns false when it refused the key.
  bool insertText(std::string_view typed);
  // The delete key: the filter is asked to replace the last user-perceived character with "".
  // Returns false when it refused the key; an empty field ignores the key and returns true.
  bool deleteBackward();

  // Whether to replace `range` of the current text with `replacement`.
  std::function<bool(TextRange range, std::string_view replacement)> shouldChangeCharacters;

  std::string text;
  std::string placeholder;
  std::optional<Color> textColor;
  std::optional<Color> placeholderColor;
  // The caret's colour.
  std::optional<Color> tintColor;
  Font font = Font::systemFont(15);
  TextAlignment textAlignment = TextAlignment::kLeading;
  KeyboardType keyboardType = KeyboardType::kDefault;
  TextBorderStyle borderStyle = TextBorderStyle::kNone;
  // Room between the field's edges (inside a border style's own margin) and its text; left is
  // the leading side.
  EdgeInsets textInsets;
  // Whether the caret is drawn while the field is first responder: a display blinks it by
  // turning this off and on (platform/sdl/display.h); still drawings show it.
  bool caretShown = true;

 protected:
  void didBecomeFirstResponder() override;
  void didResignFirstResponder() override;

 private:
  bool replace(TextRange range, std::string_view replacement);
};

// A multi-line text input; insertText() posts kTextViewTextDidChangeNotification.
class TextView : public View {
 public:
  using View::View;

  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;

  bool canBecomeFirstResponder() const override { return true; }
  void insertText(std::string_view typed);

  std::string text;
  std::optional<Color> textColor;
  Font font = Font::systemFont(15);
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_VIEW_H_
