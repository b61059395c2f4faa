#include "base/file_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zelto::files {
namespace {

// "larger than the 16 MiB an input may hold", "larger than the 65536 bytes ...".
std::string tooLarge(std::size_t limit) {
  constexpr std::size_t kMiB = 1024 * 1024;
  const std::string size =
      limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MiB" : std::to_string(limit) + " bytes";
  return "larger than the " + size + " an input may hold";
}

// Reads `fd` to its end, refusing more than `limit` bytes; nullopt with `error` on failure.
std::optional<std::string> readAll(int fd, std::size_t sizeHint, std::size_t limit,
                                   std::string& error) {
  std::string text;
  text.reserve(sizeHint);
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) return text;
    if (count > 0) {
      if (text.size() + static_cast<std::size_t>(count) > limit) {
        error = tooLarge(limit);
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

// `path` (a file, never standard input), or standard input.
Opened openSource(const std::string& path, bool standardInput) {
  Opened opened;
  opened.standardInput = standardInput;
  opened.name = standardInput ? "standard input" : path;
  opened.fd =
      standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (opened.fd < 0) {
    opened.error = "cannot read " + opened.name + ": " + std::strerror(errno);
    return opened;
  }
  struct stat status {};
  const bool described = ::fstat(opened.fd, &status) == 0;
  if (described && S_ISREG(status.st_mode)) {
    opened.regularSize = static_cast<std::uint64_t>(status.st_size);
  } else if (!standardInput) {
    opened.error = "cannot read " + opened.name + ": " +
                   (described ? kindOf(status.st_mode) + ", not a regular file"
                              : std::string(std::strerror(errno)));
    ::close(opened.fd);
    opened.fd = -1;
  }
  return opened;
}

Contents readOpened(Opened opened, std::size_t limit) {
  if (opened.fd < 0) return {std::nullopt, std::move(opened.error)};
  std::string reason;
  std::optional<std::string> text;
  if (opened.regularSize && *opened.regularSize > limit) {
    reason = tooLarge(limit);
  } else {
    const auto hint = static_cast<std::size_t>(opened.regularSize.value_or(0));
    text = readAll(opened.fd, hint, limit, reason);
  }
  if (!opened.standardInput) ::close(opened.fd);
  if (!text) return {std::nullopt, "cannot read " + opened.name + ": " + reason};
  return {std::move(text), ""};
}

}  // namespace

Opened open(const std::string& source) { return openSource(source, source == "-"); }

Contents read(const std::string& source, std::size_t limit) {
  return readOpened(open(source), limit);
}

Contents readFile(const std::string& path, std::size_t limit) {
  return readOpened(openSource(path, false), limit);
}

}  // namespace zelto::files
