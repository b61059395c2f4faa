// Windows and the application that knows which window is key.
//
// A window is the root of a view tree; it shows its root view controller's view, sized to the
// window. Windows start hidden; makeKeyAndVisible() shows one and makes it the application's key
// window (the key window is held weakly: a destroyed window is no longer key).
//
// Events reach a window through sendEvent(). The standard handling delivers a touch to its
// target view when that view is in this window and interactive: a text field or text view
// becomes first responder, a control handles the tap (Control::tapped). Other events are
// accepted and do nothing.
//
// Windows are created with std::make_shared. Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_WINDOW_H_
#define ZELTO_PLATFORM_WINDOW_H_

#include <memory>

#include "platform/view.h"
#include "platform/view_controller.h"

namespace zelto::platform {

// The screen of the device, in points: 390 by 844 unless a display has set its own size.
Rect mainScreenBounds();
// Gives the main screen `size` (each side at least 1 point; anything else is ignored). Windows
// and screens made afterwards take the new size, so a display sets it before the library
// creates its window.
void setMainScreenSize(Size size);

struct Event {
  enum class Type { kTouch, kPress, kMotion };
  Type type = Type::kTouch;
  // The view the touch landed on; unused for other types.
  std::weak_ptr<View> target;
};

class Window : public View {
 public:
  // A hidden window the size of the main screen.
  Window();

  const std::shared_ptr<ViewController>& rootViewController() const { return root_; }
  // Replaces the root controller: the earlier root's view leaves the window, the new root's view
  // is added, sized to the window's bounds. Appearance callbacks run when the window is visible.
  void setRootViewController(std::shared_ptr<ViewController> root);

  virtual void makeKeyAndVisible();
  bool isKeyWindow();

  virtual void sendEvent(const Event& event);

 private:
  std::shared_ptr<ViewController> root_;
};

class Application {
 public:
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application& shared();

  std::shared_ptr<Window> keyWindow() const { return keyWindow_.lock(); }

 private:
  friend class Window;
  Application() = default;

  std::weak_ptr<Window> keyWindow_;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_WINDOW_H_
