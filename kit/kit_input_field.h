// KitInputField: a bordered one-line input, 44 points high, corner radius 6.
//
// The border shows the field's state: 1 point in the palette's border colour at rest, the
// configuration's actionButtonColor while the field is being edited (focus), and 1.5 points of
// error red while the owner marks the value invalid (the error style wins over focus). The
// caret takes the configuration's textCaretColor.
//
// The text field inside (textField()) is the view scripts type into: give it the accessibility
// identifier, the change filter and the actions.
//
// Thread-safety: main thread only.
#ifndef ZELTO_KIT_KIT_INPUT_FIELD_H_
#define ZELTO_KIT_KIT_INPUT_FIELD_H_

#include <algorithm>
#include <memory>

#include "kit/kit_theme.h"
#include "platform/view.h"

namespace zelto {

enum class KitFieldStyle { normal, focused, error };

class KitInputField : public platform::View {
 public:
  static constexpr double kHeight = 44;
  static constexpr double kTextInset = 12;

  // Call once after make_shared: builds the text field and hooks its focus events.
  static std::shared_ptr<KitInputField> create(const KitTheme& theme = KitTheme::current());

  const std::shared_ptr<platform::TextField>& textField() const { return textField_; }

  void setError(bool error);
  KitFieldStyle style() const;

  // Lays the text field out inside the border; call after changing the frame.
  void layout();

 private:
  void refreshStyle();

  KitTheme theme_;
  std::shared_ptr<platform::TextField> textField_;
  bool error_ = false;
};

}  // namespace zelto

#endif  // ZELTO_KIT_KIT_INPUT_FIELD_H_
