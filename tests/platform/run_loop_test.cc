#include <gtest/gtest.h>
#include <zelto/platform/run_loop.h>

#include <limits>
#include <string>

#include "platform/notification_center.h"

namespace zelto::platform {
namespace {

RunLoop manualLoop() { return RunLoop(std::make_unique<ManualClock>()); }

TEST(RunLoopTest, TimersFireInTimeOrderAndTiesInScheduleOrder) {
  auto loop = manualLoop();
  std::string log;
  loop.scheduleTimer(2, [&] { log += "c@" + std::to_string(int(loop.now())) + " "; });
  loop.scheduleTimer(1, [&] { log += "a "; });
  loop.scheduleTimer(1, [&] {
    log += "b ";
    loop.async([&] { log += "b-task "; });
  });
  loop.runFor(0.5);
  EXPECT_EQ(log, "");
  loop.runFor(10);
  EXPECT_EQ(log, "a b b-task c@2 ");
  EXPECT_DOUBLE_EQ(loop.now(), 10.5);
}

TEST(RunLoopTest, TimersFireOnceAndInvalidatedOrInfiniteOnesNever) {
  auto loop = manualLoop();
  int fired = 0;
  auto timer = loop.scheduleTimer(3, [&] { ++fired; });
  auto cancelled = loop.scheduleTimer(1, [&] { fired += 100; });
  auto never = loop.scheduleTimer(std::numeric_limits<double>::infinity(), [&] { fired += 100; });
  cancelled->invalidate();
  EXPECT_EQ(loop.nextTimerTime(), 3);
  loop.runFor(3);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(timer->isValid());
  EXPECT_EQ(loop.nextTimerTime(), std::numeric_limits<double>::infinity());
  loop.runFor(1e9);
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(never->isValid());
}

TEST(RunLoopTest, RunPendingRunsQueuedTasksWithoutLettingTimePass) {
  auto loop = manualLoop();
  std::string log;
  loop.async([&] {
    log += "1";
    loop.async([&] { log += "3"; });
  });
  loop.async([&] { log += "2"; });
  loop.scheduleTimer(0, [&] { log += "t"; });
  loop.scheduleTimer(1, [&] { log += "late"; });
  loop.runPending();
  EXPECT_EQ(log, "123t");
  EXPECT_EQ(loop.now(), 0);
}

TEST(NotificationCenterTest, PostsSynchronouslyToObserversOfThatNameInOrder) {
  NotificationCenter center;
  std::string log;
  int a = 0, b = 0;
  center.addObserver(&a, "ping", [&](const Notification& n) {
    log += "a:" + n.name + (n.object == &log ? "(log) " : " ");
  });
  center.addObserver(&b, "pong", [&](const Notification&) { log += "b:pong "; });
  center.addObserver(&b, "ping", [&](const Notification&) { log += "b:ping "; });
  center.post("ping", &log);
  EXPECT_EQ(log, "a:ping(log) b:ping ");

  log.clear();
  center.removeObserver(&b, "ping");
  center.post("ping");
  center.post("pong");
  EXPECT_EQ(log, "a:ping b:pong ");
}

TEST(NotificationCenterTest, ObserverRemovedDuringPostIsNotCalled) {
  NotificationCenter center;
  int first = 0, second = 0, calls = 0;
  center.addObserver(&first, "n", [&](const Notification&) {
    ++calls;
    center.removeObserver(&second);
  });
  center.addObserver(&second, "n", [&](const Notification&) { calls += 100; });
  center.post("n");
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace zelto::platform
