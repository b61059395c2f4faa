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

class BlinkingCaretTest : public DisplayTest {
 protected:
  double caretBlinkInterval() const override { return 0.2; }
};

TEST_F(BlinkingCaretTest, TheCaretOfTheFieldWithTheKeyboardBlinksAndAKeyShowsIt) {
  click(host::kAppRefundButton);
  // Events and turns rather than click() and type(): those wait for the screens to come to
  // rest, which a blinking caret never lets them do.
  const auto turnFor = [this](double seconds) {
    const double until = RunLoop::main().now() + seconds;
    while (RunLoop::main().now() < until) display_->turn(0.05);
  };
  mouse(SDL_MOUSEBUTTONDOWN, centreOf("Amount_Field"));
  mouse(SDL_MOUSEBUTTONUP, centreOf("Amount_Field"));
  turnFor(0.1);
  const auto field = std::dynamic_pointer_cast<TextField>(find("Amount_Field"));
  ASSERT_TRUE(field && field->isFirstResponder());
  // Turned on and off by the run loop's timer, each turn drawn.
  std::string seen;
  const auto frames = display_->framesPresented();
  const double until = RunLoop::main().now() + 0.9;
  while (RunLoop::main().now() < until) {
    display_->turn(0.05);
    const char shown = field->caretShown ? '|' : ' ';
    if (seen.empty() || seen.back() != shown) seen += shown;
  }
  EXPECT_GE(seen.size(), 4u) << "[" << seen << "]";
  EXPECT_GE(display_->framesPresented() - frames, 3u);
  SDL_Event key{};
  key.type = SDL_TEXTINPUT;
  key.text.text[0] = '5';
  for (int attempt = 0; attempt < 20 && field->caretShown; ++attempt) display_->turn(0.05);
  push(key);
  display_->turn(0);
  EXPECT_TRUE(field->caretShown);
  // Another field, or none, leaves this one's caret on and its timer stopped.
  press(SDLK_RETURN);
  display_->turn(0.3);
  EXPECT_TRUE(field->caretShown);
  EXPECT_FALSE(RunLoop::main().nextTimerTime() &&
               *RunLoop::main().nextTimerTime() < RunLoop::main().now() + 0.2);
}

}  // namespace
}  // namespace zelto::platform::sdl
