// One refund as the merchant makes it, from the host's launch to the report the host receives:
// launch, the screen built, an amount typed digit by digit, the pay button, "Continue", the
// report, then the end of the flow. Time runs on the manual clock, so slides cost nothing but
// their bookkeeping; what is measured is the library's own work. Also: one keystroke in the
// refund amount (re-format, validity, pay button and summary).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include "host/ui_driver.h"
#include "platform/window.h"
#include "sdk/session.h"

namespace zelto {
namespace {

constexpr double kSettle = 1.0;

std::shared_ptr<ZeltoRefundPaymentRequest> refundRequest() {
  return std::make_shared<ZeltoRefundPaymentRequest>("4242", "Asha Rao", "840", "25.50");
}

void BM_RefundFlowLaunchToReport(benchmark::State& state) {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  auto host = std::make_shared<platform::Window>();
  host->makeKeyAndVisible();
  auto& loop = platform::RunLoop::main();
  auto& window = *ZeltoSession::sharedSession().sdkWindow;
  int reports = 0;
  for (auto _ : state) {
    ZeltoMerchantSDK::launchRefundPaymentFlow(refundRequest(),
                                              [&reports](bool, auto, auto) { ++reports; });
    loop.runFor(kSettle);
    host::deleteBackward(window, "Amount_Field", 4);
    host::typeText(window, "Amount_Field", "1234");
    host::tap(window, "PAY_BUTTON");
    loop.runFor(kSettle);
    host::selectAlertAction(window, "Continue");
    loop.runFor(kSettle);
    ZeltoMerchantSDK::endZeltoFlow();
    loop.runFor(kSettle);
  }
  if (reports != static_cast<int>(state.iterations()))
    state.SkipWithError("a refund went unreported");
}
BENCHMARK(BM_RefundFlowLaunchToReport)->Unit(benchmark::kMicrosecond);

void BM_RefundAmountKeystroke(benchmark::State& state) {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  auto host = std::make_shared<platform::Window>();
  host->makeKeyAndVisible();
  ZeltoMerchantSDK::launchRefundPaymentFlow(refundRequest(), RefundPaymentCompletionHandler());
  platform::RunLoop::main().runFor(kSettle);
  auto& window = *ZeltoSession::sharedSession().sdkWindow;
  for (auto _ : state) {
    host::typeText(window, "Amount_Field", "5");
    host::deleteBackward(window, "Amount_Field", 1);
  }
  state.SetItemsProcessed(state.iterations() * 2);
  ZeltoMerchantSDK::endZeltoFlow();
  platform::RunLoop::main().runFor(kSettle);
}
BENCHMARK(BM_RefundAmountKeystroke);

}  // namespace
}  // namespace zelto
