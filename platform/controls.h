// The controls of the screens beyond labels, buttons and text inputs: switches, image views,
// activity indicators and scroll views.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_CONTROLS_H_
#define ZELTO_PLATFORM_CONTROLS_H_

#include <optional>

#include "platform/view.h"

namespace zelto::platform {

// An on/off switch, 51 by 31 points. A tap flips it and runs its value-changed actions; setOn()
// changes the state silently, as when a screen sets it.
class Switch : public Control {
 public:
  Switch() : Control(Rect{0, 0, 51, 31}) {}

  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;

  bool isOn() const { return on_; }
  // The headless switch shows the new state at once, animated or not.
  void setOn(bool on, bool animated);
  void tapped() override;

  // The track's colour when on; absent: the toolkit's green.
  std::optional<Color> onTintColor;
  // The thumb's colour; absent: white.
  std::optional<Color> thumbTintColor;

 private:
  bool on_ = false;
};

// How an image view fits its image into its bounds.
enum class ContentMode {
  kScaleToFill,      // stretched to the bounds
  kScaleAspectFit,   // as large as fits whole, centred
  kScaleAspectFill,  // as small as covers the bounds, centred (cut unless clipsToBounds is off)
  kCenter,           // at its own size, centred
};

class ImageView : public View {
 public:
  using View::View;

  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;

  std::optional<Image> image;
  ContentMode contentMode = ContentMode::kScaleToFill;
  // When set, the image is drawn as a shape: its opaque pixels in this colour.
  std::optional<Color> tintColor;
};

// A spinning indicator, 20 by 20 points. It starts stopped; while hidesWhenStopped is set a
// stopped indicator is hidden and starting it shows it.
class ActivityIndicatorView : public View {
 public:
  ActivityIndicatorView() : View(Rect{0, 0, 20, 20}) { hidden = true; }

  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;

  void startAnimating();
  void stopAnimating();
  bool isAnimating() const { return animating_; }

  bool hidesWhenStopped = true;
  // The spokes' colour; absent: grey.
  std::optional<Color> color;

 private:
  bool animating_ = false;
};

// A view whose subviews lie on a content area of contentSize, of which the part at
// contentOffset shows. contentInset adds room around the content (the keyboard code sets the
// bottom inset so the last fields can scroll above the keyboard).
class ScrollView : public View {
 public:
  using View::View;

  Point scrollOffset() const override { return contentOffset; }
  bool clipsContent() const override { return true; }

  void setContentOffset(Point offset, bool animated);
  // Scrolls as little as needed for `rect` (in content coordinates) to show between the insets;
  // the offset stays within the content and its insets.
  void scrollRectToVisible(Rect rect, bool animated);

  Size contentSize;
  Point contentOffset;
  EdgeInsets contentInset;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_CONTROLS_H_
