// Lookup in the library's own bundle for the screens: localised texts with their placeholders
// filled, and images.
//
// Thread-safety: any thread (the bundle is read-only once loaded).
#ifndef ZELTO_KIT_KIT_BUNDLE_H_
#define ZELTO_KIT_KIT_BUNDLE_H_

#include <zelto/base/image.h>

#include <string>
#include <string_view>

namespace zelto {

class KitBundle {
 public:
  KitBundle() = delete;

  // The text of `key` in the library's string table (the key itself when it has none).
  static std::string string(std::string_view key);
  // The text of `key` with every occurrence of `placeholder` replaced by `value`.
  static std::string string(std::string_view key, std::string_view placeholder,
                            std::string_view value);
  // The bundle's image `name`; an empty image when the bundle has none (a screen then shows
  // nothing there rather than failing).
  static platform::Image image(std::string_view name);
  // `text` in upper case by the Unicode rules (titles of primary buttons).
  static std::string upperCased(std::string_view text);
};

// `text` with every occurrence of `placeholder` replaced by `value`.
std::string replaceAll(std::string text, std::string_view placeholder, std::string_view value);

}  // namespace zelto

#endif  // ZELTO_KIT_KIT_BUNDLE_H_
