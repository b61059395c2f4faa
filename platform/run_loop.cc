#include <zelto/platform/run_loop.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace zelto::platform {
namespace {

double steadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void ManualClock::waitUntil(double time) { now_ = std::max(now_, time); }

SystemClock::SystemClock(double start) : origin_(steadySeconds() - start) {}

double SystemClock::now() const { return steadySeconds() - origin_; }

void SystemClock::waitUntil(double time) {
  const double remaining = time - now();
  if (remaining > 0 && std::isfinite(remaining)) {
    std::this_thread::sleep_for(std::chrono::duration<double>(remaining));
  }
}

RunLoop::RunLoop(std::unique_ptr<Clock> clock) : clock_(std::move(clock)) {}

RunLoop& RunLoop::main() {
  // Never destroyed: objects that outlive main() may still cancel their timers.
  static auto* loop = new RunLoop(std::make_unique<ManualClock>());
  return *loop;
}

void RunLoop::async(std::function<void()> task) { tasks_.push_back(std::move(task)); }

std::shared_ptr<Timer> RunLoop::scheduleTimer(double interval, std::function<void()> action) {
  // Timers restarted on every event are invalidated far more often than the loop turns.
  std::erase_if(timers_, [](const auto& timer) { return !timer->isValid(); });
  const double fireTime = now() + (std::isnan(interval) ? 0 : std::max(interval, 0.0));
  auto timer = std::shared_ptr<Timer>(new Timer(fireTime, nextSequence_++, std::move(action)));
  timers_.push_back(timer);
  return timer;
}

std::shared_ptr<Timer> RunLoop::takeEarliestTimer(double notAfter) {
  std::erase_if(timers_, [](const auto& timer) { return !timer->isValid(); });
  const auto earliest =
      std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
        return a->fireTime_ != b->fireTime_ ? a->fireTime_ < b->fireTime_
                                            : a->sequence_ < b->sequence_;
      });
  if (earliest == timers_.end() || (*earliest)->fireTime_ > notAfter) return nullptr;
  auto timer = *earliest;
  timers_.erase(earliest);
  return timer;
}

void RunLoop::runPending() {
  while (true) {
    while (!tasks_.empty()) {
      auto task = std::move(tasks_.front());
      tasks_.pop_front();
      task();
    }
    auto timer = takeEarliestTimer(now());
    if (!timer) return;
    timer->valid_ = false;
    auto action = std::move(timer->action_);
    action();
  }
}

void RunLoop::runFor(double seconds) {
  const double target = now() + std::max(seconds, 0.0);
  runPending();
  while (auto timer = takeEarliestTimer(target)) {
    clock_->waitUntil(timer->fireTime_);
    timer->valid_ = false;
    auto action = std::move(timer->action_);
    action();
    runPending();
  }
  clock_->waitUntil(target);
  runPending();
}

std::optional<double> RunLoop::nextTimerTime() const {
  std::optional<double> earliest;
  for (const auto& timer : timers_) {
    if (timer->isValid() && (!earliest || timer->fireTime_ < *earliest)) {
      earliest = timer->fireTime_;
    }
  }
  return earliest;
}

}  // namespace zelto::platform
