// KeyboardView: the keyboard a phone shows for a text input, drawn over the bottom of a window
// while the input is first responder: a number pad for numeric fields, letters otherwise. It is
// there for the look of the screen only; keys reach fields through the UI driver or a front
// end, never through these keys. The renderer places it; it is never a window's subview.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_KEYBOARD_VIEW_H_
#define ZELTO_PLATFORM_KEYBOARD_VIEW_H_

#include "platform/view.h"

namespace zelto::platform {

class KeyboardView : public View {
 public:
  // Keys for a field of `type`, kKeyboardHeight points tall and `width` wide.
  KeyboardView(KeyboardType type, double width);

  void draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const override;

 private:
  KeyboardType type_;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_KEYBOARD_VIEW_H_
