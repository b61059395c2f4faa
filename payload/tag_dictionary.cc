#include "payload/tag_dictionary.h"

#include <nlohmann/json.hpp>

#include "base/json_reader.h"

namespace zelto {

namespace {

// Dictionaries with fewer entries find a key by scanning them, which is faster for the dozen
// or so tags of a merchant payload; larger ones keep a hash index.
constexpr std::size_t kIndexFrom = 16;

}  // namespace

TagDictionary::TagDictionary(std::initializer_list<Entry> entries) {
  for (const auto& entry : entries) set(entry.first, entry.second);
}

std::size_t TagDictionary::position(std::string_view key) const {
  if (!index_.empty()) {
    return index_.find(key, entries_.size(),
                       [&](std::size_t at) -> std::string_view { return entries_[at].first; });
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].first == key) return i;
  }
  return entries_.size();
}

void TagDictionary::rebuildIndex() {
  if (entries_.size() < kIndexFrom) {
    index_.clear();
    return;
  }
  index_.rebuild(entries_.size(),
                 [&](std::size_t at) -> std::string_view { return entries_[at].first; });
}

bool TagDictionary::contains(std::string_view key) const { return find(key) != nullptr; }

const TagValue* TagDictionary::find(std::string_view key) const {
  const std::size_t at = position(key);
  return at == entries_.size() ? nullptr : &entries_[at].second;
}

TagValue* TagDictionary::find(std::string_view key) {
  const std::size_t at = position(key);
  return at == entries_.size() ? nullptr : &entries_[at].second;
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
  std::size_t at = entries_.size();
  if (!index_.empty() || entries_.size() + 1 >= kIndexFrom) {
    at = index_.insert(key, entries_.size(),
                       [&](std::size_t i) -> std::string_view { return entries_[i].first; });
  } else {
    at = position(key);
  }
  if (at != entries_.size()) {
    entries_[at].second = std::move(value);
    return;
  }
  entries_.emplace_back(std::move(key), std::move(value));
}

void TagDictionary::reserve(std::size_t count) { entries_.reserve(count); }

bool TagDictionary::erase(std::string_view key) {
  const std::size_t at = position(key);
  if (at == entries_.size()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  rebuildIndex();
  return true;
}

bool TagDictionary::operator==(const TagDictionary& other) const {
  return entries_ == other.entries_;
}

namespace {

// Recursion is bounded: tagDictionaryFromJson has checked the depth of `json`.
TagDictionary dictionaryOf(const nlohmann::ordered_json& json) {
  TagDictionary dictionary;
  dictionary.reserve(json.size());
  for (const auto& [key, value] : json.items()) {
    if (value.is_string()) {
      dictionary.set(key, value.get<std::string>());
    } else if (value.is_object()) {
      dictionary.set(key, dictionaryOf(value));
    } else {
      dictionary.set(key, OpaqueValue{value.dump()});
    }
  }
  return dictionary;
}

}  // namespace

TagDictionaryFromJson tagDictionaryFromJson(const nlohmann::ordered_json& json) {
  if (!json.is_object()) return {std::nullopt, "expected a JSON object of tags and values"};
  if (json::depth(json) > json::kMaxDepth) {
    return {std::nullopt,
            "JSON nested more than " + std::to_string(json::kMaxDepth) + " levels deep"};
  }
  return {dictionaryOf(json), ""};
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
