// How a button paints itself: its background for the state, then its image and title centred
// together, the image on the title's leading side.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/painting/defaults.h"

namespace zelto::platform {
namespace {

constexpr double kImageGap = 8;

// The size the button's image is drawn at: its own, no taller than the button.
Size imageSize(const Button& button, const Rect& bounds) {
  const auto image = button.image(button.state());
  Size size = image ? image->size() : Size{};
  if (size.height > bounds.height && size.height > 0) {
    size = {size.width * bounds.height / size.height, bounds.height};
  }
  return size;
}

// The width the button's title may take beside its image.
double titleRoom(const Button& button, const Rect& bounds) {
  const bool both = button.image(button.state()) && !button.title(button.state()).empty();
  return std::max(0.0, bounds.width - imageSize(button, bounds).width - (both ? kImageGap : 0));
}

}  // namespace

void Button::draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const {
  const ControlState current = state();
  if (const auto background = backgroundColorForState(current)) {
    canvas.fillRoundedRect(bounds, cornerRadius, *background);
  }
  const std::string shownTitle = title(current);
  const auto shownImage = image(current);
  const Size shownImageSize = imageSize(*this, bounds);
  const double gap = shownImage && !shownTitle.empty() ? kImageGap : 0;
  TextStyle style{titleFont, 1, -1, 1, TextAlignment::kLeading, true, direction};
  const double titleWidth =
      shownTitle.empty()
          ? 0
          : std::min(titleRoom(*this, bounds), textSize(shownTitle, nullptr, style).width);
  const double left = bounds.x + (bounds.width - shownImageSize.width - gap - titleWidth) / 2;
  const bool rightToLeft = direction == LayoutDirection::kRightToLeft;
  const double imageX = rightToLeft ? left + titleWidth + gap : left;
  const double titleX = rightToLeft ? left : left + shownImageSize.width + gap;
  if (shownImage) {
    const Rect area{imageX, bounds.y + (bounds.height - shownImageSize.height) / 2,
                    shownImageSize.width, shownImageSize.height};
    canvas.save();
    if (rightToLeft && flipsImageForRightToLeft) canvas.mirrorAround(area.x + area.width / 2);
    canvas.drawImage(*shownImage, area, tintColor);
    canvas.restore();
  }
  if (!shownTitle.empty()) {
    style.width = titleWidth;
    const Color color = titleColor(current).value_or(tintColor.value_or(painting::kDefaultTint));
    canvas.drawText(shownTitle, nullptr, style, {titleX, bounds.y, titleWidth, bounds.height},
                    color);
  }
}

bool Button::drawsTextWhole(const Rect& bounds, LayoutDirection direction) const {
  const std::string shownTitle = title(state());
  if (shownTitle.empty()) return true;
  const TextStyle style{titleFont, 1, -1, 1, TextAlignment::kLeading, true, direction};
  return fitsWhole(shownTitle, nullptr, style, {titleRoom(*this, bounds), bounds.height});
}

}  // namespace zelto::platform
