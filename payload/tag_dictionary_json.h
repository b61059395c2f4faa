// Tag dictionaries from and to JSON trees, for the library's readers of JSON input (the tool,
// the C interface, requests read from JSON).
#ifndef ZELTO_PAYLOAD_TAG_DICTIONARY_JSON_H_
#define ZELTO_PAYLOAD_TAG_DICTIONARY_JSON_H_

#include <zelto/payload/tag_dictionary.h>

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace zelto {

// Converts a JSON object into a tag dictionary: strings stay strings, objects become nested
// dictionaries, anything else becomes an opaque value. Order follows the JSON text when
// `json` is an ordered_json. Fails, naming the reason, when `json` is not an object or is
// nested deeper than json::kMaxDepth (64, base/json_reader.h) objects and arrays: a tree
// read by json::read never is, one a host built itself may be. Time is linear in the size of
// `json`, and stack use is bounded.
struct TagDictionaryFromJson {
  std::optional<TagDictionary> dictionary;
  std::string error;  // set when dictionary is absent
  // readTagDictionary: the text was not JSON, was nested too deep, or held a control character
  // in a string (base/json_reader.h), rather than not an object.
  bool invalidJson = false;
};
TagDictionaryFromJson tagDictionaryFromJson(const nlohmann::ordered_json& json);
// Reads a tag dictionary straight from JSON text, with no JSON tree in between: the dictionary
// and the errors of json::read followed by tagDictionaryFromJson, in less time and memory. A
// JSON error names `where` as json::ReadResult::message does.
TagDictionaryFromJson readTagDictionary(std::string_view text, std::string_view where = {});
// The reverse: strings, nested objects, and opaque values parsed back from their JSON text.
nlohmann::ordered_json tagDictionaryToJson(const TagDictionary& dictionary);

}  // namespace zelto

#endif  // ZELTO_PAYLOAD_TAG_DICTIONARY_JSON_H_
