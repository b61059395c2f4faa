// QR symbols: the picture a consumer's phone scans.
//
// qrCodeImage() encodes the UTF-8 bytes of a text in byte mode at error correction level M, in
// the smallest version (1 to 40) that holds them, and draws the symbol one pixel a module with a
// quiet zone of 4 modules on every side: black modules on white, an image flagged as pixel art so
// the renderer keeps module edges sharp. It succeeds for texts of up to 2331 bytes.
// qrCodeModules() gives the same symbol as modules, for front ends that draw it themselves (a
// terminal, say).
//
// Thread-safety: any thread.
#ifndef ZELTO_PLATFORM_QR_CODE_H_
#define ZELTO_PLATFORM_QR_CODE_H_

#include <zelto/base/image.h>

#include <optional>
#include <string_view>
#include <vector>

namespace zelto::platform {

inline constexpr int kQrQuietZoneModules = 4;
// The most bytes a symbol at error correction level M holds (version 40).
inline constexpr std::size_t kQrMaxBytes = 2331;

// The modules of a symbol, quiet zone included: side × side, row by row.
struct QrModules {
  int side = 0;
  std::vector<bool> dark;
  bool isDark(int x, int y) const { return dark[static_cast<std::size_t>(y) * side + x]; }
};

// The symbol of `text`; absent when the text does not fit in a symbol.
std::optional<QrModules> qrCodeModules(std::string_view text);
std::optional<Image> qrCodeImage(std::string_view text);

// The side, in points, of the largest square not wider than `width` points in which each module
// of `symbol` (quiet zone included) takes a whole number of pixels at `scale` pixels a point, so
// the symbol shows without blurred edges. At least one pixel a module.
double wholeModuleSide(double width, const Image& symbol, double scale = 2);

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_QR_CODE_H_
