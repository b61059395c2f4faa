#include "base/json_reader.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "base/position_index.h"
#include "base/text.h"

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

// The first control character inside a string of `text` (which the parser has accepted up to
// there): its byte, counted from 1 (the backslash of an escape), and its code point.
std::pair<std::size_t, char32_t> controlCharacterAt(std::string_view text) {
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!inString) {
      inString = c == '"';
      continue;
    }
    if (c == '"') {
      inString = false;
    } else if (c == '\\' && i + 1 < text.size()) {
      const char escaped = text[i + 1];
      constexpr std::pair<char, char32_t> kShort[] = {
          {'b', U'\b'}, {'f', U'\f'}, {'n', U'\n'}, {'r', U'\r'}, {'t', U'\t'}};
      for (const auto& [letter, code] : kShort) {
        if (escaped == letter) return {i + 1, code};
      }
      if (escaped == 'u' && i + 6 <= text.size()) {
        char32_t code = 0;
        for (char digit : text.substr(i + 2, 4)) {
          code = code * 16 + static_cast<char32_t>(std::isdigit(static_cast<unsigned char>(digit))
                                                       ? digit - '0'
                                                       : std::tolower(digit) - 'a' + 10);
        }
        if (text::isControlCharacter(code)) return {i + 1, code};
        i += 5;
      } else {
        ++i;
      }
    } else if (auto found = text::findControlCharacter(text.substr(i, 2));
               found && found->offset == 0) {
      return {i + 1, found->codePoint};
    }
  }
  return {text.size(), 0};
}

}  // namespace

bool EventErrors::acceptString(std::string_view value) {
  if (!text::findControlCharacter(value)) return true;
  controlCharacter_ = true;
  return false;
}

bool refuseNul(std::string_view text, bool parsed, ReadResult& result) {
  const std::size_t nul = text.find('\0');
  if (nul == std::string_view::npos) return parsed;
  if (parsed) {
    result.reason = "a NUL byte after the JSON value, where only white space may follow";
  } else if (result.error == ReadResult::Error::kSyntax && result.byte > nul) {
    // Reading stopped at the NUL, taken for the end of the text or refused in a string.
    result.reason = "a NUL byte, which JSON text cannot hold";
  } else {
    return false;
  }
  result.error = ReadResult::Error::kSyntax;
  result.byte = nul + 1;
  return false;
}

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
  } else if (controlCharacter_) {
    const auto [byte, code] = controlCharacterAt(text);
    result.error = ReadResult::Error::kControlCharacter;
    result.byte = byte;
    result.reason = text::codePointName(code);
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
    case Error::kControlCharacter:
      return "JSON" + in + " at byte " + std::to_string(byte) + ": a string holds " + reason +
             ", a control character, which no value may hold";
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
