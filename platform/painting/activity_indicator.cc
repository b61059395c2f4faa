// How an activity indicator paints itself: eight spokes, each a little darker than the last.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/canvas.h"
#include "platform/controls.h"

namespace zelto::platform {
namespace {

constexpr Color kSpokes{142 / 255.0, 142 / 255.0, 147 / 255.0, 1};  // #8E8E93
constexpr int kSpokeCount = 8;

}  // namespace

void ActivityIndicatorView::draw(Canvas& canvas, const Rect& bounds, LayoutDirection) const {
  const double radius = std::min(bounds.width, bounds.height) / 2;
  const Color base = color.value_or(kSpokes);
  const double cx = bounds.x + bounds.width / 2, cy = bounds.y + bounds.height / 2;
  for (int i = 0; i < kSpokeCount; ++i) {
    const double angle = 2 * std::numbers::pi * i / kSpokeCount;
    const double dx = std::cos(angle), dy = std::sin(angle);
    Color spoke = base;
    spoke.alpha = base.alpha * (0.25 + 0.75 * (i + 1) / kSpokeCount);
    canvas.strokeLine({cx + dx * radius * 0.45, cy + dy * radius * 0.45},
                      {cx + dx * radius * 0.89, cy + dy * radius * 0.89}, spoke, radius * 0.22);
  }
}

}  // namespace zelto::platform
