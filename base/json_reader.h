// Reading JSON text into nlohmann::ordered_json, the form the JSON inputs of the library and of
// the `zelto` tool take (object members keep the order of the text). A reader that builds
// something else from the text hands the parser's events to readEvents and keeps the same
// guarantees.
//
// Guarantees, whatever the input:
//   - time and memory linear in the size of the text: a key repeated in one object is found
//     through a hash index, not by searching the members already read;
//   - bounded stack use: at most kMaxDepth (64) objects and arrays nested inside one another
//     are read; deeper text is refused before anything deeper is built, so neither reading nor
//     any later walk of the result can exhaust the stack;
//   - errors are values naming the byte at fault, never exceptions.
// A key repeated in one object keeps its first place and takes its last value. Text must be
// one JSON value, with white space around it and nothing else: anything after the value but
// white space, a NUL byte included, is an error naming its byte. No string, key or value, may
// hold a control character (Unicode category Cc: U+0000 to U+001F, U+007F to U+009F), written
// as it is or escaped ("\u0000", "\n"): every JSON input of the library is a merchant's or
// card holder's data bound for a QR payload or a screen, where such a character cannot be
// printed (and U+0000 would cut a C string short).
//
// Thread-safety: every function may be called from any thread.
#ifndef ZELTO_BASE_JSON_READER_H_
#define ZELTO_BASE_JSON_READER_H_

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/position_index.h"

namespace zelto::json {

// Most objects and arrays that may be nested inside one another, the outermost counting as 1.
inline constexpr std::size_t kMaxDepth = 64;

struct ReadResult {
  enum class Error { kNone, kSyntax, kTooDeep, kControlCharacter };
  std::optional<nlohmann::ordered_json> value;
  Error error = Error::kNone;
  // The byte at fault, counted from 1: where reading stopped (kSyntax), the bracket that
  // opens level kMaxDepth + 1 (kTooDeep), or the control character or the backslash of its
  // escape (kControlCharacter).
  std::size_t byte = 0;
  // What is wrong (kSyntax: "parse error at line 1, column 9: syntax error ...", "a NUL byte
  // after the JSON value, where only white space may follow"; kControlCharacter: "U+0000").
  std::string reason;

  // "invalid JSON in <where> at byte 12: <reason>", "JSON in <where> nested more than 64 levels
  // deep at byte 65", "JSON in <where> at byte 21: a string holds U+0000, a control character,
  // which no value may hold" ("in <where>" left out when `where` is empty); "" without an
  // error.
  std::string message(std::string_view where = {}) const;
};

ReadResult read(std::string_view text);

// What the parser reports when it stops, kept by every reader of its events (the tree builder
// below, and readers that build something else from the same events).
class EventErrors {
 public:
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception& error);
  // A reader calls this, then stops, on an object or array that opens level kMaxDepth + 1.
  void markTooDeep() { tooDeep_ = true; }
  bool tooDeep() const { return tooDeep_; }
  // A reader calls this on every string it reads, key or value, and stops when it is false:
  // the string holds a control character.
  bool acceptString(std::string_view value);
  // Fills the error of `result` for a reading of `text` that stopped.
  void describe(std::string_view text, ReadResult& result) const;

 private:
  bool tooDeep_ = false;
  bool controlCharacter_ = false;
  std::size_t errorByte_ = 0;
  std::string errorReason_;
};

// Whether the reading of `text` stands, given whether the parser accepted it: a NUL byte that
// the parser took for the end of the text makes it an error at that byte.
bool refuseNul(std::string_view text, bool parsed, ReadResult& result);

// Runs the parser over `text`, handing its events to `reader` (nlohmann's SAX interface, with
// EventErrors among its bases); false, with the error in `result`, when reading stopped.
template <typename Reader>
bool readEvents(std::string_view text, Reader& reader, ReadResult& result) {
  const bool parsed = nlohmann::ordered_json::sax_parse(text.begin(), text.end(), &reader);
  if (!parsed) reader.describe(text, result);
  // The parser takes a NUL byte outside a string for the end of the text.
  return refuseNul(text, parsed, result);
}

// Builds the tree of read() from the parser's events, `depthAbove` levels below the top (for a
// reader that hands it part of a text). nlohmann's own builder inserts every member of an
// ordered_json object by searching the members before it (quadratic in their number) and nests
// without limit; this one indexes keys, gathers an object's members where they can move and
// hands them to the object at its closing brace, and stops at kMaxDepth.
class TreeBuilder : public EventErrors {
 public:
  using Json = nlohmann::ordered_json;

  explicit TreeBuilder(Json& root, std::size_t depthAbove = 0)
      : root_(root), depthAbove_(depthAbove) {}

  // Whether a container is open: false once the outermost one has closed.
  bool inContainer() const { return !frames_.empty(); }

  bool null() { return put(nullptr) != nullptr; }
  bool boolean(bool value) { return put(value) != nullptr; }
  bool number_integer(Json::number_integer_t value) { return put(value) != nullptr; }
  bool number_unsigned(Json::number_unsigned_t value) { return put(value) != nullptr; }
  bool number_float(Json::number_float_t value, const std::string&) {
    return put(value) != nullptr;
  }
  bool string(std::string& value) {
    return acceptString(value) && put(std::move(value)) != nullptr;
  }
  bool binary(Json::binary_t& value) { return put(Json::binary(std::move(value))) != nullptr; }
  bool key(std::string& value) {
    key_ = std::move(value);
    return acceptString(key_);
  }
  bool start_object(std::size_t) { return open(Json::object()); }
  bool start_array(std::size_t) { return open(Json::array()); }
  bool end_object() { return close(); }
  bool end_array() { return close(); }

 private:
  // The members of an object while it is read. The object's own store holds pairs with a const
  // key, which its growth must copy; these move.
  using Members = std::vector<std::pair<std::string, Json>>;

  struct Frame {
    Json* container;
    Members members;      // of an object, until it closes
    PositionIndex index;  // of the members of a large object
  };

  bool open(Json container);
  bool close();
  // Stores `value` where the parser stands and returns where it went. Containers are only ever
  // appended to while they are the innermost open one, so the pointers in frames_ stay valid.
  Json* put(Json value);

  Json& root_;
  std::size_t depthAbove_;
  std::vector<Frame> frames_;
  std::string key_;
};

// The nesting depth of `value`: 0 for a scalar, 1 for an object or array of scalars. Walks the
// tree without recursion, so any tree may be measured; stops counting past kMaxDepth + 1.
std::size_t depth(const nlohmann::ordered_json& value);

}  // namespace zelto::json

#endif  // ZELTO_BASE_JSON_READER_H_
