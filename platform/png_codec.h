// PNG in and out for the renderer and the documents it makes, and owning handles for the cairo
// objects they use.
//
// encodePng() writes 8-bit grey, RGB or RGBA pixels, one row at a time (no whole-image buffer):
// every row is filtered against the row above (screens repeat vertically) and compressed with
// zlib's fastest run-length setting, for speed rather than size. pngBytes() encodes a cairo image
// surface (RGB when every pixel is opaque, RGBA otherwise, colours no longer premultiplied).
// decodePng() reads PNG bytes into a cairo image surface, null when cairo cannot read them.
//
// Thread-safety: any thread; each surface by one thread at a time.
#ifndef ZELTO_PLATFORM_PNG_CODEC_H_
#define ZELTO_PLATFORM_PNG_CODEC_H_

#include <cairo.h>
#include <zelto/base/image.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zelto::platform {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// Fills row y (width * channels bytes) of the picture being encoded.
using PngRowWriter = std::function<void(int y, std::uint8_t* row)>;

// A PNG of `channels` 8-bit samples a pixel: 1 grey, 3 RGB or 4 RGBA.
std::string encodePng(int width, int height, int channels, const PngRowWriter& fillRow);
std::string pngBytes(cairo_surface_t* surface);
Surface decodePng(std::string_view bytes);

// An image of the PNG `bytes`, `scale` pixels a point (above 0); absent when cairo cannot read
// them.
std::optional<Image> pngImage(std::string name, std::string_view bytes, double scale);

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_PNG_CODEC_H_
