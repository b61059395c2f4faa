#include "payload/tag_table.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace zelto {
namespace {

constexpr int twoDigitNumber(std::string_view text) {
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
    return -1;
  }
  return (text[0] - '0') * 10 + (text[1] - '0');
}

// Positions by tag number: "NN" and the sub-fields "62NN" of the additional data template.
struct PositionsByNumber {
  std::array<std::int16_t, 100> plain;
  std::array<std::int16_t, 100> additionalData;
};

constexpr PositionsByNumber kPositionsByNumber = [] {
  PositionsByNumber positions{};
  positions.plain.fill(kNotInTagTable);
  positions.additionalData.fill(kNotInTagTable);
  for (std::size_t i = 0; i < std::size(kTagTable); ++i) {
    const std::string_view tag = kTagTable[i].tag;
    if (tag.size() == 2) positions.plain[twoDigitNumber(tag)] = static_cast<std::int16_t>(i);
    if (tag.size() == 4 && tag.starts_with("62")) {
      positions.additionalData[twoDigitNumber(tag.substr(2))] = static_cast<std::int16_t>(i);
    }
  }
  return positions;
}();

}  // namespace

const StringTable& tagKeyMap() {
  static const StringTable table = {
#define ZELTO_TAG_ENTRY(name, tag) {tag, #name},
      ZELTO_TAG_TABLE(ZELTO_TAG_ENTRY)
#undef ZELTO_TAG_ENTRY
  };
  return table;
}

const StringTable& merchantInformationLanguageTemplateSubTagDictionary() {
  static const StringTable table = {{"00", "languagePreference"},
                                    {"01", "merchantNameAlternateLanguage"},
                                    {"02", "merchantCityAlternateLanguage"}};
  return table;
}

const StringTable& ZeltoQRUtility::keyTagMapping() {
  static const StringTable table = [] {
    StringTable inverse;
    for (const auto& [tag, name] : tagKeyMap()) inverse.emplace(name, tag);
    return inverse;
  }();
  return table;
}

const std::string* tagForKey(std::string_view key) {
  const auto& byTag = tagKeyMap();
  if (auto it = byTag.find(key); it != byTag.end()) return &it->first;
  const auto& byName = ZeltoQRUtility::keyTagMapping();
  if (auto it = byName.find(key); it != byName.end()) return &it->second;
  return nullptr;
}

int tagTablePositionOfTag(std::string_view tag) {
  if (tag.size() == 2) {
    const int n = twoDigitNumber(tag);
    return n < 0 ? kNotInTagTable : kPositionsByNumber.plain[n];
  }
  if (tag.size() == 4 && tag[0] == '6' && tag[1] == '2') {
    const int n = twoDigitNumber(tag.substr(2));
    return n < 0 ? kNotInTagTable : kPositionsByNumber.additionalData[n];
  }
  return kNotInTagTable;
}

int tagTablePositionOfName(std::string_view name) {
  static const auto byName = [] {
    std::unordered_map<std::string_view, int> positions;
    for (std::size_t i = 0; i < std::size(kTagTable); ++i) {
      positions.emplace(kTagTable[i].name, static_cast<int>(i));
    }
    return positions;
  }();
  const auto it = byName.find(name);
  return it == byName.end() ? kNotInTagTable : it->second;
}

}  // namespace zelto
