#include "kit/kit_theme.h"

#include "sdk/session.h"

namespace zelto {

using platform::Color;
using platform::Font;
using platform::FontWeight;

Color KitPalette::navy() { return Color::fromHex("#15195A"); }
Color KitPalette::ink() { return Color::fromHex("#1D2A59"); }
Color KitPalette::slate() { return Color::fromHex("#6F7099"); }
Color KitPalette::mist() { return Color::fromHex("#F2F4F8"); }
Color KitPalette::border() { return Color::fromHex("#B8BACD"); }
Color KitPalette::disabled() { return Color::fromHex("#BEBFD1"); }
Color KitPalette::hint() { return Color::fromHex("#003EA9"); }
Color KitPalette::error() { return Color::fromHex("#D92D20"); }
Color KitPalette::warning() { return Color::fromHex("#B54708"); }
Color KitPalette::success() { return Color::fromHex("#067647"); }

KitTheme KitTheme::fromConfiguration(const ZeltoConfig& config) {
  return {config.backgroundColor,       config.fontColor,
          config.actionButtonColor,     config.actionButtonActiveColor,
          config.actionButtonFontColor, config.textCaretColor()};
}

KitTheme KitTheme::current() {
  return fromConfiguration(*ZeltoSession::sharedSession().internalConfiguration());
}

Font KitFont::screenTitle() { return Font::systemFont(17, FontWeight::kSemibold); }
Font KitFont::headline() { return Font::systemFont(15, FontWeight::kSemibold); }
Font KitFont::body() { return Font::systemFont(15); }
Font KitFont::secondary() { return Font::systemFont(13); }
Font KitFont::amount() { return Font::boldSystemFont(20); }
Font KitFont::button() { return Font::boldSystemFont(14); }

Color withAlpha(Color color, double alpha) {
  color.alpha *= alpha;
  return color;
}

}  // namespace zelto
