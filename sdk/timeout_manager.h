// ZeltoTimeoutManager: the idle timer of a flow.
//
// While observing, every touch reaching the library's window (the SESSION_TOUCH_EVENT_OCCURRED
// notification) and every text change in a text field or text view restarts a one-shot timer
// of timeoutLength seconds on the main run loop; when it fires, the delegate (held weakly) is
// told once. The next activity arms a new full period. Observation is switched on and off by
// the session when the active flow changes.
//
// Example: with a length of 180 seconds, activity at second 100 moves the timeout to 280.
//
// Thread-safety: main thread only.
#ifndef ZELTO_SDK_TIMEOUT_MANAGER_H_
#define ZELTO_SDK_TIMEOUT_MANAGER_H_

#include <zelto/platform/run_loop.h>

#include <limits>
#include <memory>

namespace zelto {

class ZeltoTimeoutManager;

class ZeltoTimeoutManagerDelegate {
 public:
  virtual ~ZeltoTimeoutManagerDelegate() = default;
  virtual void timeoutOccurred(ZeltoTimeoutManager& manager) = 0;
};

class ZeltoTimeoutManager {
 public:
  ZeltoTimeoutManager() = default;
  // Ends observation.
  ~ZeltoTimeoutManager();
  ZeltoTimeoutManager(const ZeltoTimeoutManager&) = delete;
  ZeltoTimeoutManager& operator=(const ZeltoTimeoutManager&) = delete;

  // Observes the activity notifications (once, however often it is called) and restarts the
  // timer with timeoutLength.
  void startTimeoutObservation();
  // Stops observing and invalidates the timer; no timeout is reported afterwards.
  void endTimeoutObservation();
  // Activity: restarts the timer with the full timeoutLength.
  void touchEventRegistered();
  // The timer's action: tells the delegate, if it is still alive.
  void timerFired();

  // When the running timer will fire; absent when no timer is running.
  std::optional<double> timeoutTime() const;

  double timeoutLength = std::numeric_limits<double>::infinity();
  std::weak_ptr<ZeltoTimeoutManagerDelegate> delegate;

 private:
  void restartTimer();

  std::shared_ptr<platform::Timer> timer_;
};

}  // namespace zelto

#endif  // ZELTO_SDK_TIMEOUT_MANAGER_H_
