// The per-event cost of the idle timer, and a whole flow from launch to the end of its slide.
#include <benchmark/benchmark.h>
#include <zelto/platform/run_loop.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include "platform/window.h"
#include "sdk/session.h"

namespace zelto {
namespace {

std::shared_ptr<ZeltoRefundPaymentRequest> refundRequest() {
  return std::make_shared<ZeltoRefundPaymentRequest>("4242", "Asha Rao", "840", "25.50");
}

// One event on the library's window during the refund flow: one notification, one timer
// restarted.
void BM_WindowEventDuringRefundFlow(benchmark::State& state) {
  auto host = std::make_shared<platform::Window>();
  host->makeKeyAndVisible();
  ZeltoMerchantSDK::launchRefundPaymentFlow(refundRequest(), RefundPaymentCompletionHandler());
  auto& window = *ZeltoSession::sharedSession().sdkWindow;
  const platform::Event event{};
  for (auto _ : state) {
    window.sendEvent(event);
  }
  ZeltoMerchantSDK::endZeltoFlow();
  platform::RunLoop::main().runFor(1);
}
BENCHMARK(BM_WindowEventDuringRefundFlow);

// Launch, show, end, and let every slide finish (on the manual clock).
void BM_RefundFlowLaunchToEnd(benchmark::State& state) {
  auto host = std::make_shared<platform::Window>();
  host->makeKeyAndVisible();
  const auto request = refundRequest();
  for (auto _ : state) {
    ZeltoMerchantSDK::launchRefundPaymentFlow(request, RefundPaymentCompletionHandler());
    ZeltoMerchantSDK::endZeltoFlow();
    platform::RunLoop::main().runFor(1);
  }
}
BENCHMARK(BM_RefundFlowLaunchToEnd);

}  // namespace
}  // namespace zelto
