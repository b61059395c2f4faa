#include "base/resource_bundle.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "base/embedded_resources.h"
#include "base/language.h"

namespace zelto::platform {
namespace {

constexpr std::string_view kStringFolder = "strings/";
constexpr std::string_view kImageFolder = "images/";
constexpr std::string_view kImageSuffix = ".png";

std::optional<std::string_view> resource(std::string_view path) {
  for (const auto& entry : embeddedResources()) {
    if (entry.path == path) return entry.bytes;
  }
  return std::nullopt;
}

using StringTable = std::map<std::string, std::string, std::less<>>;

StringTable readTable(std::string_view language) {
  StringTable result;
  const auto bytes = resource(std::string(kStringFolder) + std::string(language) + ".json");
  if (!bytes) return result;
  const auto json = nlohmann::json::parse(*bytes, nullptr, /*allow_exceptions=*/false);
  if (!json.is_object()) return result;
  for (const auto& [key, value] : json.items()) {
    if (value.is_string()) result.emplace(key, value.get<std::string>());
  }
  return result;
}

// The placeholders a text may hold, which pseudo-languages leave as they are.
constexpr std::array<std::string_view, 5> kPlaceholders = {
    "[currency]", "[amount]", "[Default Label]", "[%name]", "[%value]"};

std::size_t placeholderAt(std::string_view text) {
  for (const std::string_view placeholder : kPlaceholders) {
    if (text.starts_with(placeholder)) return placeholder.size();
  }
  return 0;
}

// Calls `word(start, length)` for each run of the text between placeholders and `kept(...)`
// for each placeholder, in order.
template <class Word, class Kept>
void walkText(std::string_view text, Word word, Kept kept) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t length = placeholderAt(text.substr(i))) {
      if (i > start) word(text.substr(start, i - start));
      kept(text.substr(i, length));
      i += length;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) word(text.substr(start));
}

// "en-XA": every ASCII letter accented, padded by about 40% with words, in brackets, so that
// layouts are tried with longer text in another alphabet.
std::string accented(std::string_view text) {
  static const std::map<char, std::string_view> kAccents = {
      {'a', "á"}, {'c', "ç"}, {'e', "é"}, {'i', "í"}, {'n', "ñ"}, {'o', "ö"}, {'u', "û"},
      {'y', "ý"}, {'A', "Å"}, {'C', "Ç"}, {'E', "É"}, {'I', "Î"}, {'N', "Ñ"}, {'O', "Ö"},
      {'U', "Û"}, {'S', "Š"}, {'s', "š"}, {'z', "ž"}, {'Z', "Ž"}, {'g', "ĝ"}, {'h', "ĥ"}};
  std::string out = "[";
  walkText(
      text,
      [&](std::string_view run) {
        for (const char c : run) {
          const auto accent = kAccents.find(c);
          if (accent == kAccents.end()) {
            out += c;
          } else {
            out += accent->second;
          }
        }
      },
      [&](std::string_view placeholder) { out += placeholder; });
  static constexpr std::array<std::string_view, 10> kPadding = {
      "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"};
  const std::size_t extra = (text.size() * 2 + 4) / 5;
  std::size_t added = 0;
  for (std::size_t i = 0; added < extra; ++i) {
    const std::string_view word = kPadding[i % kPadding.size()];
    out += ' ';
    out += word;
    added += word.size() + 1;
  }
  return out + "]";
}

// "ar-XB": each word of the English text forced right to left (so it reads mirrored), the
// whole text in a right-to-left paragraph; placeholders stay readable.
std::string mirrored(std::string_view text) {
  constexpr std::string_view kRightToLeftMark = "\u200F";
  constexpr std::string_view kRightToLeftOverride = "\u202E";
  constexpr std::string_view kPopDirectionalFormatting = "\u202C";
  std::string out(kRightToLeftMark);
  walkText(
      text,
      [&](std::string_view run) {
        std::size_t i = 0;
        while (i < run.size()) {
          const std::size_t end = std::min(run.find(' ', i), run.size());
          if (end > i) {
            out += kRightToLeftOverride;
            out += run.substr(i, end - i);
            out += kPopDirectionalFormatting;
          }
          if (end < run.size()) out += ' ';
          i = end + 1;
        }
      },
      [&](std::string_view placeholder) { out += placeholder; });
  return out;
}

const StringTable& stringTable(std::string_view language) {
  static const auto tables = [] {
    std::map<std::string, StringTable, std::less<>> result;
    const StringTable english = readTable("en");
    for (const std::string_view code : supportedLanguages()) {
      if (code == "en-XA" || code == "ar-XB") {
        StringTable pseudo;
        for (const auto& [key, text] : english) {
          pseudo.emplace(key, code == "en-XA" ? accented(text) : mirrored(text));
        }
        result.emplace(code, std::move(pseudo));
      } else {
        result.emplace(code, readTable(code));
      }
    }
    return result;
  }();
  const auto found = tables.find(language);
  return found != tables.end() ? found->second : tables.find("en")->second;
}

std::uint32_t bigEndian32(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
  }
  return value;
}

// The pixel size from the PNG signature and header chunk; absent for anything else.
std::optional<Size> pngSize(std::string_view bytes) {
  constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
  if (bytes.size() < 24 || !bytes.starts_with(kSignature) || bytes.substr(12, 4) != "IHDR") {
    return std::nullopt;
  }
  return Size{static_cast<double>(bigEndian32(bytes, 16)),
              static_cast<double>(bigEndian32(bytes, 20))};
}

// Every representation of each image, by increasing scale.
using Representations = std::vector<std::pair<double, Image>>;

const std::map<std::string, Representations, std::less<>>& images() {
  static const auto table = [] {
    std::map<std::string, Representations, std::less<>> result;
    for (const auto& entry : embeddedResources()) {
      if (!entry.path.starts_with(kImageFolder) || !entry.path.ends_with(kImageSuffix)) continue;
      const auto pixels = pngSize(entry.bytes);
      if (!pixels) continue;
      std::string name(entry.path.substr(
          kImageFolder.size(), entry.path.size() - kImageFolder.size() - kImageSuffix.size()));
      double scale = 1;
      for (const double candidate : {2.0, 3.0}) {
        const std::string suffix = "@" + std::to_string(static_cast<int>(candidate)) + "x";
        if (name.ends_with(suffix)) {
          name.resize(name.size() - suffix.size());
          scale = candidate;
        }
      }
      auto& representations = result[name];
      representations.emplace_back(scale,
                                   Image(name, {pixels->width / scale, pixels->height / scale},
                                         std::make_shared<const std::string>(entry.bytes)));
      std::sort(representations.begin(), representations.end(),
                [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    return result;
  }();
  return table;
}

}  // namespace

std::string localizedString(std::string_view key) {
  return localizedString(key, currentLanguage());
}

std::string localizedString(std::string_view key, std::string_view language) {
  for (const std::string_view table : {language, std::string_view("en")}) {
    const auto& strings = stringTable(table);
    if (const auto found = strings.find(key); found != strings.end()) return found->second;
  }
  return std::string(key);
}

std::vector<std::string> stringKeys(std::string_view language) {
  std::vector<std::string> keys;
  for (const auto& entry : stringTable(language)) keys.push_back(entry.first);
  return keys;
}

std::optional<Image> imageNamed(std::string_view name, double scale) {
  const auto& table = images();
  const auto found = table.find(name);
  if (found == table.end()) return std::nullopt;
  for (const auto& [representationScale, image] : found->second) {
    if (representationScale >= scale) return image;
  }
  return found->second.back().second;
}

}  // namespace zelto::platform
