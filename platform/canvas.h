// Canvas: the drawing calls views paint themselves with, in points, independent of the raster
// library behind them. Shapes are in canvas.cc, text in text_layout.cc, images in
// canvas_image.cc; the renderer (platform/renderer.h) makes a canvas over its pixels and walks
// the view tree.
//
// Thread-safety: one canvas is used on one thread.
#ifndef ZELTO_PLATFORM_CANVAS_H_
#define ZELTO_PLATFORM_CANVAS_H_

#include <zelto/base/color.h>
#include <zelto/base/geometry.h>
#include <zelto/base/image.h>

#include <optional>
#include <string_view>

#include "platform/text_layout.h"

using cairo_t = struct _cairo;

namespace zelto::platform {

class Canvas {
 public:
  // Draws into `context`, `scale` pixels a point: the context is scaled here, and set up for
  // text that keeps its shape at every scale.
  Canvas(cairo_t* context, double scale);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Pixels a point; images are drawn from the representation that best fits it.
  double scale() const { return scale_; }

  // ---- Shapes ----
  void fill(const Color& color);  // the whole clip area
  void fillRect(const Rect& rect, const Color& color);
  // A radius larger than half a side is cut to it; 0 gives square corners.
  void fillRoundedRect(const Rect& rect, double radius, const Color& color);
  void strokeRoundedRect(const Rect& rect, double radius, const Color& color, double lineWidth);
  void fillCircle(Point centre, double radius, const Color& color);
  // A line with round caps.
  void strokeLine(Point from, Point to, const Color& color, double lineWidth);

  // ---- State: every change lasts until the matching restore() ----
  void save();
  void restore();
  void translate(double dx, double dy);
  // Mirrors what follows around the vertical line at `x`.
  void mirrorAround(double x);
  void clipRoundedRect(const Rect& rect, double radius);
  // What is drawn between the two calls is laid over what was there at `alpha`, as one layer.
  void beginLayer();
  void endLayer(double alpha);

  // ---- Text (text_layout.cc) ----
  // Sets the text (or the runs of `styled`) in `area`, centred vertically, in `color` (runs
  // with a colour keep theirs). Returns the text's logical rectangle.
  Rect drawText(std::string_view text, const StyledText* styled, const TextStyle& style,
                const Rect& area, const Color& color);

  // ---- Images (canvas_image.cc) ----
  // `image` stretched to `destination`; with `tint`, its opaque pixels in that colour.
  void drawImage(const Image& image, const Rect& destination, const std::optional<Color>& tint);

 private:
  void roundedRectPath(const Rect& rect, double radius);

  cairo_t* context_;
  double scale_;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_CANVAS_H_
