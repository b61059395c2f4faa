// The front end's own behaviour on the host screen of `zelto app`: what a click reaches, what
// counts as activity, when frames are drawn.
#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/sdl/display_fixture.h"

namespace zelto::platform::sdl {
namespace {

TEST_F(DisplayTest, AClickReachesOnlyAnEnabledControlThatNothingCovers) {
  const auto refund = std::dynamic_pointer_cast<Button>(find(host::kAppRefundButton));
  ASSERT_NE(refund, nullptr);
  const Point refundAt = centreOf(host::kAppRefundButton);
  const Point requestAt = centreOf(host::kAppRequestButton);

  refund->enabled = false;
  clickAt(refundAt);
  EXPECT_FALSE(flowOnScreen()) << "a disabled button does nothing";
  refund->enabled = true;

  // Pressed and released elsewhere: no tap.
  mouse(SDL_MOUSEBUTTONDOWN, refundAt);
  mouse(SDL_MOUSEBUTTONUP, {refundAt.x, refundAt.y + 100});
  settle();
  EXPECT_FALSE(flowOnScreen());
  EXPECT_FALSE(refund->highlighted);

  clickAt(refundAt);
  ASSERT_TRUE(flowOnScreen());
  EXPECT_EQ(ZeltoSession::sharedSession().activeSessionType(), ZeltoActiveFlow::refundPayment);
  // The library's window covers the host screen: its buttons are out of reach.
  clickAt(requestAt);
  EXPECT_EQ(ZeltoSession::sharedSession().activeSessionType(), ZeltoActiveFlow::refundPayment);
}

TEST_F(DisplayTest, EveryKindOfInputRestartsTheIdleTimer) {
  click(host::kAppRefundButton);
  ASSERT_TRUE(flowOnScreen());
  int activity = 0;
  NotificationCenter::defaultCenter().addObserver(
      &activity, std::string(StringConstants::SESSION_TOUCH_EVENT_OCCURRED),
      [&activity](const Notification&) { ++activity; });
  auto& timeout = ZeltoSession::sharedSession().timeoutManager();
  const Point background{4, front().bounds().height - 4};
  const std::function<void()> inputs[] = {
      [&] { clickAt(background); },
      [&] { press(SDLK_LSHIFT); },
      [&] { press(SDLK_BACKSPACE); },
      [&] { type("7"); },
      [&] {
        SDL_Event wheel{};
        wheel.type = SDL_MOUSEWHEEL;
        wheel.wheel.y = -1;
        wheel.wheel.preciseY = -1;
        push(wheel);
        settle();
      },
  };
  for (std::size_t i = 0; i < std::size(inputs); ++i) {
    const auto before = timeout.timeoutTime();
    ASSERT_TRUE(before.has_value());
    const int counted = activity;
    // Long enough for the restarted timer to end later than the running one.
    const double until = RunLoop::main().now() + 0.05;
    while (RunLoop::main().now() < until) display_->turn(0.05);
    inputs[i]();
    EXPECT_GT(activity, counted) << "input " << i;
    EXPECT_GT(timeout.timeoutTime().value_or(0), *before) << "input " << i;
  }
  NotificationCenter::defaultCenter().removeObserver(&activity);
}

TEST_F(DisplayTest, DrawsWhileSomethingMovesAndNothingWhileIdle) {
  const auto idleFrames = display_->framesPresented();
  const double until = RunLoop::main().now() + 0.3;
  while (RunLoop::main().now() < until) display_->turn(0.1);
  EXPECT_EQ(display_->framesPresented(), idleFrames);

  mouse(SDL_MOUSEBUTTONDOWN, centreOf(host::kAppRequestButton));
  mouse(SDL_MOUSEBUTTONUP, centreOf(host::kAppRequestButton));
  settle();
  // The window's slide takes 0.325 s: more than one frame, far fewer than a busy loop's.
  const auto slideFrames = display_->framesPresented() - idleFrames;
  EXPECT_GT(slideFrames, 2u);
  EXPECT_LT(slideFrames, 200u);
}

}  // namespace
}  // namespace zelto::platform::sdl
