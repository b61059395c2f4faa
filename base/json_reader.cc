#include "base/json_reader.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/position_index.h"

namespace zelto::json {
namespace {

using Json = nlohmann::ordered_json;
// The members of an object while it is read. The object's own store holds pairs with a const
// key, which its growth must copy; these move.
using Members = std::vector<std::pair<std::string, Json>>;

// Objects with fewer members than this look a repeated key up by scanning them; larger ones
// keep a hash index of their keys.
constexpr std::size_t kIndexFrom = 16;

// Builds the tree from the parser's events. nlohmann's own builder inserts every member of an
// ordered_json object by searching the members before it (quadratic in their number) and nests
// without limit; this one indexes keys, gathers an object's members where they can move and
// hands them to the object at its closing brace, and stops at kMaxDepth.
class Builder {
 public:
  explicit Builder(Json& root) : root_(root) {}

  bool tooDeep() const { return tooDeep_; }
  std::size_t errorByte() const { return errorByte_; }
  const std::string& errorReason() const { return errorReason_; }

  bool null() { return put(nullptr); }
  bool boolean(bool value) { return put(value); }
  bool number_integer(Json::number_integer_t value) { return put(value); }
  bool number_unsigned(Json::number_unsigned_t value) { return put(value); }
  bool number_float(Json::number_float_t value, const std::string&) { return put(value); }
  bool string(std::string& value) { return put(std::move(value)); }
  bool binary(Json::binary_t& value) { return put(Json::binary(std::move(value))); }
  bool key(std::string& value) {
    key_ = std::move(value);
    return true;
  }
  bool start_object(std::size_t) { return open(Json::object()); }
  bool start_array(std::size_t) { return open(Json::array()); }
  bool end_object() { return close(); }
  bool end_array() { return close(); }
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception& error) {
    errorByte_ = position;
    // what() is "[json.exception.parse_error.101] parse error at line 1, ...".
    const std::string_view what = error.what();
    const std::size_t end = what.starts_with('[') ? what.find("] ") : std::string_view::npos;
    errorReason_ = end == std::string_view::npos ? what : what.substr(end + 2);
    return false;
  }

 private:
  struct Frame {
    Json* container;
    Members members;      // of an object, until it closes
    PositionIndex index;  // of the members of a large object
  };

  bool open(Json container) {
    if (frames_.size() >= kMaxDepth) {
      tooDeep_ = true;
      return false;
    }
    Json* placed = put(std::move(container));
    frames_.push_back({placed, {}, {}});
    return true;
  }

  bool close() {
    Frame& frame = frames_.back();
    if (frame.container->is_object()) {
      auto& members = frame.container->get_ref<Json::object_t&>();
      members.reserve(frame.members.size());
      for (auto& [key, value] : frame.members)
        members.emplace_back(std::move(key), std::move(value));
    }
    frames_.pop_back();
    return true;
  }

  // Stores `value` where the parser stands and returns where it went. Containers are only ever
  // appended to while they are the innermost open one, so the pointers in frames_ stay valid.
  Json* put(Json value) {
    if (frames_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Frame& frame = frames_.back();
    if (frame.container->is_array()) {
      auto& elements = frame.container->get_ref<Json::array_t&>();
      elements.push_back(std::move(value));
      return &elements.back();
    }
    Members& members = frame.members;
    const std::size_t at = find(frame, members, key_);
    if (at != members.size()) {
      members[at].second = std::move(value);
      return &members[at].second;
    }
    members.emplace_back(std::move(key_), std::move(value));
    return &members.back().second;
  }

  // Position of key_ among `members`, or members.size(); then key_ is indexed as the next member.
  static std::size_t find(Frame& frame, const Members& members, const std::string& key) {
    const auto keyAt = [&](std::size_t at) -> std::string_view { return members[at].first; };
    if (!frame.index.empty() || members.size() + 1 >= kIndexFrom) {
      return frame.index.insert(key, members.size(), keyAt);
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
      if (members[i].first == key) return i;
    }
    return members.size();
  }

  Json& root_;
  std::vector<Frame> frames_;
  std::string key_;
  bool tooDeep_ = false;
  std::size_t errorByte_ = 0;
  std::string errorReason_;
};

// The byte (counted from 1) of the bracket that opens level kMaxDepth + 1. The parser has
// accepted the text up to there, so brackets inside strings are the only ones to skip.
std::size_t tooDeepByte(std::string_view text) {
  std::size_t depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMaxDepth) return i + 1;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return text.size();
}

}  // namespace

std::string ReadResult::message(std::string_view where) const {
  const std::string in = where.empty() ? "" : " in " + std::string(where);
  switch (error) {
    case Error::kNone:
      return "";
    case Error::kSyntax:
      return "invalid JSON" + in + " at byte " + std::to_string(byte) +
             (reason.empty() ? "" : ": " + reason);
    case Error::kTooDeep:
      return "JSON" + in + " nested more than " + std::to_string(kMaxDepth) +
             " levels deep at byte " + std::to_string(byte);
  }
  return "";
}

ReadResult read(std::string_view text) {
  Json root;
  Builder builder(root);
  ReadResult result;
  if (Json::sax_parse(text.begin(), text.end(), &builder)) {
    result.value = std::move(root);
  } else if (builder.tooDeep()) {
    result.error = ReadResult::Error::kTooDeep;
    result.byte = tooDeepByte(text);
  } else {
    result.error = ReadResult::Error::kSyntax;
    result.byte = builder.errorByte();
    result.reason = builder.errorReason();
  }
  return result;
}

std::size_t depth(const nlohmann::ordered_json& value) {
  std::size_t deepest = 0;
  std::vector<std::pair<const Json*, std::size_t>> pending{{&value, 0}};
  while (!pending.empty()) {
    const auto [node, level] = pending.back();
    pending.pop_back();
    if (!node->is_structured()) continue;
    deepest = std::max(deepest, level + 1);
    if (deepest > kMaxDepth) break;
    for (const Json& child : *node) pending.emplace_back(&child, level + 1);
  }
  return deepest;
}

}  // namespace zelto::json
