// The `zelto` tool's commands. Each command lives in a file of its own and registers itself
// with a static CommandRegistrar; main() builds the command line from the registry.
//
// Conventions every command follows: results on stdout, one per line; errors on stderr as
// "zelto: <what is wrong>" with exit status 2 (1 is reserved for a negative answer such as
// "invalid"); never a crash or a stack trace.
#ifndef ZELTO_TOOLS_COMMAND_H_
#define ZELTO_TOOLS_COMMAND_H_

#include <CLI/CLI.hpp>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// FILE opened for reading, or standard input for "-": the one way the tool opens its inputs.
// FILE must be a regular file; it is opened without blocking, so a FIFO or a device is refused
// at once ("cannot read /dev/zero: a character device, not a regular file") rather than waited
// on or read forever. Standard input may be anything. On failure `fd` is -1 and `error` says
// why; otherwise the caller closes `fd` unless it is standard input.
struct OpenedInput {
  int fd = -1;
  bool standardInput = false;
  std::string name;                          // "standard input" or FILE
  std::optional<std::uint64_t> regularSize;  // of a regular file
  std::string error;
};
OpenedInput openInput(const std::string& source);

// The most bytes an input (a request, a tag dictionary, a host script) may hold: a request is a
// few KB, a tag dictionary of 10 MB still fits.
inline constexpr std::size_t kMaxInputBytes = 16 * 1024 * 1024;

// The whole text of FILE, or of standard input for "-" (the default), opened by openInput: the
// one way every command, the host script and the window read their inputs. Either is refused
// when it holds more than kMaxInputBytes.
// When it cannot be read, `error` names the input and the reason: "cannot read standard
// input: Is a directory", "cannot read /dev/zero: a character device, not a regular file".
struct Input {
  std::optional<std::string> text;
  std::string error;
};
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
