#include "base/resource_bundle.h"

#include <algorithm>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "base/embedded_resources.h"

namespace zelto::platform {
namespace {

constexpr std::string_view kStringTable = "strings/en.json";
constexpr std::string_view kImageFolder = "images/";
constexpr std::string_view kImageSuffix = ".png";

std::optional<std::string_view> resource(std::string_view path) {
  for (const auto& entry : embeddedResources()) {
    if (entry.path == path) return entry.bytes;
  }
  return std::nullopt;
}

const std::map<std::string, std::string, std::less<>>& stringTable() {
  static const auto table = [] {
    std::map<std::string, std::string, std::less<>> result;
    const auto bytes = resource(kStringTable);
    if (!bytes) return result;
    const auto json = nlohmann::json::parse(*bytes, nullptr, /*allow_exceptions=*/false);
    if (!json.is_object()) return result;
    for (const auto& [key, value] : json.items()) {
      if (value.is_string()) result.emplace(key, value.get<std::string>());
    }
    return result;
  }();
  return table;
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
  const auto& table = stringTable();
  const auto found = table.find(key);
  return found == table.end() ? std::string(key) : found->second;
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
