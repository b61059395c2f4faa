// Reading whole inputs from files or standard input: the one way the library and its tool open
// and read the files they are given (requests, tag dictionaries, refunds, host scripts,
// configurations and their images, the user-defaults store).
//
// A source is a path, or "-" for standard input. A file must be a regular file: it is opened
// without blocking and checked with fstat before anything is read, so a FIFO without a writer
// or a device such as /dev/zero is refused at once ("cannot read /dev/zero: a character device,
// not a regular file") instead of being waited on or read until memory runs out. Standard input
// may be anything (a pipe, a terminal). A read is bounded: more bytes than its limit (by
// default kMaxInputBytes, 16 MiB: a request is a few KB, the largest tag dictionaries about
// 10 MB) is an error rather than an allocation.
//
// Thread-safety: every function may be called from any thread.
#ifndef ZELTO_BASE_FILE_INPUT_H_
#define ZELTO_BASE_FILE_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zelto::files {

inline constexpr std::size_t kMaxInputBytes = 16 * 1024 * 1024;

// `source` opened for reading. On failure `fd` is -1 and `error` says why ("cannot read x.json:
// No such file or directory"); otherwise the caller closes `fd` unless it is standard input.
struct Opened {
  int fd = -1;
  bool standardInput = false;
  std::string name;                          // "standard input" or the path
  std::optional<std::uint64_t> regularSize;  // of a regular file
  std::string error;
};
Opened open(const std::string& source);

// The whole text of `source`, at most `limit` bytes; otherwise `error` names the source and the
// reason: "cannot read standard input: Is a directory", "cannot read big.json: larger than the
// 16 MiB an input may hold".
struct Contents {
  std::optional<std::string> text;
  std::string error;
};
Contents read(const std::string& source, std::size_t limit = kMaxInputBytes);
// The same for the file at `path`, even when it is "-".
Contents readFile(const std::string& path, std::size_t limit = kMaxInputBytes);

}  // namespace zelto::files

#endif  // ZELTO_BASE_FILE_INPUT_H_
