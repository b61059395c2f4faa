// The user-defaults store: a small persistent key-value store for the library's preferences
// (the recently used currencies). Values are JSON values; the typed readers treat a stored value
// of another type as absent, and the next write of the key replaces it.
//
// FileUserDefaults keeps every key in one JSON object in one file, by default
// $XDG_CONFIG_HOME/ZeltoMerchantSDK/user_defaults.json, or ~/.config/... when XDG_CONFIG_HOME is
// unset, empty or relative. Every read reads the file, so a value written by another process is
// seen at once. Every write (set, remove, change) holds an advisory lock (flock) on a ".lock"
// file beside the store from the moment it reads the file to the moment its new file has been
// renamed over the old one: two writers, threads of one process or processes, never lose each
// other's update. The new file is written beside the old one, flushed to disk and renamed over
// it, so a crash mid-write leaves the old file or the new one, never a broken one; the next
// write removes the temporary file a crashed writer left behind.
//
// Only a regular file of at most kMaxStoreBytes (64 KiB) is read, and it is opened without
// blocking: a missing file, a folder, a FIFO or device, a larger file, text that is not JSON or
// whose top level is not an object all read as empty, and the next write replaces them (a
// folder at the store's path cannot be replaced: writes fail). A write whose result would be
// larger than kMaxStoreBytes is refused and changes nothing. A write that fails says why on the
// debug console and to its caller; when no folder can be found or created, every write fails
// and nothing persists.
//
// InMemoryUserDefaults keeps the values in memory, for tests and hosts that persist nothing.
//
// Thread-safety: a store may be used from several threads at once; each call is atomic.
// standard()/setStandard() are meant for the main thread.
#ifndef ZELTO_BASE_USER_DEFAULTS_H_
#define ZELTO_BASE_USER_DEFAULTS_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace zelto::platform {

// The largest store file that is read; a larger one reads as empty.
inline constexpr std::size_t kMaxStoreBytes = 64 * 1024;

class UserDefaults {
 public:
  UserDefaults() = default;
  UserDefaults(const UserDefaults&) = delete;
  UserDefaults& operator=(const UserDefaults&) = delete;
  virtual ~UserDefaults() = default;

  // Changes the stored values (a JSON object of every key) in one step: `edit` sees what is
  // stored now, and no other write comes between that reading and the storing of its result.
  // `edit` may run on any thread and must not use the store. Nullopt when stored; otherwise
  // why nothing was stored ("cannot create /home/m/.config/ZeltoMerchantSDK: Not a
  // directory"), which is also printed on the debug console.
  using Edit = std::function<void(nlohmann::json& values)>;
  virtual std::optional<std::string> change(const Edit& edit) = 0;

  // The stored value of `key`, or nullopt when nothing is stored.
  virtual std::optional<nlohmann::json> object(std::string_view key) const = 0;
  // Stores `value` under `key`, replacing what was there. False when it could not be stored.
  bool set(std::string_view key, nlohmann::json value);
  // Removes `key`. False when the store could not be changed.
  bool remove(std::string_view key);

  // The stored text of `key`; nullopt when absent or not a string.
  std::optional<std::string> string(std::string_view key) const;
  // The stored map of `key` from string to integer; nullopt when absent, not an object, or when
  // any member is not an integer (booleans and fractional numbers are not integers). An empty
  // object is an empty map.
  std::optional<std::map<std::string, std::int64_t>> integerDictionary(std::string_view key) const;

  // The process-wide store the library uses: a FileUserDefaults at defaultPath() unless
  // setStandard() replaced it.
  static UserDefaults& standard();
  // Makes `store` the process-wide store; nullptr restores the file-backed default (whose path
  // is read from the environment again).
  static void setStandard(std::shared_ptr<UserDefaults> store);
};

class FileUserDefaults final : public UserDefaults {
 public:
  explicit FileUserDefaults(std::filesystem::path file);

  // $XDG_CONFIG_HOME/ZeltoMerchantSDK/user_defaults.json, or $HOME/.config/... when
  // XDG_CONFIG_HOME is not an absolute path; nullopt when neither gives a folder.
  static std::optional<std::filesystem::path> defaultPath();

  const std::filesystem::path& file() const { return file_; }

  std::optional<std::string> change(const Edit& edit) override;
  std::optional<nlohmann::json> object(std::string_view key) const override;

 private:
  std::filesystem::path file_;
};

class InMemoryUserDefaults final : public UserDefaults {
 public:
  std::optional<std::string> change(const Edit& edit) override;
  std::optional<nlohmann::json> object(std::string_view key) const override;

 private:
  mutable std::mutex mutex_;
  nlohmann::json values_ = nlohmann::json::object();
};

}  // namespace zelto::platform

#endif  // ZELTO_BASE_USER_DEFAULTS_H_
