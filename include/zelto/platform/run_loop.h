// The main run loop: a main queue of asynchronous tasks, one-shot timers, and the clock they
// are measured by.
//
// Nothing here sleeps on its own: time passes only when the owner lets it pass with runFor().
// With the default ManualClock (tests), runFor() moves the clock straight to each timer's time,
// so a 180-second idle period passes instantly and deterministically. Tools that want real time
// install a SystemClock; runFor() then waits for each timer.
//
// Order guarantees: queued tasks run first-in first-out; timers fire in order of their time,
// those with the same time in the order they were scheduled; after each timer, the tasks it
// queued run before the next timer fires.
//
// Thread-safety: none. Everything runs on the main thread, as on the phone.
#ifndef ZELTO_PLATFORM_RUN_LOOP_H_
#define ZELTO_PLATFORM_RUN_LOOP_H_

#include <zelto/export.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zelto::platform {

// Seconds since an arbitrary start.
class ZELTO_EXPORT Clock {
 public:
  virtual ~Clock() = default;
  virtual double now() const = 0;
  // Returns once now() has reached `time` (at once when it already has).
  virtual void waitUntil(double time) = 0;
};

// Starts at 0 and moves only when waited on.
class ZELTO_EXPORT ManualClock final : public Clock {
 public:
  double now() const override { return now_; }
  void waitUntil(double time) override;

 private:
  double now_ = 0;
};

// The machine's steady clock; waiting sleeps. It reads `start` when made, so a run loop that
// moves to it from another clock keeps its time running on.
class ZELTO_EXPORT SystemClock final : public Clock {
 public:
  explicit SystemClock(double start = 0);
  double now() const override;
  void waitUntil(double time) override;

 private:
  double origin_;
};

// A one-shot timer scheduled on a run loop. The run loop holds it until it fires or is
// invalidated; after either it is no longer valid and never fires.
class ZELTO_EXPORT Timer {
 public:
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void invalidate() { valid_ = false; }
  bool isValid() const { return valid_; }
  double fireTime() const { return fireTime_; }

 private:
  friend class RunLoop;
  Timer(double fireTime, std::uint64_t sequence, std::function<void()> action)
      : fireTime_(fireTime), sequence_(sequence), action_(std::move(action)) {}

  double fireTime_;
  std::uint64_t sequence_;
  std::function<void()> action_;
  bool valid_ = true;
};

class ZELTO_EXPORT RunLoop {
 public:
  explicit RunLoop(std::unique_ptr<Clock> clock);
  RunLoop(const RunLoop&) = delete;
  RunLoop& operator=(const RunLoop&) = delete;

  // The main run loop, created on first use with a ManualClock.
  static RunLoop& main();

  double now() const { return clock_->now(); }
  // Replaces the clock; timers keep their fire times, read on the new clock.
  void setClock(std::unique_ptr<Clock> clock) { clock_ = std::move(clock); }

  // Queues `task` on the main queue; it runs at the next runPending() or runFor().
  void async(std::function<void()> task);

  // A one-shot timer firing `action` `interval` seconds from now (an infinite interval never
  // fires; a negative one fires at the next turn).
  std::shared_ptr<Timer> scheduleTimer(double interval, std::function<void()> action);

  // Runs queued tasks and due timers until none is left, without letting time pass.
  void runPending();
  // Lets `seconds` pass, firing each timer at its time and running what it queued.
  void runFor(double seconds);

  // The time of the earliest valid timer; absent when none is scheduled.
  std::optional<double> nextTimerTime() const;
  std::size_t pendingTaskCount() const { return tasks_.size(); }

 private:
  std::shared_ptr<Timer> takeEarliestTimer(double notAfter);

  std::unique_ptr<Clock> clock_;
  std::deque<std::function<void()>> tasks_;
  std::vector<std::shared_ptr<Timer>> timers_;
  std::uint64_t nextSequence_ = 0;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_RUN_LOOP_H_
