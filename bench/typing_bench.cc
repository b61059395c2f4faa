// Typing n characters into a field takes time linear in n: the text is split into keys in one
// pass, and a field past its limit refuses each key after a look at its own short text. Two
// roads: the scripted host's typeText (`type Amount_Field ...` in `zelto host`) and the
// display hook behind zelto_display_type_text, which types into the focused field. Run with 32
// KB, 128 KB and 1 MB of digits; the per-key time ("per_key", in seconds) stays near flat.
// Medians of 5 (CPU time, on a 2-core machine under load): scripted 1.80 ms, 7.93 ms, 72.4 ms
// (55, 60, 69 ns a key); display hook 0.63 ms, 2.70 ms, 37.8 ms (19, 21, 36 ns a key: the 1 MB
// run holds a million keys of text out of cache). Before, each key searched the rest of the
// text: 128 KB took 16 times as long as 32 KB, and 1 MB about 230 s.
#include <benchmark/benchmark.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <string>

#include "host/ui_driver.h"
#include "platform/window.h"
#include "platform/window_input.h"
#include "sdk/session.h"

namespace zelto {
namespace {

// The payment details screen of a fresh request-payment flow, its amount field focused.
platform::Window& detailsScreen() {
  auto request = std::make_shared<ZeltoPaymentRequest>("01", "11", "4111111111111111",
                                                       "Zelto Demo Store", "5411", "Mumbai", "IN",
                                                       "356", "", "", "", "400001", "", "", "", "");
  auto& loop = platform::RunLoop::main();
  auto& window = *ZeltoSession::sharedSession().sdkWindow;
  ZeltoMerchantSDK::launchRequestPaymentFlow(request, RequestPaymentCompletionHandler());
  loop.runFor(1);
  host::tap(window, "Payment_Details_Button");
  loop.runFor(1);
  host::tap(window, "Amount_Field");
  return window;
}

void endFlow() {
  ZeltoMerchantSDK::endZeltoFlow();
  platform::RunLoop::main().runFor(2);
}

// Seconds per key, shown with an SI prefix ("95n" is 95 ns).
void perKey(benchmark::State& state) {
  state.counters["per_key"] =
      benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void ScriptedTypeIntoAmountField(benchmark::State& state) {
  platform::Window& window = detailsScreen();
  const std::string digits(static_cast<std::size_t>(state.range(0)), '7');
  for (auto _ : state) {
    const host::KeysResult typed = host::typeText(window, "Amount_Field", digits);
    benchmark::DoNotOptimize(typed.refusedKeys.data());
    if (typed.status != host::DriveResult::kDone) state.SkipWithError("no amount field");
  }
  perKey(state);
  endFlow();
}
BENCHMARK(ScriptedTypeIntoAmountField)
    ->Arg(32 << 10)
    ->Arg(128 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

void DisplayHookTypeIntoFocusedField(benchmark::State& state) {
  platform::Window& window = detailsScreen();
  const std::string digits(static_cast<std::size_t>(state.range(0)), '7');
  for (auto _ : state) {
    if (!platform::typeText(window, digits)) state.SkipWithError("no focused field");
  }
  perKey(state);
  endFlow();
}
BENCHMARK(DisplayHookTypeIntoFocusedField)
    ->Arg(32 << 10)
    ->Arg(128 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelto
