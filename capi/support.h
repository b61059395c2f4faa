// The machinery behind every function of the C interface (<zelto/zelto.h>): the handle types,
// the registry of live handles, reading C arguments, handing back texts, and run(), the guard
// that turns every failure into a status and a message so that no C++ exception crosses the
// boundary.
//
// Inside a guarded body, argument problems are thrown as capi::Failure; run() catches them,
// along with std::bad_alloc (ZELTO_ERROR_OUT_OF_MEMORY) and any other exception
// (ZELTO_ERROR_INTERNAL).
//
// Thread-safety: the registry is guarded by a mutex; everything else is per call.
#ifndef ZELTO_CAPI_SUPPORT_H_
#define ZELTO_CAPI_SUPPORT_H_

#include <zelto/results/zelto_error.h>
#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_config.h>
#include <zelto/sdk/zelto_payment_request.h>
#include <zelto/zelto.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

struct zelto_payment_request {
  std::shared_ptr<zelto::ZeltoPaymentRequest> value;
};
struct zelto_refund_payment_request {
  std::shared_ptr<zelto::ZeltoRefundPaymentRequest> value;
};
struct zelto_config {
  zelto::ZeltoConfig value;
};
struct zelto_error {
  std::shared_ptr<zelto::ZeltoError> value;
};
struct zelto_request_payment_response {
  std::shared_ptr<zelto::ZeltoRequestPaymentResponse> value;
};
struct zelto_refund_payment_response {
  std::shared_ptr<zelto::ZeltoRefundPaymentResponse> value;
};

namespace zelto::capi {

struct Failure {
  zelto_status status;
  std::string message;
};

// What a guarded body returns: ZELTO_OK, or ZELTO_INVALID with the check's messages.
struct Outcome {
  zelto_status status = ZELTO_OK;
  std::string message;
};

template <class Handle>
struct HandleName;
template <>
struct HandleName<zelto_payment_request> {
  static constexpr std::string_view value = "zelto_payment_request";
};
template <>
struct HandleName<zelto_refund_payment_request> {
  static constexpr std::string_view value = "zelto_refund_payment_request";
};
template <>
struct HandleName<zelto_config> {
  static constexpr std::string_view value = "zelto_config";
};
template <>
struct HandleName<zelto_error> {
  static constexpr std::string_view value = "zelto_error";
};
template <>
struct HandleName<zelto_request_payment_response> {
  static constexpr std::string_view value = "zelto_request_payment_response";
};
template <>
struct HandleName<zelto_refund_payment_response> {
  static constexpr std::string_view value = "zelto_refund_payment_response";
};

// The registry: every live handle by address, with the name of its type.
void registerHandle(const void* handle, std::string_view type);
// Removes the handle; false when it is not live as a handle of `type`.
bool unregisterHandle(const void* handle, std::string_view type);
bool isLive(const void* handle, std::string_view type);

// The handle `handle` (argument `argument`), after checking that it is a live handle of its
// type.
template <class Handle>
Handle& use(Handle* handle, std::string_view argument);
template <class Handle>
const Handle& use(const Handle* handle, std::string_view argument) {
  return use(const_cast<Handle*>(handle), argument);
}

// A new handle owning `value`, registered; written to *out by the caller.
template <class Handle, class Value>
Handle* create(Value value) {
  auto handle = std::make_unique<Handle>(Handle{std::move(value)});
  registerHandle(handle.get(), HandleName<Handle>::value);
  return handle.release();
}

// Unregisters and deletes a handle; NULL is accepted.
template <class Handle>
zelto_status release(Handle* handle) noexcept;
// The same for a handle that belongs to the main thread: from any other thread nothing is
// released and the answer is ZELTO_ERROR_WRONG_THREAD.
template <class Handle>
zelto_status releaseOnMainThread(Handle* handle) noexcept;

// A handle lent to a callback for the duration of one call: registered while it lives.
// Absent values give a NULL handle.
template <class Handle, class Value>
class Lent {
 public:
  explicit Lent(std::shared_ptr<Value> value) {
    if (!value) return;
    handle_ = std::make_unique<Handle>(Handle{std::move(value)});
    registerHandle(handle_.get(), HandleName<Handle>::value);
  }
  ~Lent() {
    if (handle_) unregisterHandle(handle_.get(), HandleName<Handle>::value);
  }
  Lent(const Lent&) = delete;
  Lent& operator=(const Lent&) = delete;
  const Handle* get() const { return handle_.get(); }

