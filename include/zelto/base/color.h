// Colour: red, green, blue and alpha, each from 0 to 1. A plain value type.
#ifndef ZELTO_BASE_COLOR_H_
#define ZELTO_BASE_COLOR_H_

#include <zelto/export.h>

#include <string_view>

namespace zelto::platform {

struct ZELTO_EXPORT Color {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;

  // The standard grey: 0.5, 0.5, 0.5, alpha 1.
  static Color gray();
  static Color white();
  static Color black();
  static Color clear();  // 0, 0, 0, alpha 0

  // The library's hex rule: the text is trimmed of white space and line breaks at both ends,
  // upper-cased and stripped of one leading "#"; exactly six hexadecimal digits then give red,
  // green and blue (pairs over 255) with alpha 1. Anything else gives gray().
  static Color fromHex(std::string_view hex);

  friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace zelto::platform

#endif  // ZELTO_BASE_COLOR_H_
