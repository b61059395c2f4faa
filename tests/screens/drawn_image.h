// Drawn screens read back: the pixels of a rendered PNG, the QR code in it read by ZXing as a
// consumer's camera would, and the quiet zone around a drawn symbol.
#ifndef ZELTO_TESTS_SCREENS_DRAWN_IMAGE_H_
#define ZELTO_TESTS_SCREENS_DRAWN_IMAGE_H_

#include <ZXing/ReadBarcode.h>
#include <cairo.h>
#include <zelto/base/color.h>
#include <zelto/base/image.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelto::testing {

class DrawnImage {
 public:
  explicit DrawnImage(const platform::Image& image) {
    struct Reader {
      std::string_view bytes;
      std::size_t offset = 0;
    } reader{image.bytes()};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
          auto* r = static_cast<Reader*>(closure);
          if (r->bytes.size() - r->offset < length) return CAIRO_STATUS_READ_ERROR;
          std::copy_n(r->bytes.data() + r->offset, length, data);
          r->offset += length;
          return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
      width = cairo_image_surface_get_width(surface);
      height = cairo_image_surface_get_height(surface);
      const int stride = cairo_image_surface_get_stride(surface);
      const unsigned char* data = cairo_image_surface_get_data(surface);
      for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        argb.insert(argb.end(), row, row + width);
      }
    }
    cairo_surface_destroy(surface);
  }

  // Channel values 0-255 (premultiplied, as cairo keeps them).
  int red(int x, int y) const { return (at(x, y) >> 16) & 0xFF; }
  int green(int x, int y) const { return (at(x, y) >> 8) & 0xFF; }
  int blue(int x, int y) const { return at(x, y) & 0xFF; }
  int alpha(int x, int y) const { return at(x, y) >> 24; }
  bool dark(int x, int y) const { return alpha(x, y) > 128 && red(x, y) + green(x, y) < 200; }
  std::uint32_t at(int x, int y) const { return argb.at(static_cast<std::size_t>(y) * width + x); }

  // The opaque colour of pixel x, y as "#RRGGBB".
  std::string hexAt(int x, int y) const {
    const std::uint32_t pixel = at(x, y);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF,
                  pixel & 0xFF);
    return text;
  }

  // The QR code's bytes as text; absent when no code can be read.
  std::optional<std::string> readQr() const {
    std::vector<std::uint8_t> luminance;
    luminance.reserve(argb.size());
    for (const std::uint32_t pixel : argb) luminance.push_back((pixel >> 8) & 0xFF);
    const auto result =
        ZXing::ReadBarcode({luminance.data(), width, height, ZXing::ImageFormat::Lum},
                           ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
    if (!result.isValid()) return std::nullopt;
    const auto& bytes = result.bytes();
    return std::string(bytes.begin(), bytes.end());
  }

  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

// "" when the side × side modules are a QR symbol (17 + 4v modules, v from 1 to 40) inside a
// quiet zone of exactly four light modules on every side: every module within four of an edge
// is light, and the outer corners of the three finder patterns, four modules in, are dark.
// Otherwise what is wrong, for a test's failure message.
inline std::string quietZoneFault(int side, const std::function<bool(int x, int y)>& dark) {
  constexpr int kQuiet = 4;
  const int symbol = side - 2 * kQuiet;
  if (symbol < 21 || symbol > 177 || (symbol - 17) % 4 != 0) {
    return "a grid of " + std::to_string(side) + " modules is no symbol plus 8 quiet modules";
  }
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const bool quiet = x < kQuiet || y < kQuiet || x >= side - kQuiet || y >= side - kQuiet;
      if (quiet && dark(x, y)) {
        return "dark module in the quiet zone at " + std::to_string(x) + "," + std::to_string(y);
      }
    }
  }
  const int far = side - kQuiet - 1;
  for (const auto& [x, y] : {std::pair{kQuiet, kQuiet}, {far, kQuiet}, {kQuiet, far}}) {
    if (!dark(x, y)) {
      return "no finder pattern corner at " + std::to_string(x) + "," + std::to_string(y) +
             ": the quiet zone is wider than four modules";
    }
  }
  return "";
}

}  // namespace zelto::testing

#endif  // ZELTO_TESTS_SCREENS_DRAWN_IMAGE_H_
