// How a navigation bar paints itself: its background, the hairline under it unless the bar is
// flat, and its title centred clear of the items at the sides; a long title shrinks, then wraps.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/navigation_controller.h"
#include "platform/painting/defaults.h"

namespace zelto::platform {
namespace {

constexpr Color kBackground{248 / 255.0, 248 / 255.0, 248 / 255.0, 1};
constexpr Color kHairline{0, 0, 0, 0.3};

// Where the title goes: centred, clear of the items at both sides.
Rect titleArea(const NavigationBar& bar, const Rect& bounds) {
  constexpr double kGap = 8;
  double margin = 2 * kGap;
  for (const auto& item : bar.subviews()) {
    if (item->hidden) continue;
    const Rect frame = item->frame();
    margin = std::max(margin, std::min(frame.maxX(), bounds.width - frame.x) + kGap);
  }
  return {bounds.x + margin, bounds.y, std::max(0.0, bounds.width - 2 * margin), bounds.height};
}

// A long title shrinks to 70% of its size, then takes two lines.
TextStyle titleStyle(const NavigationBar& bar, const Rect& area, LayoutDirection direction) {
  constexpr double kMinimumScale = 0.7;
  const Font font =
      bar.titleTextAttributes.font.value_or(Font::systemFont(17, FontWeight::kSemibold));
  TextStyle style{font, 1, area.width, 1, TextAlignment::kCenter, true, direction};
  style.sizeFactor = shrunkToFit(bar.title(), nullptr, style, area.width, kMinimumScale);
  // Only a title shrunk as far as it may can still be too wide.
  if (style.sizeFactor <= kMinimumScale &&
      textSize(bar.title(), nullptr, {font, style.sizeFactor, -1, 1}).width > area.width) {
    style.lines = 2;
  }
  return style;
}

}  // namespace

void NavigationBar::draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const {
  if (!backgroundColor) canvas.fillRect(bounds, barTintColor.value_or(kBackground));
  const bool flat = shadowImage && shadowImage->empty();
  if (!flat) canvas.fillRect({bounds.x, bounds.maxY() - 0.5, bounds.width, 0.5}, kHairline);
  if (title().empty()) return;
  const Rect area = titleArea(*this, bounds);
  canvas.drawText(title(), nullptr, titleStyle(*this, area, direction), area,
                  titleTextAttributes.foregroundColor.value_or(painting::kDefaultText));
}

bool NavigationBar::drawsTextWhole(const Rect& bounds, LayoutDirection direction) const {
  if (title().empty()) return true;
  const Rect area = titleArea(*this, bounds);
  return fitsWhole(title(), nullptr, titleStyle(*this, area, direction), area.size());
}

}  // namespace zelto::platform
