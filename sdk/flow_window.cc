#include "sdk/flow_window.h"

#include "platform/notification_center.h"
#include "sdk/session_constants.h"

namespace zelto {

void ZeltoWindow::sendEvent(const platform::Event& event) {
  platform::Window::sendEvent(event);
  platform::NotificationCenter::defaultCenter().post(StringConstants::SESSION_TOUCH_EVENT_OCCURRED);
}

void ZeltoWindow::makeKeyAndVisible() {
  backgroundColor = platform::Color::clear();
  platform::Window::makeKeyAndVisible();
  if (!rootViewController()) return;
  const auto& view = rootViewController()->view();
  const auto bounds = view->bounds();
  view->setFrame({0, bounds.height, bounds.width, bounds.height});
  platform::animate(animationTime, 0, platform::AnimationCurve::kEaseOut, [&] {
    view->setFrame({0, 0, bounds.width, bounds.height});
  });
}

void ZeltoWindow::hideRootWindowView(std::function<void()> completion) {
  if (!rootViewController()) return;
  const auto& view = rootViewController()->view();
  const auto bounds = view->bounds();
  view->setFrame({0, 0, bounds.width, bounds.height});
  platform::animate(
      animationTime, 0, platform::AnimationCurve::kEaseOut,
      [&] {
        view->setFrame({0, bounds.height, bounds.width, bounds.height});
      },
      [completion = std::move(completion)](bool) {
        if (completion) completion();
      });
}

}  // namespace zelto
