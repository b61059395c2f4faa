#include "kit/kit_bundle.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "base/resource_bundle.h"

namespace zelto {

std::string KitBundle::string(std::string_view key) { return platform::localizedString(key); }

std::string KitBundle::string(std::string_view key, std::string_view placeholder,
                              std::string_view value) {
  return replaceAll(platform::localizedString(key), placeholder, value);
}

platform::Image KitBundle::image(std::string_view name) {
  return platform::imageNamed(name).value_or(platform::Image());
}

std::string KitBundle::upperCased(std::string_view text) {
  std::string upper;
  icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))
      .toUpper(icu::Locale::getRoot())
      .toUTF8String(upper);
  return upper;
}

std::string replaceAll(std::string text, std::string_view placeholder, std::string_view value) {
  if (placeholder.empty()) return text;
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
  return text;
}

}  // namespace zelto
