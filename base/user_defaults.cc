#include "base/user_defaults.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>
#include <utility>

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

// The whole store as a JSON object; an empty object when the file is missing or unusable.
nlohmann::json readStore(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return nlohmann::json::object();
  nlohmann::json parsed = nlohmann::json::parse(std::istreambuf_iterator<char>(in),
                                                std::istreambuf_iterator<char>(), nullptr,
                                                /*allow_exceptions=*/false);
  return parsed.is_object() ? parsed : nlohmann::json::object();
}

// Replaces `file` with `contents`: a temporary file in the same folder, flushed, then renamed.
bool replaceAtomically(const std::filesystem::path& file, std::string_view contents) {
  std::string pattern = file.string() + ".XXXXXX";
  FileDescriptor temp(::mkstemp(pattern.data()));
  if (temp.get() < 0) return false;
  bool ok = writeAll(temp.get(), contents) && ::fsync(temp.get()) == 0;
  ok = temp.close() && ok;
  if (!ok || ::rename(pattern.c_str(), file.c_str()) != 0) {
    ::unlink(pattern.c_str());
    return false;
  }
  // Make the rename itself durable.
  FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return true;
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
  std::lock_guard lock(mutex_);
  nlohmann::json store = readStore(file_);
  auto found = store.find(key);
  if (found == store.end()) return std::nullopt;
  return *found;
}

bool FileUserDefaults::set(std::string_view key, nlohmann::json value) {
  return update(key, std::move(value));
}

bool FileUserDefaults::remove(std::string_view key) { return update(key, std::nullopt); }

bool FileUserDefaults::update(std::string_view key, const std::optional<nlohmann::json>& value) {
  std::lock_guard lock(mutex_);
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  if (error) return false;
  // Serialises read-modify-write cycles of other processes sharing the file.
  std::string lockPath = file_.string() + ".lock";
  FileDescriptor lockFile(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (lockFile.get() < 0) return false;
  while (::flock(lockFile.get(), LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  removeStaleTemporaryFiles(file_);
  nlohmann::json store = readStore(file_);
  if (value) {
    store[std::string(key)] = *value;
  } else {
    store.erase(std::string(key));
  }
  return replaceAtomically(file_, store.dump(2) + "\n");
}

std::optional<nlohmann::json> InMemoryUserDefaults::object(std::string_view key) const {
  std::lock_guard lock(mutex_);
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return *found;
}

bool InMemoryUserDefaults::set(std::string_view key, nlohmann::json value) {
  std::lock_guard lock(mutex_);
  values_[std::string(key)] = std::move(value);
  return true;
}

bool InMemoryUserDefaults::remove(std::string_view key) {
  std::lock_guard lock(mutex_);
  values_.erase(std::string(key));
  return true;
}

}  // namespace zelto::platform
