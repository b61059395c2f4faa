// KitPrimaryButton: the full-width action button at the bottom of a screen.
//
// Its colours come from the configuration in force when it is made (or the theme given):
// background actionButtonColor, actionButtonActiveColor while pressed, title in
// actionButtonFontColor; disabled, the whole button shows at 40 % (background and title).
// Corner radius 8, bold 14-point title, centred.
//
// Thread-safety: main thread only.
#ifndef ZELTO_KIT_KIT_BUTTON_H_
#define ZELTO_KIT_KIT_BUTTON_H_

#include "kit/kit_theme.h"
#include "platform/view.h"

namespace zelto {

class KitPrimaryButton : public platform::Button {
 public:
  KitPrimaryButton() { applyTheme(KitTheme::current()); }
  explicit KitPrimaryButton(const KitTheme& theme) { applyTheme(theme); }

  void applyTheme(const KitTheme& theme);

  static constexpr double kDisabledAlpha = 0.4;
  static constexpr double kCornerRadius = 8;
};

}  // namespace zelto

#endif  // ZELTO_KIT_KIT_BUTTON_H_
