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
#include <string>
#include <string_view>
#include <vector>

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

}  // namespace zelto::tool

#endif  // ZELTO_TOOLS_COMMAND_H_
