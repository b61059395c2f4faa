#include "sdk/timeout_manager.h"

#include "platform/notification_center.h"
#include "sdk/session_constants.h"

namespace zelto {

ZeltoTimeoutManager::~ZeltoTimeoutManager() { endTimeoutObservation(); }

void ZeltoTimeoutManager::startTimeoutObservation() {
  auto& center = platform::NotificationCenter::defaultCenter();
  center.removeObserver(this);
  for (const auto name : {StringConstants::SESSION_TOUCH_EVENT_OCCURRED,
                          platform::kTextFieldTextDidChangeNotification,
                          platform::kTextViewTextDidChangeNotification}) {
    center.addObserver(this, std::string(name),
                       [this](const platform::Notification&) { touchEventRegistered(); });
  }
  restartTimer();
}

void ZeltoTimeoutManager::endTimeoutObservation() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
  if (timer_) timer_->invalidate();
}

void ZeltoTimeoutManager::touchEventRegistered() { restartTimer(); }

void ZeltoTimeoutManager::timerFired() {
  if (auto target = delegate.lock()) target->timeoutOccurred(*this);
}

std::optional<double> ZeltoTimeoutManager::timeoutTime() const {
  if (!timer_ || !timer_->isValid()) return std::nullopt;
  return timer_->fireTime();
}

void ZeltoTimeoutManager::restartTimer() {
  if (timer_) timer_->invalidate();
  // The manager invalidates its timer before it goes away, so `this` is alive when it fires.
  timer_ = platform::RunLoop::main().scheduleTimer(timeoutLength, [this] { timerFired(); });
}

}  // namespace zelto
