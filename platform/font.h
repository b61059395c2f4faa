// Font: the system font at a size and weight. A plain value type; the renderer maps it to the
// library's typeface (platform/renderer.h).
#ifndef ZELTO_PLATFORM_FONT_H_
#define ZELTO_PLATFORM_FONT_H_

namespace zelto::platform {

enum class FontWeight { kRegular, kMedium, kSemibold, kBold };

struct Font {
  double size = 17;
  FontWeight weight = FontWeight::kRegular;

  static Font systemFont(double size, FontWeight weight = FontWeight::kRegular) {
    return {size, weight};
  }
  static Font boldSystemFont(double size) { return {size, FontWeight::kBold}; }
  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_FONT_H_
