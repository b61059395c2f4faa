// ZeltoWindow: the library's own window. It slides its root screen up from below the screen
// when shown and down out of sight when hidden, each over animationTime (0.325 s) with an
// ease-out curve, and reports every event it receives as activity (the notification
// StringConstants::SESSION_TOUCH_EVENT_OCCURRED, posted after the event is handled).
//
// Thread-safety: main thread only.
#ifndef ZELTO_SDK_FLOW_WINDOW_H_
#define ZELTO_SDK_FLOW_WINDOW_H_

#include <functional>

#include "platform/window.h"

namespace zelto {

class ZeltoWindow : public platform::Window {
 public:
  void sendEvent(const platform::Event& event) override;
  // Clear background, key and visible; the root view slides up from just below the screen.
  void makeKeyAndVisible() override;
  // The root view slides down out of sight; `completion` runs when the slide ends. Without a
  // root screen nothing happens and `completion` never runs.
  void hideRootWindowView(std::function<void()> completion);

  double animationTime = 0.325;
};

}  // namespace zelto

#endif  // ZELTO_SDK_FLOW_WINDOW_H_
