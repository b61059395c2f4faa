#include "sdk/session.h"

#include <zelto/platform/run_loop.h>
#include <zelto/results/base_constants.h>

#include <limits>

#include "base/debug_console.h"
#include "base/resource_bundle.h"
#include "platform/alert_controller.h"
#include "platform/notification_center.h"
#include "sdk/session_constants.h"

namespace zelto {
namespace {

// Dismisses `screen`, animated, then the screen that presented it, and so on down to `root`;
// then runs `hide`. A screen that is gone before the root is reached ends the walk.
void dismissDownTo(std::shared_ptr<platform::ViewController> screen,
                   std::weak_ptr<platform::ViewController> root, std::function<void()> hide) {
  if (!screen) return;
  if (screen == root.lock()) {
    hide();
    return;
  }
  std::weak_ptr<platform::ViewController> presenter = screen->presentingViewController();
  screen->dismiss(true, [presenter, root, hide = std::move(hide)] {
    dismissDownTo(presenter.lock(), root, hide);
  });
}

}  // namespace

ZeltoSessionBase::ZeltoSessionBase()
    : sdkWindow(std::make_shared<ZeltoWindow>()),
      internalConfiguration_(std::make_shared<ZeltoConfig>()) {}

void ZeltoSessionBase::setActiveSessionType(ZeltoActiveFlow flow) {
  activeSessionType_ = flow;
  auto& manager = timeoutManager();
  manager.timeoutLength = activeIdleTimeout();
  if (flow == ZeltoActiveFlow::none || flow == ZeltoActiveFlow::requestPayment) {
    manager.endTimeoutObservation();
  } else {
    manager.startTimeoutObservation();
  }
}

double ZeltoSessionBase::activeIdleTimeout() const {
  const auto& config = *internalConfiguration_;
  switch (activeSessionType_) {
    case ZeltoActiveFlow::none:
      return std::numeric_limits<double>::infinity();
    case ZeltoActiveFlow::payMerchant:
    case ZeltoActiveFlow::payMerchantAlias:
      return config.paymerchantTimeOutInSeconds();
    case ZeltoActiveFlow::payFriend:
    case ZeltoActiveFlow::aliasPayFriend:
      return config.payFriendTimeoutInSeconds();
    case ZeltoActiveFlow::withdrawCash:
      return config.withdrawCashTimeOutInSeconds();
    case ZeltoActiveFlow::refundPayment:
    case ZeltoActiveFlow::requestPayment:
      return 180.0;
  }
  return std::numeric_limits<double>::infinity();
}

void ZeltoSessionBase::setConfiguration(const ZeltoConfig& config) {
  if (activeSessionType_ != ZeltoActiveFlow::none) {
    platform::debugPrint(StringConstants::CONFIGURATION_DURING_FLOW);
    return;
  }
  internalConfiguration_ = config.deepCopy();
}

ZeltoTimeoutManager& ZeltoSessionBase::timeoutManager() {
  if (!timeoutManager_) {
    timeoutManager_ = std::make_unique<ZeltoTimeoutManager>();
    timeoutManager_->delegate = weak_from_this();
  }
  return *timeoutManager_;
}

std::shared_ptr<platform::ViewController> ZeltoSessionBase::getTopViewController() const {
  auto top = sdkWindow->rootViewController();
  while (top && top->presentedViewController()) top = top->presentedViewController();
  return top;
}

void ZeltoSessionBase::dismissSDKWindow(std::function<void()> completion) {
  const std::weak_ptr<ZeltoSessionBase> weakSelf = weak_from_this();
  // With no root screen there is nothing to slide away: the active flow stays as it is and the
  // completion never runs, since only the end of the slide clears the one and runs the other.
  if (const auto root = sdkWindow->rootViewController()) {
    const std::weak_ptr<platform::ViewController> dismissedRoot = root;
    auto hide = [weakSelf, dismissedRoot, completion = std::move(completion)] {
      auto self = weakSelf.lock();
      if (!self) return;
      self->sdkWindow->hideRootWindowView([weakSelf, dismissedRoot, completion] {
        auto self = weakSelf.lock();
        if (!self) return;
        // A flow launched while this one was sliding away keeps the window and stays active.
        if (self->sdkWindow->rootViewController() == dismissedRoot.lock()) {
          if (auto host = self->hostAppWindow.lock()) host->makeKeyAndVisible();
          self->sdkWindow->hidden = true;
          self->sdkWindow->setRootViewController(nullptr);
          self->setActiveSessionType(ZeltoActiveFlow::none);
        }
        if (completion) completion();
      });
    };
    dismissDownTo(getTopViewController(), root, std::move(hide));
  }
  totalPaymentAmount = "0.0";
  merchantSDKEmvCoSupported = false;
}

void ZeltoSessionBase::timeoutOccurred(ZeltoTimeoutManager&) {
  platform::NotificationCenter::defaultCenter().post(StringConstants::SESSION_TIMEOUT_NOTIFICATION);
  auto dialog = std::make_shared<platform::AlertController>(
      "", platform::localizedString(StringConstants::ZELTO_SESSION_TIMEOUT_DIALOG),
      platform::AlertController::Style::kAlert);
  const std::weak_ptr<ZeltoSessionBase> weakSelf = weak_from_this();
  dialog->addAction({platform::localizedString(StringConstants::ZELTO_OK),
                     platform::AlertActionStyle::kCancel, [weakSelf] {
                       platform::RunLoop::main().async([weakSelf] {
                         if (auto self = weakSelf.lock()) self->dismissSDKWindow();
                       });
                     }});
  const auto top = getTopViewController();
  if (!top) return;
  top->view()->endEditing(true);
  top->present(dialog, true);
}

ZeltoSession& ZeltoSession::sharedSession() {
  // Never destroyed: screens and timers may still reach it while the process exits.
  static auto* session = new std::shared_ptr<ZeltoSession>(new ZeltoSession());
  return **session;
}

std::string ZeltoSession::activeCurrencyCode() const {
  switch (activeSessionType()) {
    case ZeltoActiveFlow::requestPayment:
      if (requestPaymentSession->request) return requestPaymentSession->request->currencyCode;
      break;
    case ZeltoActiveFlow::refundPayment:
      return refundPaymentSession->request->currencyCode;
    default:
      break;
  }
  return std::string(BaseConstants::defaultTransactionCurrency);
}

void ZeltoSession::dismissSDKWindow(std::function<void()> completion) {
  ZeltoSessionBase::dismissSDKWindow(std::move(completion));
  sdkType = SDKType::merchant;
  refundPaymentSession = std::make_shared<ZELTORefundPaymentSession>();
  requestPaymentSession = std::make_shared<ZELTORequestPaymentSession>();
  isScanned = false;
  serviceFee = "0";
  cardIndex = 0;
}

void ZELTORefundPaymentSession::sendUpdateForCompletedFlow(bool successful,
                                                           std::shared_ptr<ZeltoError> error) {
  auto reported = successful ? response : nullptr;
  if (successful) error = nullptr;
  // Copies: the host may end the flow from its callback, which replaces this record.
  const auto handler = flowDidFinishCompletionHandler;
  const auto target = delegate;
  if (handler) {
    handler(successful, std::move(reported), std::move(error));
  } else if (target) {
    target->refundPaymentFlowDidFinish(successful, std::move(reported), std::move(error));
  }
}

}  // namespace zelto
