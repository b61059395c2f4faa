#include <cairo.h>

#include "base/resource_bundle.h"
#include "platform/canvas.h"
#include "platform/png_codec.h"

namespace zelto::platform {
namespace {

// The bundle's representation of a bundle image that best fits `scale`; the image itself
// otherwise.
Image bestRepresentation(const Image& image, double scale) {
  if (image.name().empty() || image.isPixelArt()) return image;
  const auto better = imageNamed(image.name(), scale);
  return better && better->size() == image.size() ? *better : image;
}

}  // namespace

void Canvas::drawImage(const Image& image, const Rect& destination,
                       const std::optional<Color>& tint) {
  if (destination.width <= 0 || destination.height <= 0) return;
  const Surface surface = decodePng(bestRepresentation(image, scale_).bytes());
  if (!surface) return;
  const double pixelWidth = cairo_image_surface_get_width(surface.get());
  const double pixelHeight = cairo_image_surface_get_height(surface.get());
  if (pixelWidth <= 0 || pixelHeight <= 0) return;
  cairo_save(context_);
  cairo_rectangle(context_, destination.x, destination.y, destination.width, destination.height);
  cairo_clip(context_);
  cairo_translate(context_, destination.x, destination.y);
  cairo_scale(context_, destination.width / pixelWidth, destination.height / pixelHeight);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface.get());
  cairo_pattern_set_filter(pattern, image.isPixelArt() ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  if (tint) {
    cairo_set_source_rgba(context_, tint->red, tint->green, tint->blue, tint->alpha);
    cairo_mask(context_, pattern);
  } else {
    cairo_set_source(context_, pattern);
    cairo_paint(context_);
  }
  cairo_pattern_destroy(pattern);
  cairo_restore(context_);
}

}  // namespace zelto::platform
