#include "tools/command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "base/json_reader.h"
#include "payload/tag_dictionary_json.h"

namespace zelto::tool {

std::vector<CommandInfo>& commandRegistry() {
  static std::vector<CommandInfo> registry;
  return registry;
}

CommandRegistrar::CommandRegistrar(std::string name, std::string description, CommandSetup setup) {
  commandRegistry().push_back({std::move(name), std::move(description), std::move(setup)});
}

int fail(std::string_view message) {
  std::cerr << "zelto: " << message << '\n';
  return kUsageError;
}

namespace {

// Reads `fd` to its end; nullopt with errno set when a read fails.
std::optional<std::string> readAll(int fd) {
  std::string text;
  // A regular file is read into room made for it at once.
  struct stat status;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
    text.reserve(static_cast<std::size_t>(status.st_size));
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) return text;
    if (count > 0) {
      text.append(buffer, static_cast<std::size_t>(count));
    } else if (errno != EINTR) {
      return std::nullopt;
    }
  }
}

}  // namespace

Input readInput(const std::string& source) {
  const bool standardInput = source == "-";
  const std::string name = standardInput ? "standard input" : source;
  const int fd = standardInput ? STDIN_FILENO : ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {std::nullopt, "cannot read " + name + ": " + std::strerror(errno)};
  std::optional<std::string> text = readAll(fd);
  const int readError = errno;
  if (!standardInput) ::close(fd);
  if (!text) return {std::nullopt, "cannot read " + name + ": " + std::strerror(readError)};
  return {std::move(text), ""};
}

TagDictionaryFromJson readTagDictionaryInput(const std::string& source) {
  Input input = readInput(source);
  if (!input.text) return {std::nullopt, std::move(input.error)};
  return readTagDictionary(*input.text, source == "-" ? "standard input" : source);
}

JsonInput readJson(const std::string& source) {
  Input input = readInput(source);
  if (!input.text) return {std::nullopt, std::move(input.error)};
  json::ReadResult result = json::read(*input.text);
  if (!result.value)
    return {std::nullopt, result.message(source == "-" ? "standard input" : source)};
  return {std::move(result.value), ""};
}

}  // namespace zelto::tool
