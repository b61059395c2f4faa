// How a switch paints itself: a rounded track, green when on, and a white thumb with a soft
// shadow. The thumb sits at the trailing end when on: on the left in a right-to-left layout.
#include "platform/canvas.h"
#include "platform/controls.h"

namespace zelto::platform {
namespace {

constexpr Color kOn{52 / 255.0, 199 / 255.0, 89 / 255.0, 1};     // #34C759
constexpr Color kOff{233 / 255.0, 233 / 255.0, 234 / 255.0, 1};  // #E9E9EA
constexpr Color kThumbShadow{0, 0, 0, 0.12};

}  // namespace

void Switch::draw(Canvas& canvas, const Rect& bounds, LayoutDirection direction) const {
  canvas.fillRoundedRect(bounds, bounds.height / 2, isOn() ? onTintColor.value_or(kOn) : kOff);
  const double radius = bounds.height / 2 - 2;
  const bool atRight = isOn() == (direction == LayoutDirection::kLeftToRight);
  const Point centre{atRight ? bounds.maxX() - 2 - radius : bounds.x + 2 + radius,
                     bounds.y + bounds.height / 2};
  canvas.fillCircle({centre.x, centre.y + 1.5}, radius + 0.5, kThumbShadow);
  canvas.fillCircle(centre, radius, thumbTintColor.value_or(Color::white()));
}

}  // namespace zelto::platform
