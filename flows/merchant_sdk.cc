#include "base/language.h"
#include "flows/sdk_manager.h"
#include "platform/window.h"
#include "screens/qr_screen.h"
#include "screens/refund_screen.h"
#include "sdk/flow_navigation_controller.h"
#include "sdk/session.h"
#include "sdk/session_constants.h"

namespace zelto {
namespace {

template <typename Request>
std::shared_ptr<ZeltoError> check(const std::shared_ptr<Request>& request,
                                  std::string_view missing) {
  if (!request) return std::make_shared<ZeltoError>(std::string(missing));
  return request->validate();
}

// Checks a launch. An invalid one is reported at once to the callback given with it (the
// handler when there is one, else the delegate through `notifyDelegate`) and false returned; a
// valid one has its callbacks and request stored in the flow's record.
template <typename Record, typename Request, typename Delegate, typename Handler,
          typename NotifyDelegate>
bool acceptLaunch(Record& record, std::shared_ptr<Request> request,
                  std::shared_ptr<Delegate> delegate, std::optional<Handler> completionHandler,
                  std::string_view missing, NotifyDelegate notifyDelegate) {
  if (auto error = check(request, missing)) {
    if (completionHandler) {
      if (*completionHandler) (*completionHandler)(false, nullptr, std::move(error));
    } else if (delegate) {
      notifyDelegate(*delegate, std::move(error));
    }
    return false;
  }
  if (completionHandler) record.flowDidFinishCompletionHandler = std::move(*completionHandler);
  record.delegate = std::move(delegate);
  record.request = std::move(request);
  return true;
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

bool ZeltoMerchantSDK::setLanguage(std::string_view language) {
  return platform::setLanguage(language);
}

void ZeltoMerchantSDK::useDeviceLanguage() { platform::useDeviceLanguage(); }

std::string ZeltoMerchantSDK::language() { return platform::currentLanguage(); }

void ZELTOMerchantSDKManager::launchRequestPaymentFlow(
    std::shared_ptr<ZeltoPaymentRequest> request,
    std::shared_ptr<ZeltoRequestPaymentDelegate> delegate,
    std::optional<RequestPaymentCompletionHandler> completionHandler) {
  auto& session = ZeltoSession::sharedSession();
  if (!acceptLaunch(*session.requestPaymentSession, std::move(request), std::move(delegate),
                    std::move(completionHandler), StringConstants::PAYMENT_REQUEST_MISSING,
                    [](ZeltoRequestPaymentDelegate& target, std::shared_ptr<ZeltoError> error) {
                      target.requestPaymentFlowDidFinish(false, nullptr, std::move(error));
                    })) {
    return;
  }
  session.setActiveSessionType(ZeltoActiveFlow::requestPayment);
  showRootScreen(std::make_shared<ZELTORequestPaymentViewController>());
}

void ZELTOMerchantSDKManager::launchRefundPaymentFlow(
    std::shared_ptr<ZeltoRefundPaymentRequest> request,
    std::shared_ptr<ZeltoRefundPaymentDelegate> delegate,
    std::optional<RefundPaymentCompletionHandler> completionHandler) {
  auto& session = ZeltoSession::sharedSession();
  if (!acceptLaunch(*session.refundPaymentSession, std::move(request), std::move(delegate),
                    std::move(completionHandler), StringConstants::REFUND_REQUEST_MISSING,
                    [](ZeltoRefundPaymentDelegate& target, std::shared_ptr<ZeltoError> error) {
                      target.refundPaymentFlowDidFinish(false, nullptr, std::move(error));
                    })) {
    return;
  }
  session.setActiveSessionType(ZeltoActiveFlow::refundPayment);
  showRootScreen(std::make_shared<ZELTORefundPaymentViewController>());
}

void ZELTOMerchantSDKManager::showRootScreen(std::shared_ptr<platform::ViewController> screen) {
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
