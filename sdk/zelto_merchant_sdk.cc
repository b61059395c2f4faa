#include "sdk/zelto_merchant_sdk.h"

#include "platform/window.h"
#include "screens/zelto_refund_payment_view_controller.h"
#include "screens/zelto_request_payment_view_controller.h"
#include "sdk/session_constants.h"
#include "sdk/zelto_navigation_controller.h"
#include "sdk/zelto_session.h"

namespace zelto {
namespace {

template <typename Request>
std::shared_ptr<ZeltoError> check(const std::shared_ptr<Request>& request,
                                  std::string_view missing) {
  if (!request) return std::make_shared<ZeltoError>(std::string(missing));
  return request->validate();
}

}  // namespace

void ZeltoMerchantSDK::launchRequestPaymentFlow(std::shared_ptr<ZeltoPaymentRequest> request,
                                                RequestPaymentCompletionHandler completionHandler) {
  ZELTOMerchantSDKManager::launchRequestPaymentFlow(std::move(request), nullptr,
                                                    std::move(completionHandler));
}

void ZeltoMerchantSDK::launchRequestPaymentFlow(
    std::shared_ptr<ZeltoPaymentRequest> request,
    std::shared_ptr<ZeltoRequestPaymentDelegate> delegate) {
  ZELTOMerchantSDKManager::launchRequestPaymentFlow(std::move(request), std::move(delegate));
}

void ZeltoMerchantSDK::launchRefundPaymentFlow(std::shared_ptr<ZeltoRefundPaymentRequest> request,
                                               RefundPaymentCompletionHandler completionHandler) {
  ZELTOMerchantSDKManager::launchRefundPaymentFlow(std::move(request), nullptr,
                                                   std::move(completionHandler));
}

void ZeltoMerchantSDK::launchRefundPaymnetFlow(
    std::shared_ptr<ZeltoRefundPaymentRequest> request,
    std::shared_ptr<ZeltoRefundPaymentDelegate> delegate) {
  ZELTOMerchantSDKManager::launchRefundPaymentFlow(std::move(request), std::move(delegate));
}

void ZeltoMerchantSDK::setupOneTimeConfiguration(const ZeltoConfig& config) {
  ZeltoSession::sharedSession().setConfiguration(config);
}

void ZeltoMerchantSDK::endZeltoFlow(std::function<void()> completion) {
  ZeltoSession::sharedSession().dismissSDKWindow(std::move(completion));
}

void ZELTOMerchantSDKManager::launchRequestPaymentFlow(
    std::shared_ptr<ZeltoPaymentRequest> request,
    std::shared_ptr<ZeltoRequestPaymentDelegate> delegate,
    std::optional<RequestPaymentCompletionHandler> completionHandler) {
  if (auto error = check(request, StringConstants::PAYMENT_REQUEST_MISSING)) {
    if (completionHandler) {
      if (*completionHandler) (*completionHandler)(false, nullptr, std::move(error));
    } else if (delegate) {
      delegate->requestPaymentFlowDidFinish(false, nullptr, std::move(error));
    }
    return;
  }
  auto& session = ZeltoSession::sharedSession();
  auto& record = *session.requestPaymentSession;
  if (completionHandler) record.flowDidFinishCompletionHandler = std::move(*completionHandler);
  record.delegate = std::move(delegate);
  record.request = std::move(request);
  session.setActiveSessionType(ZeltoActiveFlow::requestPayment);
  auto screen = std::make_shared<ZELTORequestPaymentViewController>();
  screen->view()->backgroundColor = platform::Color::white();
  makeWindowVisible(ZeltoMerchantNavigationController::create(std::move(screen)));
}

void ZELTOMerchantSDKManager::launchRefundPaymentFlow(
    std::shared_ptr<ZeltoRefundPaymentRequest> request,
    std::shared_ptr<ZeltoRefundPaymentDelegate> delegate,
    std::optional<RefundPaymentCompletionHandler> completionHandler) {
  if (auto error = check(request, StringConstants::REFUND_REQUEST_MISSING)) {
    if (completionHandler) {
      if (*completionHandler) (*completionHandler)(false, nullptr, std::move(error));
    } else if (delegate) {
      delegate->refundPaymentFlowDidFinish(false, nullptr, std::move(error));
    }
    return;
  }
  auto& session = ZeltoSession::sharedSession();
  auto& record = *session.refundPaymentSession;
  if (completionHandler) record.flowDidFinishCompletionHandler = std::move(*completionHandler);
  record.delegate = std::move(delegate);
  record.request = std::move(request);
  session.setActiveSessionType(ZeltoActiveFlow::refundPayment);
  auto screen = std::make_shared<ZELTORefundPaymentViewController>();
  screen->view()->backgroundColor = platform::Color::white();
  makeWindowVisible(ZeltoMerchantNavigationController::create(std::move(screen)));
}

void ZELTOMerchantSDKManager::makeWindowVisible(std::shared_ptr<platform::ViewController> root) {
  auto& session = ZeltoSession::sharedSession();
  // A second launch while the library's window is key keeps the host window of the first.
  if (auto key = platform::Application::shared().keyWindow(); key != session.sdkWindow) {
    session.hostAppWindow = key;
  }
  session.sdkWindow->setRootViewController(std::move(root));
  session.sdkWindow->makeKeyAndVisible();
}

}  // namespace zelto
