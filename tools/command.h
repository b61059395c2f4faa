// The `zelto` tool's commands. Each command lives in a file of its own and registers itself
// with a static CommandRegistrar; main() builds the command line from the registry.
//
// Conventions every command follows: results on stdout, one per line; errors on stderr as
// "zelto: <what is wrong>" with exit status 2 (1 is reserved for a negative answer such as
// "invalid"); never a crash or a stack trace.
#ifndef ZELTO_TOOLS_COMMAND_H_
#define ZELTO_TOOLS_COMMAND_H_

#include <CLI/CLI.hpp>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_input.h"
#include "payload/tag_dictionary_json.h"

namespace zelto::tool {

inline constexpr int kUsageError = 2;

// Adds options to `command` and returns what runs when the command is chosen.
using CommandSetup = std::function<std::function<int()>(CLI::App& command)>;

struct CommandInfo {
  std::string name;
  std::string description;
  CommandSetup setup;
};

std::vector<CommandInfo>& commandRegistry();

struct CommandRegistrar {
  CommandRegistrar(std::string name, std::string description, CommandSetup setup);
};

// Adds --lang CODE to `command`: the language of the screens for this run ("ar", "pt-BR",
// "en-XA", a locale such as "es_MX"); an unknown one is refused while the command line is read.
void addLanguageOption(CLI::App& command);

// Prints "zelto: message" to stderr and returns kUsageError.
int fail(std::string_view message);

// The whole text of FILE, or of standard input for "-" (the default), through the library's
// one reader of inputs (base/file_input.h): FILE must be a regular file, and either holds at
// most 16 MiB. When it cannot be read, `error` names the input and the reason: "cannot read
// standard input: Is a directory", "cannot read /dev/zero: a character device, not a regular
// file".
using Input = files::Contents;
Input readInput(const std::string& source);

// Reads FILE (or standard input for "-") and parses it as JSON with json::read (at most 64
// levels of nesting, time linear in the text), keeping the order of object members; `error`
// names the input and the byte at fault.
struct JsonInput {
  std::optional<nlohmann::ordered_json> json;
  std::string error;
};
JsonInput readJson(const std::string& source);

// The tag dictionary in the JSON text of `source` (as readInput), read without a JSON tree;
// an error names the source, or says the text is not an object of tags and values.
TagDictionaryFromJson readTagDictionaryInput(const std::string& source);

}  // namespace zelto::tool

#endif  // ZELTO_TOOLS_COMMAND_H_
