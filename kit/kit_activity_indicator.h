// KitActivityIndicatorView: the spinning indicator of busy buttons, in the configuration's
// actionButtonFontColor (it sits on a primary button). Hidden while stopped.
//
// Thread-safety: main thread only.
#ifndef ZELTO_KIT_KIT_ACTIVITY_INDICATOR_H_
#define ZELTO_KIT_KIT_ACTIVITY_INDICATOR_H_

#include "kit/kit_theme.h"
#include "platform/controls.h"

namespace zelto {

class KitActivityIndicatorView : public platform::ActivityIndicatorView {
 public:
  KitActivityIndicatorView() : KitActivityIndicatorView(KitTheme::current()) {}
  explicit KitActivityIndicatorView(const KitTheme& theme) { color = theme.actionButtonFont; }

  // How fast the spokes turn, in turns a second; the headless indicator only records it.
  double speed = 1.0;
};

}  // namespace zelto

#endif  // ZELTO_KIT_KIT_ACTIVITY_INDICATOR_H_
