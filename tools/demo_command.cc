// zelto demo: the main job. Launches the request-payment flow with the built-in demo merchant
// through the public interface, on the headless platform with a real clock, prints what the
// merchant sees, then ends the flow.
#include <iostream>

#include "platform/navigation_controller.h"
#include "platform/run_loop.h"
#include "platform/window.h"
#include "screens/zelto_request_payment_view_controller.h"
#include "sdk/zelto_merchant_sdk.h"
#include "sdk/zelto_session.h"
#include "tools/command.h"
#include "tools/demo_merchant.h"

namespace zelto::tool {
namespace {

// Longer than the window's slide (0.325 s).
constexpr double kSlideWait = 0.4;

const char* yesNo(bool value) { return value ? "yes" : "no"; }

int runDemo() {
  auto& loop = platform::RunLoop::main();
  loop.setClock(std::make_unique<platform::SystemClock>());
  const auto hostWindow = std::make_shared<platform::Window>();
  hostWindow->makeKeyAndVisible();

  const auto request = demoMerchant();
  std::cout << "Demo merchant: " << request->merchantName << ", " << request->cityName << " ("
            << request->countryCode << ")\n";
  bool failed = false;
  ZeltoMerchantSDK::launchRequestPaymentFlow(
      request,
      [&](bool, std::shared_ptr<ZeltoRequestPaymentResponse>, std::shared_ptr<ZeltoError> error) {
        failed = true;
        std::cerr << "zelto: the demo request was refused: " << (error ? error->description() : "")
                  << '\n';
      });
  if (failed) return kUsageError;
  loop.runFor(kSlideWait);

  const auto& session = ZeltoSession::sharedSession();
  const auto& window = session.sdkWindow;
  std::cout << "Window shown: " << yesNo(!window->hidden && window->isKeyWindow()) << '\n';
  const auto nav =
      std::dynamic_pointer_cast<platform::NavigationController>(window->rootViewController());
  const auto screen = std::dynamic_pointer_cast<ZELTORequestPaymentViewController>(
      nav ? nav->topViewController() : nullptr);
  if (!screen || !screen->qrCodeTlv()) return fail("the request-payment screen is not showing");
  std::cout << "Root screen: ZELTORequestPaymentViewController \"" << screen->navigationItem().title
            << "\"\n";
  std::cout << "QR payload: " << *screen->qrCodeTlv() << '\n';

  bool ended = false;
  ZeltoMerchantSDK::endZeltoFlow([&] { ended = true; });
  loop.runFor(kSlideWait);
  std::cout << "Flow ended: " << yesNo(ended) << ", window hidden: " << yesNo(window->hidden)
            << ", host window key: " << yesNo(hostWindow->isKeyWindow()) << '\n';
  return ended ? 0 : fail("the flow did not end");
}

const CommandRegistrar registrar(
    "demo", "Show the request-payment flow with the built-in demo merchant, then end it",
    [](CLI::App&) -> std::function<int()> { return runDemo; });

}  // namespace
}  // namespace zelto::tool
