// Print-ready documents: a QR symbol alone, and a counter-stand card around one.
//
// qrDocument() draws the symbol of a text (byte mode, error correction M, the smallest version
// that holds it, a quiet zone of 4 modules on every side) on an exact module grid: in PNG each
// module is `moduleSize` by `moduleSize` pixels of pure black or white (no blended edges); in SVG
// and PDF each module is `moduleSize` points and the dark modules are filled shapes, so the code
// stays sharp at any print size. An SVG's user unit is one module (viewBox "0 0 N N", N the
// modules a side, quiet zone included), its dark modules one path of a rectangle a run of a row.
//
// drawPoster() lays a stand card out on an A6, A5 or A4 page in points (the three share one
// layout, scaled): a band of the accent colour with the title, the merchant's name (up to two
// lines, then cut with an ellipsis) and city; the code in a bordered frame at least 60 mm wide
// on A6; the amount when there is one; a row of network logos; a hint. Text is set in Inter
// (with the fallback fonts for other scripts) and kept as text in PDF, with the fonts embedded;
// SVG keeps glyph outlines. The code is drawn as vector shapes; the logos are the PNG pictures
// they are given.
//
// Thread-safety: any thread.
#ifndef ZELTO_PLATFORM_PRINT_DOCUMENT_H_
#define ZELTO_PLATFORM_PRINT_DOCUMENT_H_

#include <zelto/base/color.h>
#include <zelto/base/image.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelto::platform {

enum class DocumentFormat { kPng, kSvg, kPdf };
enum class PaperSize { kA6, kA5, kA4 };

// The most pixels (PNG) or points (SVG, PDF) a module may take.
inline constexpr int kMaxModuleSize = 100;

// The symbol of `text`, `moduleSize` (1 to kMaxModuleSize) pixels or points a module; absent
// when the text does not fit in a symbol or the module size is out of range.
std::optional<std::string> qrDocument(std::string_view text, DocumentFormat format, int moduleSize);

struct PosterContent {
  std::string title;
  std::string merchantName;
  std::string city;
  std::string amount;  // "" for none
  std::string payload;
  std::string hint;
  std::vector<Image> logos;
  Color accent;     // the band
  Color onAccent;   // text on the band
  Color ink;        // the amount
  Color secondary;  // the hint
  Color frame;      // the border around the code
};

// The page's size in points (width, height).
Size paperSize(PaperSize paper);

// The card as an SVG or PDF document (a PNG format gives nothing); absent when the payload does
// not fit in a symbol.
std::optional<std::string> drawPoster(const PosterContent& content, DocumentFormat format,
                                      PaperSize paper);

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_PRINT_DOCUMENT_H_
