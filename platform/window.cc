#include "platform/window.h"

#include <cmath>

namespace zelto::platform {
namespace {

Size& mainScreenSize() {
  static Size size{390, 844};
  return size;
}

}  // namespace

Rect mainScreenBounds() { return {0, 0, mainScreenSize().width, mainScreenSize().height}; }

void setMainScreenSize(Size size) {
  if (size.width >= 1 && size.height >= 1 && std::isfinite(size.width) &&
      std::isfinite(size.height)) {
    mainScreenSize() = size;
  }
}

Window::Window() : View(mainScreenBounds()) { hidden = true; }

void Window::setRootViewController(std::shared_ptr<ViewController> root) {
  if (root_ == root) return;
  if (root_) {
    for (auto shown = root_; shown; shown = shown->presentedViewController()) {
      shown->setAppearing(false, false);
    }
  }
  // The earlier root's view and anything presented above it leave the window.
  while (!subviews().empty()) subviews().back()->removeFromSuperview();
  root_ = std::move(root);
  if (!root_) return;
  const auto& view = root_->view();
  view->setFrame(bounds());
  addSubview(view);
  if (!hidden) root_->setAppearing(true, false);
}

void Window::makeKeyAndVisible() {
  hidden = false;
  Application::shared().keyWindow_ = std::static_pointer_cast<Window>(weak_from_this().lock());
  if (root_) root_->setAppearing(true, false);
}

bool Window::isKeyWindow() { return Application::shared().keyWindow().get() == this; }

void Window::sendEvent(const Event& event) {
  if (event.type != Event::Type::kTouch) return;
  const auto target = event.target.lock();
  if (!target || target->window().get() != this || !target->isInteractive()) return;
  target->becomeFirstResponder();
  if (auto control = std::dynamic_pointer_cast<Control>(target)) {
    control->tapped();
  }
}

Application& Application::shared() {
  static auto* application = new Application();
  return *application;
}

}  // namespace zelto::platform
