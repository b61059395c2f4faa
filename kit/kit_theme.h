// The look of the library's screens: the fixed palette, the colours the host themes through its
// configuration, and the type scale.
//
// Themed colours always come from the configuration in force (ZeltoConfig, set by
// ZeltoMerchantSDK::setupOneTimeConfiguration): a host that changes actionButtonColor sees every
// primary button change. The palette holds the colours the screens fix themselves (text, hints,
// separators, the QR border, error red).
//
// Thread-safety: KitTheme::current() reads the shared session (main thread only); the rest is
// plain values.
#ifndef ZELTO_KIT_KIT_THEME_H_
#define ZELTO_KIT_KIT_THEME_H_

#include <zelto/base/color.h>
#include <zelto/sdk/zelto_config.h>

#include "platform/font.h"

namespace zelto {

// Colours fixed by the screens, whatever the host configures.
struct KitPalette {
  static platform::Color navy();      // #15195A titles, the share image's band
  static platform::Color ink();       // #1D2A59 primary text
  static platform::Color slate();     // #6F7099 secondary text and hints
  static platform::Color mist();      // #F2F4F8 separators, selected rows, snapshot background
  static platform::Color border();    // #B8BACD QR frame, resting input border
  static platform::Color disabled();  // #BEBFD1 thumbs of switches that cannot be turned on
  static platform::Color hint();      // #003EA9 the share image's hint
  static platform::Color error();     // #D92D20 input error border, error banner
  static platform::Color warning();   // #B54708 warning banner
  static platform::Color success();   // #067647 success banner
};

// The configured colours, copied out of a configuration.
struct KitTheme {
  platform::Color background;          // navigation bar and screen headers
  platform::Color fontColor;           // text on the navigation bar and headers
  platform::Color actionButton;        // primary buttons, switches that are on, focused fields
  platform::Color actionButtonActive;  // primary buttons while pressed
  platform::Color actionButtonFont;    // titles of primary buttons
  platform::Color textCaret;           // caret of input fields

  static KitTheme fromConfiguration(const ZeltoConfig& config);
  // The theme of the configuration the shared session holds now.
  static KitTheme current();
};

// The type scale of the screens (points).
struct KitFont {
  static platform::Font screenTitle();  // 17 semibold
  static platform::Font headline();     // 15 semibold: cell titles, merchant name
  static platform::Font body();         // 15 regular
  static platform::Font secondary();    // 13 regular: hints, city
  static platform::Font amount();       // 20 bold
  static platform::Font button();       // 14 bold: primary button titles
};

// A colour with its alpha multiplied by `alpha`.
platform::Color withAlpha(platform::Color color, double alpha);

}  // namespace zelto

#endif  // ZELTO_KIT_KIT_THEME_H_
