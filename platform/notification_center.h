// The notification centre: observers register a block for a notification name; post() calls,
// synchronously and in registration order, every block registered for that name at the moment
// of posting that is still registered when its turn comes.
//
// An observer is identified by an address of the caller's choosing (usually `this`); it must
// remove itself before it is destroyed. Registering the same observer twice for one name
// registers two blocks, and both run.
//
// Thread-safety: none; used on the main thread.
#ifndef ZELTO_PLATFORM_NOTIFICATION_CENTER_H_
#define ZELTO_PLATFORM_NOTIFICATION_CENTER_H_

#include <zelto/base/geometry.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelto::platform {

// Posted by a TextField (object: the field) each time the user changes its text.
inline constexpr std::string_view kTextFieldTextDidChangeNotification =
    "TextFieldTextDidChangeNotification";
// Posted by a TextView (object: the view) each time the user changes its text.
inline constexpr std::string_view kTextViewTextDidChangeNotification =
    "TextViewTextDidChangeNotification";

// Posted (object: the view) when a text field or text view becomes first responder, and when
// the first responder resigns with no other taking its place. keyboardFrame is where the
// keyboard ends up, in the window's coordinates: the bottom kKeyboardHeight points of the window,
// full width (for a hide, the same rectangle moved just below the window). The keyboard moves
// over kKeyboardAnimationDuration seconds.
inline constexpr std::string_view kKeyboardWillShowNotification = "KeyboardWillShowNotification";
inline constexpr std::string_view kKeyboardWillHideNotification = "KeyboardWillHideNotification";
// The height of a phone keyboard with its suggestion bar on the 390-point-wide screen.
inline constexpr double kKeyboardHeight = 291;
inline constexpr double kKeyboardAnimationDuration = 0.25;

struct Notification {
  std::string name;
  const void* object = nullptr;
  // Set for the keyboard notifications only.
  std::optional<Rect> keyboardFrame;
};

class NotificationCenter {
 public:
  using Block = std::function<void(const Notification&)>;

  NotificationCenter() = default;
  NotificationCenter(const NotificationCenter&) = delete;
  NotificationCenter& operator=(const NotificationCenter&) = delete;

  static NotificationCenter& defaultCenter();

  // Calls `block` for every notification named `name`, from any sender.
  void addObserver(const void* observer, std::string name, Block block);
  // Removes every registration of `observer`.
  void removeObserver(const void* observer);
  // Removes the registrations of `observer` for `name`.
  void removeObserver(const void* observer, std::string_view name);

  void post(std::string_view name, const void* object = nullptr);
  void post(const Notification& notification);

  std::size_t observerCount(std::string_view name) const;

 private:
  struct Registration {
    std::uint64_t id;
    const void* observer;
    std::string name;
    Block block;
  };
  std::vector<Registration> registrations_;
  std::uint64_t nextId_ = 0;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_NOTIFICATION_CENTER_H_
