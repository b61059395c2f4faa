#include "payload/tag_table.h"

namespace zelto {

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

}  // namespace zelto
