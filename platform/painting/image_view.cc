// How an image view paints itself: its image fitted to its bounds by its content mode.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/controls.h"

namespace zelto::platform {
namespace {

Rect fitted(Size image, const Rect& bounds, ContentMode mode) {
  if (image.width <= 0 || image.height <= 0) return bounds;
  double factor = 1;
  switch (mode) {
    case ContentMode::kScaleToFill:
      return bounds;
    case ContentMode::kScaleAspectFit:
      factor = std::min(bounds.width / image.width, bounds.height / image.height);
      break;
    case ContentMode::kScaleAspectFill:
      factor = std::max(bounds.width / image.width, bounds.height / image.height);
      break;
    case ContentMode::kCenter:
      break;
  }
  const double width = image.width * factor, height = image.height * factor;
  return {bounds.x + (bounds.width - width) / 2, bounds.y + (bounds.height - height) / 2, width,
          height};
}

}  // namespace

void ImageView::draw(Canvas& canvas, const Rect& bounds, LayoutDirection) const {
  if (image) canvas.drawImage(*image, fitted(image->size(), bounds, contentMode), tintColor);
}

}  // namespace zelto::platform
