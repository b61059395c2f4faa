#include "payload/tlv_generator.h"

#include <algorithm>
#include <vector>

#include "payload/crc16.h"
#include "payload/tag_table.h"
#include "platform/text.h"

namespace zelto {

namespace tlv {

bool appendObject(std::string& out, std::string_view tag, std::string_view value, bool writeEmpty) {
  const std::size_t count = text::characterCount(value);
  if (count > kMaxValueCharacters || (count == 0 && !writeEmpty)) return false;
  out.append(tag);
  out += static_cast<char>('0' + count / 10);
  out += static_cast<char>('0' + count % 10);
  out.append(value);
  return true;
}

}  // namespace tlv

namespace {

// The entries of a dictionary with keys that are tags of the tag table renamed to their property
// names, without copying values. When a dictionary holds both a tag and its name, the tag's
// value wins, at the tag's place.
using NormalisedEntries = std::vector<std::pair<std::string_view, const TagValue*>>;

NormalisedEntries normaliseKeys(const TagDictionary& dictionary) {
  const auto& byTag = tagKeyMap();
  NormalisedEntries entries;
  entries.reserve(dictionary.size());
  auto findName = [&](std::string_view name) {
    return std::find_if(entries.begin(), entries.end(),
                        [&](const auto& entry) { return entry.first == name; });
  };
  for (const auto& [key, value] : dictionary) {
    auto it = byTag.find(key);
    if (it == byTag.end()) {
      if (findName(key) == entries.end()) entries.emplace_back(key, &value);
    } else {
      if (auto existing = findName(it->second); existing != entries.end()) entries.erase(existing);
      entries.emplace_back(it->second, &value);
    }
  }
  return entries;
}

std::string_view subTagFor(std::string_view templateTag, std::string_view nestedKey) {
  const auto& byName = ZeltoQRUtility::keyTagMapping();
  if (auto it = byName.find(nestedKey); it != byName.end()) {
    const std::string_view tag = it->second;
    return tag.size() >= 2 ? tag.substr(tag.size() - 2) : tag;
  }
  if (templateTag == "64") {
    for (const auto& [subTag, name] : merchantInformationLanguageTemplateSubTagDictionary()) {
      if (name == nestedKey) return subTag;
    }
    return {};
  }
  return nestedKey;
}

void appendTemplate(std::string& payload, std::string_view tag, const TagDictionary& nested) {
  std::string sub;
  for (const auto& [key, value] : normaliseKeys(nested)) {
    const std::string* text = value->string();
    if (text == nullptr) continue;
    tlv::appendObject(sub, subTagFor(tag, key), *text, /*writeEmpty=*/true);
  }
  tlv::appendObject(payload, tag, sub, /*writeEmpty=*/true);
}

}  // namespace

std::string TLVGenerator::encodeDictToTLV(const TagDictionary& qrCodeDict) {
  const NormalisedEntries dict = normaliseKeys(qrCodeDict);
  const auto& byName = ZeltoQRUtility::keyTagMapping();
  std::string payload;
  payload.reserve(256);
  for (const auto& [key, value] : dict) {
    if (key != "payloadFormatIndicator") continue;
    if (const std::string* indicator = value->string()) {
      tlv::appendObject(payload, "00", *indicator, /*writeEmpty=*/true);
    }
  }
  for (const auto& [key, value] : dict) {
    if (key == "crc" || key == "payloadFormatIndicator") continue;
    auto known = byName.find(key);
    // Tags of the table are ASCII; another key is a tag when it has two user-perceived
    // characters, however many bytes they take.
    const bool isTag =
        known != byName.end() ? known->second.size() == 2 : text::characterCount(key) == 2;
    if (!isTag) continue;
    if (const std::string* text = value->string()) {
      tlv::appendObject(payload, known != byName.end() ? known->second : key, *text,
                        /*writeEmpty=*/true);
    } else if (const TagDictionary* nested = value->dictionary()) {
      if (known != byName.end()) appendTemplate(payload, known->second, *nested);
    }
  }
  crc16::appendCrcObject(payload);
  return payload;
}

}  // namespace zelto
