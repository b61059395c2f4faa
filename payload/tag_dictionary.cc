#include "payload/tag_dictionary.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace zelto {

TagDictionary::TagDictionary(std::initializer_list<Entry> entries) {
  for (const auto& entry : entries) set(entry.first, entry.second);
}

bool TagDictionary::contains(std::string_view key) const { return find(key) != nullptr; }

const TagValue* TagDictionary::find(std::string_view key) const {
  for (const auto& entry : entries_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

TagValue* TagDictionary::find(std::string_view key) {
  for (auto& entry : entries_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

const std::string* TagDictionary::findString(std::string_view key) const {
  const TagValue* value = find(key);
  return value == nullptr ? nullptr : value->string();
}

const TagDictionary* TagDictionary::findDictionary(std::string_view key) const {
  const TagValue* value = find(key);
  return value == nullptr ? nullptr : value->dictionary();
}

void TagDictionary::set(std::string key, TagValue value) {
  if (TagValue* existing = find(key)) {
    *existing = std::move(value);
    return;
  }
  entries_.emplace_back(std::move(key), std::move(value));
}

void TagDictionary::reserve(std::size_t count) { entries_.reserve(count); }

bool TagDictionary::erase(std::string_view key) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& entry) { return entry.first == key; });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

bool TagDictionary::operator==(const TagDictionary& other) const {
  return entries_ == other.entries_;
}

std::optional<TagDictionary> tagDictionaryFromJson(const nlohmann::ordered_json& json) {
  if (!json.is_object()) return std::nullopt;
  TagDictionary dictionary;
  for (const auto& [key, value] : json.items()) {
    if (value.is_string()) {
      dictionary.set(key, value.get<std::string>());
    } else if (value.is_object()) {
      dictionary.set(key, *tagDictionaryFromJson(value));
    } else {
      dictionary.set(key, OpaqueValue{value.dump()});
    }
  }
  return dictionary;
}

nlohmann::ordered_json tagDictionaryToJson(const TagDictionary& dictionary) {
  auto json = nlohmann::ordered_json::object();
  for (const auto& [key, value] : dictionary) {
    if (const auto* text = value.string()) {
      json[key] = *text;
    } else if (const auto* nested = value.dictionary()) {
      json[key] = tagDictionaryToJson(*nested);
    } else {
      json[key] = nlohmann::ordered_json::parse(value.opaque()->json, nullptr, false);
    }
  }
  return json;
}

}  // namespace zelto
