// The desktop front end: time from a click pushed into SDL's queue to the frame that shows its
// outcome on screen, and the processor time an idle window takes (none is the aim: the display
// sleeps until input or a timer). Runs on whatever video driver SDL picks: without a display
// SDL_VIDEODRIVER=offscreen is set; under X (Xvfb) putting the frame on the screen is included.
// Each benchmark runs five times and prints the median.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <zelto/platform/run_loop.h>

#include <chrono>
#include <cstdlib>

#include "host/app_host.h"
#include "host/demo_merchant.h"
#include "host/ui_driver.h"
#include "platform/animation.h"
#include "platform/sdl/display.h"
#include "sdk/session.h"

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

// Handles the input waiting in SDL's queue, then turns until the animations it started end.
void settle(Display& display) {
  auto& loop = platform::RunLoop::main();
  const double deadline = loop.now() + 5;
  display.turn(0);
  while (loop.now() < deadline &&
         (loop.now() <= platform::animationsEndTime() || loop.pendingTaskCount() > 0)) {
    display.turn(0.02);
  }
  display.turn(0);
}

platform::Point centreOf(std::string_view identifier) {
  auto& window = *platform::Application::shared().keyWindow();
  const auto view = host::findView(window, identifier);
  if (!view) return {-1, -1};
  const auto rect = view->convertToWindow(view->bounds());
  return {rect.x + rect.width / 2, rect.y + rect.height / 2};
}

// Opens the display with the `zelto app` host screen, lets `prepare` click its way to a screen,
// then runs `measure`.
template <typename Prepare, typename Measure>
void onScreen(benchmark::State& state, Prepare prepare, Measure measure) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
  }
  auto opened = Display::open({});
  if (!opened.display) {
    state.SkipWithError(opened.error.c_str());
    return;
  }
  auto& display = *opened.display;
  {
    host::AppHost host({host::demoMerchant, host::demoMerchantTags, host::demoRefund}, nullptr);
    display.show(host.window());
    display.show(ZeltoSession::sharedSession().sdkWindow);
    settle(display);
    prepare(display);
    measure(display);
    state.counters["scale"] = display.scale();
  }
  settle(display);
}

// Each iteration: a click on `identifier` of the screen `prepare` opens, then turns until the
// next frame is on screen.
template <typename Prepare>
void clickToFrame(benchmark::State& state, std::string_view identifier, Prepare prepare) {
  onScreen(state, prepare, [&state, identifier](Display& display) {
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
  });
}

double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The window left alone for 5 s on the screen `prepare` opens: the processor time the process
// took (cpu_ms) and the frames drawn meanwhile (frames).
template <typename Prepare>
void idle(benchmark::State& state, Prepare prepare) {
  onScreen(state, prepare, [&state](Display& display) {
    constexpr double kIdleSeconds = 5;
    for (auto _ : state) {
      const auto frames = display.framesPresented();
      const double processorStart = processorSeconds();
      const auto start = std::chrono::steady_clock::now();
      double elapsed = 0;
      while (elapsed < kIdleSeconds) {
        display.turn(kIdleSeconds - elapsed);
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      }
      state.SetIterationTime(elapsed);
      state.counters["cpu_ms"] = (processorSeconds() - processorStart) * 1000;
      state.counters["frames"] = static_cast<double>(display.framesPresented() - frames);
    }
  });
}

// A click on the background of the code screen: the whole screen, code and logos, is drawn.
void BM_ClickToFrameOnTheCodeScreen(benchmark::State& state) {
  clickToFrame(state, "QR_Code_Image", [](Display& display) {
    pushClick(centreOf(host::kAppRequestButton));
    settle(display);
  });
}
BENCHMARK(BM_ClickToFrameOnTheCodeScreen)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A click on a switch of the payment details form: it flips and the form is drawn again.
void BM_ClickToFrameOnADetailsSwitch(benchmark::State& state) {
  clickToFrame(state, "Bill_Number_Switch", [](Display& display) {
    pushClick(centreOf(host::kAppRequestButton));
    settle(display);
    pushClick(centreOf("Payment_Details_Button"));
    settle(display);
  });
}
BENCHMARK(BM_ClickToFrameOnADetailsSwitch)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The host screen alone: nothing is due, the display waits for input.
void BM_IdleOnTheHostScreen(benchmark::State& state) {
  idle(state, [](Display&) {});
}
BENCHMARK(BM_IdleOnTheHostScreen)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// The code screen: the flow's idle timeout is running, due minutes later.
void BM_IdleOnTheCodeScreen(benchmark::State& state) {
  idle(state, [](Display& display) {
    pushClick(centreOf(host::kAppRequestButton));
    settle(display);
  });
}
BENCHMARK(BM_IdleOnTheCodeScreen)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace zelto
