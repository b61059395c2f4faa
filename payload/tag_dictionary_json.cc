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

constexpr std::string_view kNotAnObject = "expected a JSON object of tags and values";

// Builds a tag dictionary from the parser's events. Objects become dictionaries as they are
// read; an array, with everything inside it, is built as a JSON tree and kept as its text, like
// any other value that is neither a string nor an object. A text whose outermost value is not
// an object is still read to its end, so that a JSON error there is the one reported.
class DictionaryBuilder : public json::EventErrors {
 public:
  using Json = nlohmann::ordered_json;

  // The dictionary read, or nullopt when the outermost value was not an object.
  std::optional<TagDictionary>& result() { return root_; }

  bool null() { return array_ ? array_->null() : putOpaque(Json(nullptr)); }
  bool boolean(bool value) { return array_ ? array_->boolean(value) : putOpaque(Json(value)); }
  bool number_integer(Json::number_integer_t value) {
    return array_ ? array_->number_integer(value) : putOpaque(Json(value));
  }
  bool number_unsigned(Json::number_unsigned_t value) {
    return array_ ? array_->number_unsigned(value) : putOpaque(Json(value));
  }
  bool number_float(Json::number_float_t value, const std::string& text) {
    return array_ ? array_->number_float(value, text) : putOpaque(Json(value));
  }
  bool string(std::string& value) {
    if (!acceptString(value)) return false;
    return array_ ? array_->string(value) : put(TagValue(std::move(value)));
  }
  bool binary(Json::binary_t& value) {
    return array_ ? array_->binary(value) : putOpaque(Json::binary(std::move(value)));
  }
  bool key(std::string& value) {
    if (!acceptString(value)) return false;
    if (array_) return array_->key(value);
    frames_.back().key = std::move(value);
    return true;
  }
  bool start_object(std::size_t size) {
    if (array_) return forward(array_->start_object(size));
    if (frames_.size() >= json::kMaxDepth) {
      markTooDeep();
      return false;
    }
    frames_.emplace_back();
    return true;
  }
  bool end_object() {
    if (array_) return array_->end_object();
    TagDictionary done = std::move(frames_.back().dictionary);
    frames_.pop_back();
    if (frames_.empty()) {
      root_ = std::move(done);
      return true;
    }
    return put(TagValue(std::move(done)));
  }
  bool start_array(std::size_t size) {
    if (!array_) array_.emplace(arrayTree_, frames_.size());
    return forward(array_->start_array(size));
  }
  bool end_array() {
    array_->end_array();
    if (array_->inContainer()) return true;
    array_.reset();
    return putOpaque(arrayTree_);
  }

 private:
  struct Frame {
    TagDictionary dictionary;
    std::string key;  // of the value that comes next
  };

  // Passes on the array builder's refusal of a container nested too deep.
  bool forward(bool accepted) {
    if (!accepted && array_->tooDeep()) markTooDeep();
    return accepted;
  }

  bool put(TagValue value) {
    if (!frames_.empty())
      frames_.back().dictionary.set(std::move(frames_.back().key), std::move(value));
    return true;
  }
  bool putOpaque(const Json& value) { return put(TagValue(OpaqueValue{value.dump()})); }

  std::vector<Frame> frames_;
  std::optional<TagDictionary> root_;
  Json arrayTree_;
  std::optional<json::TreeBuilder> array_;
};

}  // namespace

TagDictionaryFromJson readTagDictionary(std::string_view text, std::string_view where) {
  DictionaryBuilder builder;
  json::ReadResult result;
  if (!json::readEvents(text, builder, result)) {
    return {std::nullopt, result.message(where), /*invalidJson=*/true};
  }
  if (!builder.result()) return {std::nullopt, std::string(kNotAnObject)};
  return {std::move(builder.result()), ""};
}

TagDictionaryFromJson tagDictionaryFromJson(const nlohmann::ordered_json& json) {
  if (!json.is_object()) return {std::nullopt, std::string(kNotAnObject)};
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
