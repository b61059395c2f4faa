#include "platform/qr_code.h"

#include <cmath>
#include <cstdint>
#include <qrcodegen.hpp>
#include <vector>

#include "platform/renderer.h"

namespace zelto::platform {

std::optional<QrModules> qrCodeModules(std::string_view text) {
  if (text.size() > kQrMaxBytes) return std::nullopt;
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  std::optional<qrcodegen::QrCode> symbol;
  try {
    symbol = qrcodegen::QrCode::encodeSegments(
        {qrcodegen::QrSegment::makeBytes(bytes)}, qrcodegen::QrCode::Ecc::MEDIUM,
        qrcodegen::QrCode::MIN_VERSION, qrcodegen::QrCode::MAX_VERSION, -1,
        /*boostEcl=*/false);
  } catch (const qrcodegen::data_too_long&) {
    return std::nullopt;
  }
  const int modules = symbol->getSize();
  QrModules result;
  result.side = modules + 2 * kQrQuietZoneModules;
  result.dark.assign(static_cast<std::size_t>(result.side) * result.side, false);
  for (int y = 0; y < modules; ++y) {
    for (int x = 0; x < modules; ++x) {
      result.dark[static_cast<std::size_t>(y + kQrQuietZoneModules) * result.side + x +
                  kQrQuietZoneModules] = symbol->getModule(x, y);
    }
  }
  return result;
}

std::optional<Image> qrCodeImage(std::string_view text) {
  const auto symbol = qrCodeModules(text);
  if (!symbol) return std::nullopt;
  std::vector<std::uint8_t> pixels(symbol->dark.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = symbol->dark[i] ? 0 : 0xFF;
  return grayImage("qr_code", symbol->side, symbol->side, pixels, /*pixelArt=*/true);
}

double wholeModuleSide(double width, const Image& symbol, double scale) {
  const double modules = symbol.size().width;
  if (modules <= 0 || !(scale > 0)) return 0;
  const double pixelsPerModule = std::max(1.0, std::floor(width * scale / modules));
  return pixelsPerModule * modules / scale;
}

}  // namespace zelto::platform