 private:
  std::unique_ptr<Handle> handle_;
};

// A NUL-terminated argument, checked for NULL and well-formed UTF-8.
std::string_view readText(const char* value, std::string_view argument);
// As readText(), NULL giving nullopt.
std::optional<std::string> optionalText(const char* value, std::string_view argument);
// `length` bytes at `value` (NULL only with length 0), checked for well-formed UTF-8.
std::string_view readText(const char* value, std::size_t length, std::string_view argument);

// An output argument (`T` is what it points to). The guard in run() checks every output for NULL
// before the body does any work, so that nothing is built that no one could receive, and clears
// the pointer outputs (a plain value is left untouched until the body writes it).
template <class T>
struct Output {
  T* pointer;
  std::string_view name;
};
template <class T>
Output<T> output(T* pointer, std::string_view name) {
  return {pointer, name};
}

// The number a C caller passed as an enumeration. C lets any int through; C++ may not even load
// an enumeration outside its range, so the bytes are read as the underlying integer.
template <class Enum>
std::underlying_type_t<Enum> enumValue(const Enum& value) {
  std::underlying_type_t<Enum> raw;
  std::memcpy(&raw, &value, sizeof raw);
  return raw;
}

// A malloc'd NUL-terminated copy of `value`, for zelto_free.
char* copyText(std::string_view value);
// A malloc'd copy of `bytes` (at least one byte is allocated), for zelto_free.
unsigned char* copyBytes(std::string_view bytes);

// The flow, configuration and run-loop functions belong to the thread that first called one of
// them. isMainThread() answers (and claims the main thread when none has called yet);
// requireMainThread() throws ZELTO_ERROR_WRONG_THREAD from any other thread.
bool isMainThread() noexcept;
void requireMainThread();

// Runs `body` and reports its outcome as a status, writing the message (or NULL) to `message`.
// With outputs, each is checked (and a pointer output cleared) before the body runs, and the body
// receives a reference to each: run(message, output(payload, "payload"), [&](char*& out) {...}).
template <class Body>
zelto_status run(char** message, Body&& body) noexcept;
template <class A, class Body>
zelto_status run(char** message, Output<A> a, Body&& body) noexcept;
template <class A, class B, class Body>
zelto_status run(char** message, Output<A> a, Output<B> b, Body&& body) noexcept;

// Out-of-line parts of run(), so that the template stays small.
zelto_status finish(char** message, zelto_status status, std::string_view text) noexcept;
zelto_status finishCurrentException(char** message) noexcept;
[[noreturn]] void throwNullArgument(std::string_view argument);

template <class T>
T& checked(Output<T> out) {
  if (out.pointer == nullptr) throwNullArgument(out.name);
  if constexpr (std::is_pointer_v<T>) *out.pointer = nullptr;
  return *out.pointer;
}

template <class Body>
zelto_status run(char** message, Body&& body) noexcept {
  if (message != nullptr) *message = nullptr;
  try {
    Outcome outcome = body();
    return finish(message, outcome.status, outcome.message);
  } catch (...) {
    return finishCurrentException(message);
  }
}

template <class A, class Body>
zelto_status run(char** message, Output<A> a, Body&& body) noexcept {
  return run(message, [&] {
    A& first = checked(a);
    return body(first);
  });
}

template <class A, class B, class Body>
zelto_status run(char** message, Output<A> a, Output<B> b, Body&& body) noexcept {
  return run(message, [&] {
    A& first = checked(a);
    B& second = checked(b);
    return body(first, second);
  });
}

template <class Handle>
Handle& use(Handle* handle, std::string_view argument) {
  if (handle == nullptr) throwNullArgument(argument);
  if (!isLive(handle, HandleName<Handle>::value)) {
    throw Failure{ZELTO_ERROR_INVALID_HANDLE,
                  std::string(argument) + " is not a live " +
                      std::string(HandleName<Handle>::value) +
                      " (released already, lent to a callback that has returned, or another "
                      "kind of handle)"};
  }
  return *handle;
}

template <class Handle>
zelto_status release(Handle* handle) noexcept {
  if (handle == nullptr) return ZELTO_OK;
  if (!unregisterHandle(handle, HandleName<Handle>::value)) return ZELTO_ERROR_INVALID_HANDLE;
  delete handle;
  return ZELTO_OK;
}

template <class Handle>
zelto_status releaseOnMainThread(Handle* handle) noexcept {
  if (!isMainThread()) return ZELTO_ERROR_WRONG_THREAD;
  return release(handle);
}

}  // namespace zelto::capi

#endif  // ZELTO_CAPI_SUPPORT_H_
