// Inputs named on a command line or in a host script: a file, or standard input for "-".
//
// Every input goes through the library's one reader (base/file_input.h): it must be a regular
// file (or standard input) of at most 16 MiB. Errors name the input and the reason: "cannot
// read standard input: Is a directory", "cannot read /dev/zero: a character device, not a
// regular file", or the byte at fault in its JSON.
//
// Thread-safety: the functions keep no state.
#ifndef ZELTO_HOST_INPUTS_H_
#define ZELTO_HOST_INPUTS_H_

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "base/file_input.h"
#include "payload/tag_dictionary_json.h"

namespace zelto::host {

// The whole text of `source`, or of standard input for "-".
using Input = files::Contents;
Input readInput(const std::string& source);

// The input parsed as JSON with json::read (at most 64 levels of nesting, time linear in the
// text), keeping the order of object members.
struct JsonInput {
  std::optional<nlohmann::ordered_json> json;
  std::string error;
};
JsonInput readJson(const std::string& source);

// The tag dictionary in the input's JSON, read without a JSON tree; an error names the source,
// or says the text is not an object of tags and values.
TagDictionaryFromJson readTagDictionaryInput(const std::string& source);

}  // namespace zelto::host

#endif  // ZELTO_HOST_INPUTS_H_
