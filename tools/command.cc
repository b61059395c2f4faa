#include "tools/command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>

#include "base/json_reader.h"
#include "base/language.h"
#include "payload/tag_dictionary_json.h"

namespace zelto::tool {

std::vector<CommandInfo>& commandRegistry() {
  static std::vector<CommandInfo> registry;
  return registry;
}

CommandRegistrar::CommandRegistrar(std::string name, std::string description, CommandSetup setup) {
  commandRegistry().push_back({std::move(name), std::move(description), std::move(setup)});
}

void addLanguageOption(CLI::App& command) {
  command
      .add_option_function<std::string>(
          "--lang", [](const std::string& language) { ZeltoMerchantSDK::setLanguage(language); },
          "Language of the screens: en, ar, hi, id, th, vi, pt-BR, es, fr, zh-Hans, or the\n"
          "pseudo-languages en-XA and ar-XB (default: the device's, from LC_ALL,\n"
          "LC_MESSAGES or LANG)")
      ->check(CLI::Validator(
          [](std::string& language) -> std::string {
            if (platform::nearestLanguage(language)) return "";
            return "no string table for \"" + language +
                   "\" (en, ar, hi, id, th, vi, pt-BR, es, fr, zh-Hans, en-XA, ar-XB)";
          },
          "LANGUAGE"));
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

OpenedInput openInput(const std::string& source) {
  OpenedInput opened;
  opened.standardInput = source == "-";
  opened.name = opened.standardInput ? "standard input" : source;
  // A file is opened without blocking, so that a FIFO without a writer is refused rather than
  // waited on; only a regular file is read.
  opened.fd = opened.standardInput ? STDIN_FILENO
                                   : ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (opened.fd < 0) {
    opened.error = "cannot read " + opened.name + ": " + std::strerror(errno);
    return opened;
  }
  struct stat status {};
  const bool described = ::fstat(opened.fd, &status) == 0;
  if (described && S_ISREG(status.st_mode)) {
    opened.regularSize = static_cast<std::uint64_t>(status.st_size);
  } else if (!opened.standardInput) {
    opened.error = "cannot read " + opened.name + ": " +
                   (described ? kindOf(status.st_mode) + ", not a regular file"
                              : std::string(std::strerror(errno)));
    ::close(opened.fd);
    opened.fd = -1;
  }
  return opened;
}

Input readInput(const std::string& source) {
  OpenedInput opened = openInput(source);
  if (opened.fd < 0) return {std::nullopt, std::move(opened.error)};
  std::string reason;
  std::optional<std::string> text;
  if (opened.regularSize && *opened.regularSize > kMaxInputBytes) {
    reason = tooLarge();
  } else {
    text = readAll(opened.fd, static_cast<std::size_t>(opened.regularSize.value_or(0)), reason);
  }
  if (!opened.standardInput) ::close(opened.fd);
  if (!text) return {std::nullopt, "cannot read " + opened.name + ": " + reason};
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
