// Checks shared by the fuzz targets of the JSON entry points. Each aborts on a broken property.
#ifndef ZELTO_FUZZ_JSON_FUZZ_CHECKS_H_
#define ZELTO_FUZZ_JSON_FUZZ_CHECKS_H_

#include <zelto/payload/crc16.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "base/json_reader.h"
#include "base/text.h"

namespace zelto::fuzz {

// json::read of `text`, checked against nlohmann's own reader: the same tree when it reads the
// text, a syntax error only when nlohmann refuses it too or at a NUL byte, a control character
// at an escape or the character itself, and a refusal for depth at a bracket,
// for text that nlohmann either refuses (later) or reads deeper than the limit. Returns the
// tree, if any.
inline std::optional<nlohmann::ordered_json> readChecked(std::string_view text) {
  json::ReadResult result = json::read(text);
  const auto reference = nlohmann::ordered_json::parse(text, nullptr, /*allow_exceptions=*/false);
  switch (result.error) {
    case json::ReadResult::Error::kNone:
      if (!result.value || *result.value != reference) std::abort();
      break;
    case json::ReadResult::Error::kSyntax:
      // nlohmann takes a NUL byte for the end of the text and may read what comes before it.
      if (result.message().empty()) std::abort();
      if (!reference.is_discarded() &&
          (result.byte < 1 || result.byte > text.size() || text[result.byte - 1] != '\0')) {
        std::abort();
      }
      break;
    case json::ReadResult::Error::kControlCharacter: {
      // At the backslash of an escape or at the character itself (U+007F, or U+0080 to U+009F).
      const char at = result.byte >= 1 && result.byte <= text.size() ? text[result.byte - 1] : 0;
      if (at != '\\' && at != '\x7F' && at != '\xC2') std::abort();
      break;
    }
    case json::ReadResult::Error::kTooDeep: {
      const char bracket =
          result.byte >= 1 && result.byte <= text.size() ? text[result.byte - 1] : 0;
      if (bracket != '[' && bracket != '{') std::abort();
      if (!reference.is_discarded() && json::depth(reference) <= json::kMaxDepth) std::abort();
      break;
    }
  }
  return std::move(result.value);
}

// Aborts unless `payload` ends with the CRC object of the text before its value and holds no
// control character (the encoder leaves out any value holding one).
inline void checkPayload(std::string_view payload) {
  if (text::findControlCharacter(payload)) std::abort();
  if (payload.size() < 8 || payload.substr(payload.size() - 8, 4) != "6304" ||
      crc16::crcDigits(payload.substr(0, payload.size() - 4)) !=
          payload.substr(payload.size() - 4)) {
    std::abort();
  }
}

}  // namespace zelto::fuzz

#endif  // ZELTO_FUZZ_JSON_FUZZ_CHECKS_H_
