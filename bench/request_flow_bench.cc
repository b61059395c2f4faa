// The request-payment screens: from the launch to the QR screen drawn once into a 750 by 1334
// image (375 by 667 points at 2x), and one keystroke in the amount cell of the details screen
// with its re-format (no drawing).
#include <benchmark/benchmark.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include "base/language.h"
#include "host/ui_driver.h"
#include "platform/renderer.h"
#include "platform/window.h"
#include "screens/details_screen.h"
#include "sdk/session.h"

namespace zelto {
namespace {

constexpr platform::Rect kScreen{0, 0, 375, 667};

std::shared_ptr<ZeltoPaymentRequest> demoRequest() {
  return std::make_shared<ZeltoPaymentRequest>("01", "11", "4111111111111111", "Zelto Demo Store",
                                               "5411", "Mumbai", "IN", "356", "", "", "", "400001",
                                               "", "", "", "");
}

void useSmallScreen() {
  platform::setMainScreenSize(kScreen.size());
  ZeltoSession::sharedSession().sdkWindow->setFrame(kScreen);
}

// In each language of the string tables (and the long pseudo-language): the texts, their fonts
// and their shaping are part of the cost.
void LaunchToQrScreenDrawn(benchmark::State& state, const char* language) {
  if (!platform::setLanguage(language)) state.SkipWithError("no such language");
  useSmallScreen();
  const auto request = demoRequest();
  auto& loop = platform::RunLoop::main();
  auto& window = *ZeltoSession::sharedSession().sdkWindow;
  for (auto _ : state) {
    ZeltoMerchantSDK::launchRequestPaymentFlow(request, RequestPaymentCompletionHandler());
    loop.runFor(0.4);  // the slide in, on the manual clock
    const auto image = platform::renderWindow(window);
    benchmark::DoNotOptimize(image.bytes().data());
    // 375 by 667 points at 2x: a 750 by 1334 PNG.
    if (image.size() != kScreen.size()) state.SkipWithError("the window is not 375 by 667");
    state.PauseTiming();
    ZeltoMerchantSDK::endZeltoFlow();
    loop.runFor(2);
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, en, "en")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, ar, "ar")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, hi, "hi")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, id, "id")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, th, "th")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, vi, "vi")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, pt_BR, "pt-BR")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, es, "es")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, fr, "fr")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, zh_Hans, "zh-Hans")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, en_XA, "en-XA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaunchToQrScreenDrawn, ar_XB, "ar-XB")->Unit(benchmark::kMillisecond);

void AmountKeystroke(benchmark::State& state) {
  platform::setLanguage("en");
  useSmallScreen();
  auto& loop = platform::RunLoop::main();
  auto& window = *ZeltoSession::sharedSession().sdkWindow;
  ZeltoMerchantSDK::launchRequestPaymentFlow(demoRequest(), RequestPaymentCompletionHandler());
  loop.runFor(1);
  host::tap(window, "Payment_Details_Button");
  loop.runFor(1);
  const auto field =
      std::dynamic_pointer_cast<platform::TextField>(host::findView(window, "Amount_Field"));
  if (!field) {
    state.SkipWithError("no amount field");
    return;
  }
  field->insertText("1234");
  // Typing and deleting one digit in turn: every iteration is one key with its re-format.
  bool typing = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(typing ? field->insertText("5") : field->deleteBackward());
    typing = !typing;
  }
  ZeltoMerchantSDK::endZeltoFlow();
  loop.runFor(2);
}
BENCHMARK(AmountKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelto
