#include "python/src/qr_output.h"

#include <cairo.h>

#include "platform/qr_code.h"

namespace zelto::python {

std::optional<std::string> qrPng(std::string_view payload, int scale) {
  const std::optional<platform::QrModules> modules = platform::qrCodeModules(payload);
  if (!modules) return std::nullopt;
  const int side = modules->side * scale;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, side, side);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  for (int y = 0; y < modules->side; ++y) {
    for (int x = 0; x < modules->side; ++x) {
      if (modules->isDark(x, y)) cairo_rectangle(cr, x * scale, y * scale, scale, scale);
    }
  }
  cairo_fill(cr);
  cairo_destroy(cr);
  std::string png;
  cairo_surface_write_to_png_stream(
      surface,
      [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
      },
      &png);
  cairo_surface_destroy(surface);
  return png;
}

std::optional<std::string> qrSvg(std::string_view payload) {
  const std::optional<platform::QrModules> modules = platform::qrCodeModules(payload);
  if (!modules) return std::nullopt;
  const std::string side = std::to_string(modules->side);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
      side + " " + side + "\" width=\"" + side + "\" height=\"" + side +
      "\" shape-rendering=\"crispEdges\">\n"
      "<rect width=\"" +
      side + "\" height=\"" + side + "\" fill=\"#ffffff\"/>\n<path fill=\"#000000\" d=\"";
  // Each run of dark modules in a row is one rectangle: move, right, down, left, close.
  for (int y = 0; y < modules->side; ++y) {
    for (int x = 0; x < modules->side;) {
      if (!modules->isDark(x, y)) {
        ++x;
        continue;
      }
      int end = x;
      while (end < modules->side && modules->isDark(end, y)) ++end;
      svg += "M" + std::to_string(x) + " " + std::to_string(y) + "h" + std::to_string(end - x) +
             "v1h-" + std::to_string(end - x) + "z";
      x = end;
    }
  }
  svg += "\"/>\n</svg>\n";
  return svg;
}

}  // namespace zelto::python
