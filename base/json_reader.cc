#include "base/json_reader.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/position_index.h"

namespace zelto::json {
namespace {

using Json = nlohmann::ordered_json;

// Objects with fewer members than this look a repeated key up by scanning them; larger ones
// keep a hash index of their keys.
constexpr std::size_t kIndexFrom = 16;

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

bool EventErrors::parse_error(std::size_t position, const std::string&,
                              const nlohmann::detail::exception& error) {
  errorByte_ = position;
  // what() is "[json.exception.parse_error.101] parse error at line 1, ...".
  const std::string_view what = error.what();
  const std::size_t end = what.starts_with('[') ? what.find("] ") : std::string_view::npos;
  errorReason_ = end == std::string_view::npos ? what : what.substr(end + 2);
  return false;
}

void EventErrors::describe(std::string_view text, ReadResult& result) const {
  if (tooDeep_) {
    result.error = ReadResult::Error::kTooDeep;
    result.byte = tooDeepByte(text);
  } else {
    result.error = ReadResult::Error::kSyntax;
    result.byte = errorByte_;
    result.reason = errorReason_;
  }
}

bool TreeBuilder::open(Json container) {
  if (depthAbove_ + frames_.size() >= kMaxDepth) {
    markTooDeep();
    return false;
  }
  Json* placed = put(std::move(container));
  frames_.push_back({placed, {}, {}});
  return true;
}

bool TreeBuilder::close() {
  Frame& frame = frames_.back();
  if (frame.container->is_object()) {
    auto& members = frame.container->get_ref<Json::object_t&>();
    members.reserve(frame.members.size());
    for (auto& [key, value] : frame.members) members.emplace_back(std::move(key), std::move(value));
  }
  frames_.pop_back();
  return true;
}

Json* TreeBuilder::put(Json value) {
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
  const auto keyAt = [&](std::size_t at) -> std::string_view { return members[at].first; };
  // The position of key_ among the members, or members.size(); then key_ is indexed as the
  // next member.
  std::size_t at = members.size();
  if (!frame.index.empty() || members.size() + 1 >= kIndexFrom) {
    at = frame.index.insert(key_, members.size(), keyAt);
  } else {
    for (std::size_t i = 0; i < members.size() && at == members.size(); ++i) {
      if (members[i].first == key_) at = i;
    }
  }
  if (at != members.size()) {
    members[at].second = std::move(value);
    return &members[at].second;
  }
  members.emplace_back(std::move(key_), std::move(value));
  return &members.back().second;
}

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
  TreeBuilder builder(root);
  ReadResult result;
  if (readEvents(text, builder, result)) result.value = std::move(root);
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
