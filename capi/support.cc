#include "capi/support.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include "base/text.h"

namespace zelto::capi {
namespace {

struct Registry {
  std::mutex mutex;
  std::unordered_map<const void*, std::string_view> live;
};

Registry& registry() {
  static Registry* instance = new Registry;  // never destroyed: handles may outlive main()
  return *instance;
}

}  // namespace

void registerHandle(const void* handle, std::string_view type) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.live.emplace(handle, type);
}

bool unregisterHandle(const void* handle, std::string_view type) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  auto entry = r.live.find(handle);
  if (entry == r.live.end() || entry->second != type) return false;
  r.live.erase(entry);
  return true;
}

bool isLive(const void* handle, std::string_view type) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  auto entry = r.live.find(handle);
  return entry != r.live.end() && entry->second == type;
}

void throwNullArgument(std::string_view argument) {
  throw Failure{ZELTO_ERROR_NULL_ARGUMENT, std::string(argument) + " is NULL"};
}

std::string_view readText(const char* value, std::string_view argument) {
  if (value == nullptr) throwNullArgument(argument);
  return readText(value, std::strlen(value), argument);
}

std::optional<std::string> optionalText(const char* value, std::string_view argument) {
  if (value == nullptr) return std::nullopt;
  return std::string(readText(value, argument));
}

std::string_view readText(const char* value, std::size_t length, std::string_view argument) {
  if (value == nullptr && length > 0) throwNullArgument(argument);
  std::string_view result = value == nullptr ? std::string_view() : std::string_view(value, length);
  if (!text::isValidUtf8(result)) {
    throw Failure{ZELTO_ERROR_INVALID_UTF8, std::string(argument) + " is not well-formed UTF-8"};
  }
  return result;
}

unsigned char* copyBytes(std::string_view bytes) {
  auto* copy = static_cast<unsigned char*>(std::malloc(std::max<std::size_t>(bytes.size(), 1)));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, bytes.data(), bytes.size());
  return copy;
}

char* copyText(std::string_view value) {
  auto* copy = static_cast<char*>(std::malloc(value.size() + 1));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, value.data(), value.size());
  copy[value.size()] = '\0';
  return copy;
}

bool isMainThread() noexcept {
  static std::atomic<std::thread::id> mainThread{};
  std::thread::id unset{};
  const std::thread::id current = std::this_thread::get_id();
  return mainThread.compare_exchange_strong(unset, current) || unset == current;
}

void requireMainThread() {
  if (isMainThread()) return;
  throw Failure{ZELTO_ERROR_WRONG_THREAD,
                "called on a thread other than the main thread (the first thread that called a "
                "request, flow, configuration or run-loop function)"};
}

zelto_status finish(char** message, zelto_status status, std::string_view text) noexcept {
  if (status != ZELTO_OK && message != nullptr) {
    *message = static_cast<char*>(std::malloc(text.size() + 1));
    if (*message != nullptr) {
      std::memcpy(*message, text.data(), text.size());
      (*message)[text.size()] = '\0';
    }
  }
  return status;
}

zelto_status finishCurrentException(char** message) noexcept {
  try {
    throw;
  } catch (const Failure& failure) {
    return finish(message, failure.status, failure.message);
  } catch (const std::bad_alloc&) {
    return finish(message, ZELTO_ERROR_OUT_OF_MEMORY, "out of memory");
  } catch (const std::exception& exception) {
    return finish(message, ZELTO_ERROR_INTERNAL, exception.what());
  } catch (...) {
    return finish(message, ZELTO_ERROR_INTERNAL, "unexpected failure");
  }
}

}  // namespace zelto::capi

extern "C" {

const char* zelto_status_name(zelto_status status) {
  switch (zelto::capi::enumValue(status)) {
    case ZELTO_OK:
      return "ZELTO_OK";
    case ZELTO_INVALID:
      return "ZELTO_INVALID";
    case ZELTO_ERROR_NULL_ARGUMENT:
      return "ZELTO_ERROR_NULL_ARGUMENT";
    case ZELTO_ERROR_INVALID_UTF8:
      return "ZELTO_ERROR_INVALID_UTF8";
    case ZELTO_ERROR_INVALID_JSON:
      return "ZELTO_ERROR_INVALID_JSON";
    case ZELTO_ERROR_INVALID_ARGUMENT:
      return "ZELTO_ERROR_INVALID_ARGUMENT";
    case ZELTO_ERROR_INVALID_HANDLE:
      return "ZELTO_ERROR_INVALID_HANDLE";
    case ZELTO_ERROR_WRONG_THREAD:
      return "ZELTO_ERROR_WRONG_THREAD";
    case ZELTO_ERROR_OUT_OF_MEMORY:
      return "ZELTO_ERROR_OUT_OF_MEMORY";
    case ZELTO_ERROR_INTERNAL:
      return "ZELTO_ERROR_INTERNAL";
  }
  return "ZELTO_UNKNOWN_STATUS";
}

void zelto_free(void* pointer) { std::free(pointer); }

}  // extern "C"
