#include "tools/command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
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

std::string tooLarge() {
  return "larger than the " + std::to_string(kMaxInputBytes / (1024 * 1024)) +
         " MiB an input may hold";
}

// Reads `fd` to its end, refusing more than kMaxInputBytes; an error names the reason.
std::optional<std::string> readAll(int fd, std::size_t sizeHint, std::string& error) {
  std::string text;
  text.reserve(sizeHint);
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) return text;
    if (count > 0) {
      if (text.size() + static_cast<std::size_t>(count) > kMaxInputBytes) {
        error = tooLarge();
        return std::nullopt;
      }
      text.append(buffer, static_cast<std::size_t>(count));
    } else if (errno != EINTR) {
      error = std::strerror(errno);
      return std::nullopt;
    }
  }
}

// What a file of a kind other than a regular file is.
std::string kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

}  // namespace

Input readInput(const std::string& source) {
  const bool standardInput = source == "-";
  const std::string name = standardInput ? "standard input" : source;
  const auto failure = [&](const std::string& reason) {
    return Input{std::nullopt, "cannot read " + name + ": " + reason};
  };
  // A file is opened without blocking, so that a FIFO without a writer is refused rather than
  // waited on; only a regular file is read.
  const int fd =
      standardInput ? STDIN_FILENO : ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return failure(std::strerror(errno));
  struct stat status {};
  const bool described = ::fstat(fd, &status) == 0;
  std::string reason;
  std::optional<std::string> text;
  if (!standardInput && described && !S_ISREG(status.st_mode)) {
    reason = kindOf(status.st_mode) + ", not a regular file";
  } else if (described && S_ISREG(status.st_mode) &&
             static_cast<std::uint64_t>(status.st_size) > kMaxInputBytes) {
    reason = tooLarge();
  } else {
    const std::size_t hint =
        described && S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : 0;
    text = readAll(fd, hint, reason);
  }
  if (!standardInput) ::close(fd);
  if (!text) return failure(reason);
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
