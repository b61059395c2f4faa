#include "base/user_defaults.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <utility>

#include "base/debug_console.h"
#include "base/file_input.h"
#include "base/json_reader.h"

namespace zelto::platform {
namespace {

constexpr std::string_view kFolderName = "ZeltoMerchantSDK";
constexpr std::string_view kFileName = "user_defaults.json";

// Holds an open file descriptor and closes it on every path out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a failed close can mean lost data).
  bool close() {
    int fd = std::exchange(fd_, -1);
    return fd >= 0 && ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The reason of the last failed system call, as "Permission denied".
std::string systemReason() { return std::system_category().message(errno); }

// The whole store as a JSON object; an empty object when the file is missing or unusable: not
// a regular file (opened without blocking, so a FIFO is never waited on), larger than
// kMaxStoreBytes, or not a JSON object.
nlohmann::json readStore(const std::filesystem::path& file) {
  const files::Contents contents = files::readFile(file.string(), kMaxStoreBytes);
  if (!contents.text) return nlohmann::json::object();
  // The library's JSON reader: one value and nothing after it, bounded nesting.
  json::ReadResult parsed = json::read(*contents.text);
  if (!parsed.value || !parsed.value->is_object()) return nlohmann::json::object();
  return nlohmann::json(*parsed.value);
}

// Replaces `file` with `contents`: a temporary file in the same folder, flushed, then renamed.
// Nullopt when done, else why not.
std::optional<std::string> replaceAtomically(const std::filesystem::path& file,
                                             std::string_view contents) {
  std::string pattern = file.string() + ".XXXXXX";
  FileDescriptor temp(::mkstemp(pattern.data()));
  if (temp.get() < 0)
    return "cannot create a file in " + file.parent_path().string() + ": " + systemReason();
  bool ok = writeAll(temp.get(), contents) && ::fsync(temp.get()) == 0;
  ok = temp.close() && ok;
  if (!ok) {
    std::string reason = "cannot write " + pattern + ": " + systemReason();
    ::unlink(pattern.c_str());
    return reason;
  }
  if (::rename(pattern.c_str(), file.c_str()) != 0) {
    std::string reason = "cannot replace " + file.string() + ": " + systemReason();
    ::unlink(pattern.c_str());
    return reason;
  }
  // Make the rename itself durable.
  FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return std::nullopt;
}

// Removes the temporary files of writers that died before renaming theirs. Called under the
// lock, when no other writer can be between mkstemp and rename.
void removeStaleTemporaryFiles(const std::filesystem::path& file) {
  const std::string prefix = file.filename().string() + ".";
  constexpr std::size_t kSuffixLength = 6;  // the XXXXXX of mkstemp
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == prefix.size() + kSuffixLength && name.starts_with(prefix)) {
      std::filesystem::remove(entry.path(), error);
    }
  }
}

std::shared_ptr<UserDefaults> makeDefaultStore() {
  if (auto path = FileUserDefaults::defaultPath()) {
    return std::make_shared<FileUserDefaults>(*path);
  }
  return std::make_shared<InMemoryUserDefaults>();
}

std::shared_ptr<UserDefaults>& standardStore() {
  static std::shared_ptr<UserDefaults> store = makeDefaultStore();
  return store;
}

}  // namespace

std::optional<std::string> UserDefaults::string(std::string_view key) const {
  std::optional<nlohmann::json> value = object(key);
  if (!value || !value->is_string()) return std::nullopt;
  return value->get<std::string>();
}

std::optional<std::map<std::string, std::int64_t>> UserDefaults::integerDictionary(
    std::string_view key) const {
  std::optional<nlohmann::json> value = object(key);
  if (!value || !value->is_object()) return std::nullopt;
  std::map<std::string, std::int64_t> result;
  for (const auto& [name, member] : value->items()) {
    if (!member.is_number_integer()) return std::nullopt;
    if (member.is_number_unsigned() &&
        member.get<std::uint64_t>() > std::numeric_limits<std::int64_t>::max()) {
      return std::nullopt;
    }
    result.emplace(name, member.get<std::int64_t>());
  }
  return result;
}

bool UserDefaults::set(std::string_view key, nlohmann::json value) {
  return !change([&](nlohmann::json& values) { values[std::string(key)] = std::move(value); });
}

bool UserDefaults::remove(std::string_view key) {
  return !change([&](nlohmann::json& values) { values.erase(std::string(key)); });
}

UserDefaults& UserDefaults::standard() { return *standardStore(); }

void UserDefaults::setStandard(std::shared_ptr<UserDefaults> store) {
  standardStore() = store ? std::move(store) : makeDefaultStore();
}

FileUserDefaults::FileUserDefaults(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<std::filesystem::path> FileUserDefaults::defaultPath() {
  std::filesystem::path folder;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
    folder = xdg;
  } else if (home != nullptr && std::filesystem::path(home).is_absolute()) {
    folder = std::filesystem::path(home) / ".config";
  } else {
    return std::nullopt;
  }
  return folder / kFolderName / kFileName;
}

std::optional<nlohmann::json> FileUserDefaults::object(std::string_view key) const {
  nlohmann::json store = readStore(file_);
  auto found = store.find(key);
  if (found == store.end()) return std::nullopt;
  return *found;
}

std::optional<std::string> FileUserDefaults::change(const Edit& edit) {
  std::optional<std::string> failure = [&]() -> std::optional<std::string> {
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) return "cannot create " + file_.parent_path().string() + ": " + error.message();
    // Held from the reading of the store to the rename of its new file: read-modify-write
    // cycles of other threads and processes sharing the file wait for this one.
    std::string lockPath = file_.string() + ".lock";
    FileDescriptor lockFile(
        ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0600));
    if (lockFile.get() < 0) return "cannot open " + lockPath + ": " + systemReason();
    while (::flock(lockFile.get(), LOCK_EX) != 0) {
      if (errno != EINTR) return "cannot lock " + lockPath + ": " + systemReason();
    }
    removeStaleTemporaryFiles(file_);
    nlohmann::json store = readStore(file_);
    edit(store);
    // Text that is not UTF-8, which only a host's own value can hold, is written as U+FFFD.
    std::string contents =
        store.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    if (contents.size() > kMaxStoreBytes) {
      return "not stored: " + std::to_string(contents.size()) + " bytes is more than the " +
             std::to_string(kMaxStoreBytes) + " a store may hold";
    }
    return replaceAtomically(file_, contents);
  }();
  if (failure) debugPrint("User defaults not saved: " + *failure);
  return failure;
}

std::optional<std::string> InMemoryUserDefaults::change(const Edit& edit) {
  std::lock_guard lock(mutex_);
  edit(values_);
  return std::nullopt;
}

std::optional<nlohmann::json> InMemoryUserDefaults::object(std::string_view key) const {
  std::lock_guard lock(mutex_);
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return *found;
}

}  // namespace zelto::platform
