// The user-defaults store: a small persistent key-value store for the library's preferences
// (the recently used currencies). Values are JSON values; the typed readers treat a stored value
// of another type as absent, and the next write of the key replaces it.
//
// FileUserDefaults keeps every key in one JSON object in one file, by default
// $XDG_CONFIG_HOME/ZeltoMerchantSDK/user_defaults.json, or ~/.config/... when XDG_CONFIG_HOME is
// unset, empty or relative. Every read reads the file, so a value written by another process is
// seen at once. Every write re-reads the file, changes the one key and writes a temporary file
// in the same folder, flushes it to disk and renames it over the old one, all under an advisory
// lock on a ".lock" file beside it: a crash mid-write leaves the old file or the new one, never a
// broken one, and two processes writing at once lose no update. The next write removes the
// temporary file a crashed writer left behind. A missing, unreadable or corrupt
// file (or one whose top level is not a JSON object) reads as empty and is replaced by the next
// write. When no folder can be found or created, writes fail (set returns false) and nothing
// persists.
//
// InMemoryUserDefaults keeps the values in memory, for tests and hosts that persist nothing.
//
// Thread-safety: a store may be used from several threads at once; each call is atomic.
// standard()/setStandard() are meant for the main thread.
#ifndef ZELTO_BASE_USER_DEFAULTS_H_
#define ZELTO_BASE_USER_DEFAULTS_H_

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace zelto::platform {

class UserDefaults {
 public:
  UserDefaults() = default;
  UserDefaults(const UserDefaults&) = delete;
  UserDefaults& operator=(const UserDefaults&) = delete;
  virtual ~UserDefaults() = default;

  // The stored value of `key`, or nullopt when nothing is stored.
  virtual std::optional<nlohmann::json> object(std::string_view key) const = 0;
  // Stores `value` under `key`, replacing what was there. False when it could not be stored.
  virtual bool set(std::string_view key, nlohmann::json value) = 0;
  // Removes `key`. False when the store could not be changed.
  virtual bool remove(std::string_view key) = 0;

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

  std::optional<nlohmann::json> object(std::string_view key) const override;
  bool set(std::string_view key, nlohmann::json value) override;
  bool remove(std::string_view key) override;

 private:
  bool update(std::string_view key, const std::optional<nlohmann::json>& value);

  std::filesystem::path file_;
  mutable std::mutex mutex_;
};

class InMemoryUserDefaults final : public UserDefaults {
 public:
  std::optional<nlohmann::json> object(std::string_view key) const override;
  bool set(std::string_view key, nlohmann::json value) override;
  bool remove(std::string_view key) override;

 private:
  mutable std::mutex mutex_;
  nlohmann::json values_ = nlohmann::json::object();
};

}  // namespace zelto::platform

#endif  // ZELTO_BASE_USER_DEFAULTS_H_
