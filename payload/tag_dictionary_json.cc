#include "payload/tag_dictionary_json.h"

#include <nlohmann/json.hpp>

#include "base/json_reader.h"

namespace zelto {

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
