#include "base/language.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <mutex>

namespace zelto::platform {
namespace {

constexpr std::array<std::string_view, 12> kLanguages = {
    "en", "ar", "hi", "id", "th", "vi", "pt-BR", "es", "fr", "zh-Hans", "en-XA", "ar-XB"};

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
    return c == '_' ? '-' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return out;
}

struct Setting {
  std::mutex mutex;
  std::optional<std::string> language;
};

Setting& setting() {
  static Setting instance;
  return instance;
}

std::string_view environmentLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

std::span<const std::string_view> supportedLanguages() { return kLanguages; }

std::optional<std::string> nearestLanguage(std::string_view locale) {
  const std::string tag = lowered(locale.substr(0, locale.find_first_of(".@")));
  for (const std::string_view language : kLanguages) {
    if (tag == lowered(language)) return std::string(language);
  }
  const std::string code = tag.substr(0, tag.find('-'));
  if (code == "pt") return "pt-BR";
  if (code == "zh") return "zh-Hans";
  if (code == "in") return "id";  // the code Indonesian had before 1989, still seen in Java
  for (const std::string_view language : kLanguages) {
    if (code == language) return code;
  }
  return std::nullopt;
}

bool setLanguage(std::string_view locale) {
  std::optional<std::string> language = nearestLanguage(locale);
  if (!language) return false;
  Setting& s = setting();
  std::lock_guard lock(s.mutex);
  s.language = std::move(language);
  return true;
}

void useDeviceLanguage() {
  Setting& s = setting();
  std::lock_guard lock(s.mutex);
  s.language.reset();
}

std::string currentLanguage() {
  {
    Setting& s = setting();
    std::lock_guard lock(s.mutex);
    if (s.language) return *s.language;
  }
  return nearestLanguage(environmentLanguage()).value_or("en");
}

bool isRightToLeft(std::string_view language) { return language == "ar" || language == "ar-XB"; }

}  // namespace zelto::platform
