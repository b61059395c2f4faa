// The desktop front end: time from a click pushed into SDL's queue to the frame that shows its
// outcome on screen. Runs on whatever video driver SDL picks: SDL_VIDEODRIVER=offscreen without
// a display, or under X (Xvfb) to include putting the frame on the screen.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "platform/animation.h"
#include "platform/run_loop.h"
#include "platform/sdl/display.h"
#include "platform/ui_driver.h"
#include "sdk/zelto_session.h"
#include "tools/app_host.h"
#include "tools/demo_merchant.h"

namespace zelto {
namespace {

using platform::sdl::Display;

void pushClick(platform::Point at) {
  for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
    SDL_Event event{};
    event.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Sint32>(at.x);
    event.button.y = static_cast<Sint32>(at.y);
    SDL_PushEvent(&event);
  }
}

void settle(Display& display) {
  auto& loop = platform::RunLoop::main();
  const double deadline = loop.now() + 5;
  while (loop.now() < deadline &&
         (loop.now() <= platform::animationsEndTime() || loop.pendingTaskCount() > 0)) {
    display.turn(0.02);
  }
  display.turn(0);
}

platform::Point centreOf(std::string_view identifier) {
  auto& window = *platform::Application::shared().keyWindow();
  const auto view = platform::findView(window, identifier);
  if (!view) return {-1, -1};
  const auto rect = view->convertToWindow(view->bounds());
  return {rect.x + rect.width / 2, rect.y + rect.height / 2};
}

// Each iteration: a click on `identifier` of the screen `prepare` opens, then turns until the
// next frame is on screen. `prepare` gets the host and may click its way to a screen.
template <typename Prepare>
void clickToFrame(benchmark::State& state, std::string_view identifier, Prepare prepare) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  auto opened = Display::open({});
  if (!opened.display) {
    state.SkipWithError(opened.error.c_str());
    return;
  }
  auto& display = *opened.display;
  {
    tool::AppHost host({tool::demoMerchant, tool::demoMerchantTags, tool::demoRefund}, nullptr);
    display.show(host.window());
    display.show(ZeltoSession::sharedSession().sdkWindow);
    settle(display);
    prepare(display);
    const platform::Point at = centreOf(identifier);
    for (auto _ : state) {
      const auto frames = display.framesPresented();
      const auto start = std::chrono::steady_clock::now();
      pushClick(at);
      while (display.framesPresented() == frames) display.turn(0.1);
      state.SetIterationTime(
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      state.PauseTiming();
      settle(display);
      state.ResumeTiming();
    }
    state.counters["scale"] = display.scale();
  }
  settle(display);
}

// A click on the background of the code screen: the whole screen, code and logos, is drawn.
void BM_ClickToFrameOnTheCodeScreen(benchmark::State& state) {
  clickToFrame(state, "QR_Code_Image", [](Display& display) {
    pushClick(centreOf(tool::kAppRequestButton));
    settle(display);
  });
}
BENCHMARK(BM_ClickToFrameOnTheCodeScreen)->UseManualTime()->Unit(benchmark::kMillisecond);

// A click on a switch of the payment details form: it flips and the form is drawn again.
void BM_ClickToFrameOnADetailsSwitch(benchmark::State& state) {
  clickToFrame(state, "Bill_Number_Switch", [](Display& display) {
    pushClick(centreOf(tool::kAppRequestButton));
    settle(display);
    pushClick(centreOf("Payment_Details_Button"));
    settle(display);
  });
}
BENCHMARK(BM_ClickToFrameOnADetailsSwitch)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelto
