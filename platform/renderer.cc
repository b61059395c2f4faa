#include "platform/renderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/keyboard_view.h"
#include "platform/notification_center.h"
#include "platform/png_codec.h"
#include "platform/window.h"

namespace zelto::platform {
namespace {

// The direction `view` lays out in, inside a superview laid out `inherited`.
LayoutDirection directionOf(const View& view, LayoutDirection inherited) {
  return forcedLayoutDirection(view.semanticContentAttribute).value_or(inherited);
}

// Draws `view`, laid out `direction`, with its top-left corner at the current origin.
void drawTree(Canvas& canvas, const View& view, Size size, bool isTop, LayoutDirection direction) {
  // Alpha as shown at this moment: a fade in progress is drawn part way.
  const double alpha = view.alpha.presentationValue();
  if (!isTop && (view.hidden || alpha <= 0)) return;
  const Rect bounds{0, 0, size.width, size.height};
  const bool layer = !isTop && alpha < 1;
  if (layer) canvas.beginLayer();
  canvas.save();
  if (view.clipsContent()) canvas.clipRoundedRect(bounds, view.cornerRadius);
  if (view.backgroundColor)
    canvas.fillRoundedRect(bounds, view.cornerRadius, *view.backgroundColor);
  view.draw(canvas, bounds, direction);
  const Point offset = view.scrollOffset();
  for (const auto& child : view.subviews()) {
    const Rect frame = child->presentationFrame();
    double x = frame.x - offset.x;
    if (direction == LayoutDirection::kRightToLeft) x = size.width - x - frame.width;
    canvas.save();
    canvas.translate(x, frame.y - offset.y);
    drawTree(canvas, *child, frame.size(), false, directionOf(*child, direction));
    canvas.restore();
  }
  canvas.restore();
  if (view.borderWidth > 0 && view.borderColor) {
    const double half = view.borderWidth / 2;
    canvas.strokeRoundedRect(
        {half, half, size.width - view.borderWidth, size.height - view.borderWidth},
        view.cornerRadius - half, *view.borderColor, view.borderWidth);
  }
  if (layer) canvas.endLayer(alpha);
}

const View* firstResponderIn(const View& view) {
  if (view.isFirstResponder()) return &view;
  for (const auto& child : view.subviews()) {
    if (const View* found = firstResponderIn(*child)) return found;
  }
  return nullptr;
}

// Draws `view` and its subviews at the context's origin, `scale` pixels a point: on `ground`
// when there is one, then the keyboard while a text input is first responder.
void paint(cairo_t* cr, const View& view, double scale, const std::optional<Color>& ground) {
  const Size size = view.frame().size();
  Canvas canvas(cr, scale);
  if (ground) canvas.fill(*ground);
  drawTree(canvas, view, size, true, view.effectiveLayoutDirection());
  if (!ground) return;
  if (const View* responder = firstResponderIn(view)) {
    const auto* field = dynamic_cast<const TextField*>(responder);
    const KeyboardView keyboard(field ? field->keyboardType : KeyboardType::kDefault, size.width);
    canvas.save();
    canvas.translate(0, size.height - kKeyboardHeight);
    drawTree(canvas, keyboard, keyboard.frame().size(), true, LayoutDirection::kLeftToRight);
    canvas.restore();
  }
}

double validScale(double scale) {
  return scale > 0 && std::isfinite(scale) ? scale : kDefaultRenderScale;
}

Image render(const View& view, double scale, const std::optional<Color>& ground) {
  scale = validScale(scale);
  const Size size = view.frame().size();
  const int width = std::max(1, static_cast<int>(std::ceil(size.width * scale)));
  const int height = std::max(1, static_cast<int>(std::ceil(size.height * scale)));
  // One surface kept for the next drawing of the same size: a fresh one would be zeroed page by
  // page by the system, which costs more than the drawing of a screen.
  thread_local Surface surface;
  if (!surface || cairo_image_surface_get_width(surface.get()) != width ||
      cairo_image_surface_get_height(surface.get()) != height) {
    surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  }
  Context cr(cairo_create(surface.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr.get());
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
  paint(cr.get(), view, scale, ground);
  cairo_surface_flush(surface.get());
  return Image("snapshot", size, std::make_shared<const std::string>(pngBytes(surface.get())));
}

}  // namespace

Image renderView(const View& view, double scale) { return render(view, scale, std::nullopt); }

void drawView(const View& view, double scale, const PixelBuffer& target) {
  if (!target.data || target.width <= 0 || target.height <= 0 || target.stride < 4 * target.width ||
      target.stride % 4 != 0) {
    return;
  }
  if (!(scale > 0) || !std::isfinite(scale)) scale = kDefaultRenderScale;
  Surface surface(cairo_image_surface_create_for_data(target.data, CAIRO_FORMAT_ARGB32,
                                                      target.width, target.height, target.stride));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return;
  Context cr(cairo_create(surface.get()));
  Canvas canvas(cr.get(), scale);
  drawTree(canvas, view, view.frame().size(), true, view.effectiveLayoutDirection());
  cairo_surface_flush(surface.get());
}

Image renderWindow(const Window& window, double scale) {
  return render(window, scale, Color::white());
}

bool drawWindow(const Window& window, double scale, const PixelBuffer& target) {
  if (!target.data || target.width <= 0 || target.height <= 0 || target.stride / 4 < target.width ||
      target.stride % 4 != 0) {
    return false;
  }
  Surface surface(cairo_image_surface_create_for_data(target.data, CAIRO_FORMAT_ARGB32,
                                                      target.width, target.height, target.stride));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
  Context cr(cairo_create(surface.get()));
  paint(cr.get(), window, validScale(scale), Color::white());
  cairo_surface_flush(surface.get());
  return true;
}

std::optional<std::string> writeImage(const Image& image, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(image.bytes().data(), static_cast<std::streamsize>(image.bytes().size()));
  if (out) out.close();
  if (!out) return "cannot write the image to " + path;
  return std::nullopt;
}

std::optional<Image> grayImage(std::string name, int width, int height,
                               std::span<const std::uint8_t> pixels, bool pixelArt) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return std::nullopt;
  }
  return Image(std::move(name), {static_cast<double>(width), static_cast<double>(height)},
               std::make_shared<const std::string>(encodePng(
                   width, height, 1,
                   [&](int y, std::uint8_t* out) {
                     std::copy_n(pixels.data() + static_cast<std::size_t>(y) * width, width, out);
                   })),
               pixelArt);
}

bool drawsTextWhole(const View& view) {
  return view.drawsTextWhole(view.bounds(), view.effectiveLayoutDirection());
}

Size measureText(std::string_view text, const Font& font, double maxWidth, int numberOfLines) {
  const TextStyle style{font,
                        1,
                        numberOfLines == 1 ? -1 : std::max(0.0, maxWidth),
                        std::max(0, numberOfLines),
                        TextAlignment::kLeading,
                        true,
                        userInterfaceLayoutDirection()};
  return textSizeWithMarks(text, style);
}

}  // namespace zelto::platform

// What the leak checker of a sanitized build is told about the libraries the renderer uses. It
// lives here, in a file every program that draws links, so that the checker finds it.
#if defined(__SANITIZE_ADDRESS__)
#define ZELTO_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELTO_LEAK_CHECKED 1
#endif
#endif
#ifdef ZELTO_LEAK_CHECKED
// fontconfig keeps the font patterns it has matched for the life of the process and frees them
// only when told to shut down, which pango never does; the leak checker is told these are not
// the library's leaks, and not to list the suppressions it used, so that a program's error
// output holds only what the program wrote.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif
