#include "platform/png_codec.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace zelto::platform {
namespace {

void appendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void appendChunk(std::string& out, const char* type, std::string_view data) {
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.append(type, 4);
  out.append(data);
  const auto* checked = reinterpret_cast<const Bytef*>(out.data() + start);
  appendBigEndian(
      out, static_cast<std::uint32_t>(crc32(0, checked, static_cast<uInt>(out.size() - start))));
}

}  // namespace

std::string encodePng(int width, int height, int channels, const PngRowWriter& fillRow) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * channels;
  std::vector<std::uint8_t> above(rowBytes), row(rowBytes), filtered(rowBytes + 1);
  std::string compressed;
  z_stream stream{};
  // A window no larger than the data: small images (QR symbols) then need little memory.
  int windowBits = 9;
  while (windowBits < 15 && (std::size_t{1} << windowBits) < (rowBytes + 1) * height) ++windowBits;
  deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, windowBits, std::max(1, windowBits - 7), Z_RLE);
  constexpr std::size_t kChunk = 1 << 16;
  std::uint8_t chunk[kChunk];
  const auto pump = [&](int flush) {
    do {
      stream.next_out = chunk;
      stream.avail_out = kChunk;
      deflate(&stream, flush);
      compressed.append(reinterpret_cast<const char*>(chunk), kChunk - stream.avail_out);
    } while (stream.avail_out == 0);
  };
  for (int y = 0; y < height; ++y) {
    fillRow(y, row.data());
    // "Up": the difference from the row above (the first row's "above" is zeros).
    filtered[0] = 2;
    for (std::size_t i = 0; i < rowBytes; ++i) {
      filtered[i + 1] = static_cast<std::uint8_t>(row[i] - above[i]);
    }
    stream.next_in = filtered.data();
    stream.avail_in = static_cast<uInt>(filtered.size());
    pump(y + 1 == height ? Z_FINISH : Z_NO_FLUSH);
    std::swap(row, above);
  }
  deflateEnd(&stream);

  static constexpr std::uint8_t kColorTypes[] = {0, 0, 0, 2, 6};  // by channel count
  std::string header;
  appendBigEndian(header, static_cast<std::uint32_t>(width));
  appendBigEndian(header, static_cast<std::uint32_t>(height));
  header += {8, static_cast<char>(kColorTypes[channels]), 0, 0, 0};
  std::string png("\x89PNG\r\n\x1a\n", 8);
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", compressed);
  appendChunk(png, "IEND", "");
  return png;
}

std::string pngBytes(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const auto rowPixels = [&](int y) {
    return reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
  };
  bool opaque = true;
  for (int y = 0; y < height && opaque; ++y) {
    const std::uint32_t* pixels = rowPixels(y);
    opaque = std::all_of(pixels, pixels + width, [](std::uint32_t p) { return p >> 24 == 0xFF; });
  }
  return encodePng(width, height, opaque ? 3 : 4, [&](int y, std::uint8_t* out) {
    const std::uint32_t* pixels = rowPixels(y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t argb = pixels[x];
      const std::uint32_t alpha = argb >> 24;
      std::uint32_t red = (argb >> 16) & 0xFF, green = (argb >> 8) & 0xFF, blue = argb & 0xFF;
      if (alpha != 0xFF && alpha != 0) {
        red = (red * 255 + alpha / 2) / alpha;
        green = (green * 255 + alpha / 2) / alpha;
        blue = (blue * 255 + alpha / 2) / alpha;
      }
      *out++ = static_cast<std::uint8_t>(red);
      *out++ = static_cast<std::uint8_t>(green);
      *out++ = static_cast<std::uint8_t>(blue);
      if (!opaque) *out++ = static_cast<std::uint8_t>(alpha);
    }
  });
}

namespace {

struct PngReader {
  std::string_view bytes;
  std::size_t offset = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->bytes.size() - reader->offset < length) return CAIRO_STATUS_READ_ERROR;
  std::copy_n(reader->bytes.data() + reader->offset, length, data);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Surface decodePng(std::string_view bytes) {
  if (bytes.empty()) return nullptr;
  PngReader reader{bytes};
  Surface surface(cairo_image_surface_create_from_png_stream(readBytes, &reader));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return surface;
}

std::optional<Image> pngImage(std::string name, std::string_view bytes, double scale) {
  const Surface surface = decodePng(bytes);
  if (!surface || !(scale > 0)) return std::nullopt;
  const Size size{cairo_image_surface_get_width(surface.get()) / scale,
                  cairo_image_surface_get_height(surface.get()) / scale};
  return Image(std::move(name), size, std::make_shared<const std::string>(bytes));
}

}  // namespace zelto::platform
