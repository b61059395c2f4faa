// ZELTOMerchantSDKManager: the flows behind ZeltoMerchantSDK. It checks a launch, stores the
// flow's request and callbacks in the session, and shows the flow's first screen in the
// library's window. Main thread only, like the session.
#ifndef ZELTO_FLOWS_SDK_MANAGER_H_
#define ZELTO_FLOWS_SDK_MANAGER_H_

#include <zelto/sdk/zelto_merchant_sdk.h>

#include <memory>
#include <optional>

#include "platform/view_controller.h"

namespace zelto {

// The flow manager behind ZeltoMerchantSDK. `completionHandler` is present for the
// completion-handler forms (it is then stored and the delegate cleared) and absent for the
// delegate forms.
class ZELTOMerchantSDKManager {
 public:
  ZELTOMerchantSDKManager() = delete;

  static void launchRequestPaymentFlow(
      std::shared_ptr<ZeltoPaymentRequest> request,
      std::shared_ptr<ZeltoRequestPaymentDelegate> delegate,
      std::optional<RequestPaymentCompletionHandler> completionHandler = std::nullopt);
  static void launchRefundPaymentFlow(
      std::shared_ptr<ZeltoRefundPaymentRequest> request,
      std::shared_ptr<ZeltoRefundPaymentDelegate> delegate,
      std::optional<RefundPaymentCompletionHandler> completionHandler = std::nullopt);

 private:
  // The flow's first screen, on a white background, as the root of a navigation
  // controller in the library's window.
  static void showRootScreen(std::shared_ptr<platform::ViewController> screen);
  static void makeWindowVisible(std::shared_ptr<platform::ViewController> root);
};

}  // namespace zelto

#endif  // ZELTO_FLOWS_SDK_MANAGER_H_
