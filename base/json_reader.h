// Reading JSON text into nlohmann::ordered_json, the form every JSON input of the library and
// of the `zelto` tool takes (object members keep the order of the text).
//
// Guarantees, whatever the input:
//   - time and memory linear in the size of the text: a key repeated in one object is found
//     through a hash index, not by searching the members already read;
//   - bounded stack use: at most kMaxDepth (64) objects and arrays nested inside one another
//     are read; deeper text is refused before anything deeper is built, so neither reading nor
//     any later walk of the result can exhaust the stack;
//   - errors are values naming the byte at fault, never exceptions.
// A key repeated in one object keeps its first place and takes its last value. Text must be
// one JSON value, with white space around it and nothing else.
//
// Thread-safety: every function may be called from any thread.
#ifndef ZELTO_BASE_JSON_READER_H_
#define ZELTO_BASE_JSON_READER_H_

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace zelto::json {

// Most objects and arrays that may be nested inside one another, the outermost counting as 1.
inline constexpr std::size_t kMaxDepth = 64;

struct ReadResult {
  enum class Error { kNone, kSyntax, kTooDeep };
  std::optional<nlohmann::ordered_json> value;
  Error error = Error::kNone;
  // The byte at fault, counted from 1: where reading stopped (kSyntax), or the bracket that
  // opens level kMaxDepth + 1 (kTooDeep).
  std::size_t byte = 0;
  // What the parser found wrong (kSyntax): "parse error at line 1, column 9: syntax error ...".
  std::string reason;

  // "invalid JSON in <where> at byte 12: <reason>", "JSON in <where> nested more than 64 levels
  // deep at byte 65" ("in <where>" left out when `where` is empty); "" without an error.
  std::string message(std::string_view where = {}) const;
};

ReadResult read(std::string_view text);

// The nesting depth of `value`: 0 for a scalar, 1 for an object or array of scalars. Walks the
// tree without recursion, so any tree may be measured; stops counting past kMaxDepth + 1.
std::size_t depth(const nlohmann::ordered_json& value);

}  // namespace zelto::json

#endif  // ZELTO_BASE_JSON_READER_H_
