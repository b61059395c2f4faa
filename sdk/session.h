// ZeltoSession: the one shared session. It holds what lives longer than a screen: the
// configuration in force, the library's window and the host window to return to, the active
// flow with its idle timer, and one record per merchant flow with the host's callback, the
// request and the response.
//
// - Changing activeSessionType (every assignment, even to the same value) sets the idle timer's
//   length to activeIdleTimeout() and starts idle observation, except for `none` and
//   `requestPayment`, which end it.
// - setConfiguration() is accepted only while no flow is active; otherwise the debug console
//   gets "Error: Cannot set configuration during SDK Flow" and nothing changes.
// - dismissSDKWindow() closes the screens presented above the root, top first, each animated,
//   slides the window's root away, makes the host window key again, hides the library's window,
//   clears the root screen and the active flow, then runs the completion. The per-flow records
//   are replaced at once, before any animation ends, so no stored handler or delegate is ever
//   called after it. With no root screen there is nothing to slide: the active flow stays as it
//   is and the completion is never run.
// - An idle timeout posts "ZELTOSessionTimeOut" (no object), then shows a dialog on the top
//   screen after ending any editing; its OK button queues the dismissal on the main queue.
//   The host's handler and delegate are not called.
//
// Creating the session needs no display. Thread-safety: created once under thread-safe
// initialisation; used on the main thread only.
#ifndef ZELTO_SDK_SESSION_H_
#define ZELTO_SDK_SESSION_H_

#include <zelto/results/zelto_error.h>
#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_config.h>
#include <zelto/sdk/zelto_delegates.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <functional>
#include <memory>
#include <string>

#include "currency/kit_currency_data.h"
#include "platform/view_controller.h"
#include "sdk/flow_window.h"
#include "sdk/timeout_manager.h"

namespace zelto {

enum class SDKType { consumer, merchant };

enum class ZeltoActiveFlow {
  none,
  payMerchant,
  payMerchantAlias,
  payFriend,
  withdrawCash,
  refundPayment,
  requestPayment,
  aliasPayFriend,
};

// The refund flow's record.
class ZELTORefundPaymentSession {
 public:
  // Reports the flow's result: on success the record's response and no error, otherwise no
  // response and `error`. The stored handler is called if there is one, else the delegate, else
  // nobody; both stay stored.
  void sendUpdateForCompletedFlow(bool successful, std::shared_ptr<ZeltoError> error);

  RefundPaymentCompletionHandler flowDidFinishCompletionHandler;
  std::shared_ptr<ZeltoRefundPaymentRequest> request =
      std::make_shared<ZeltoRefundPaymentRequest>();
  std::shared_ptr<ZeltoRefundPaymentResponse> response =
      std::make_shared<ZeltoRefundPaymentResponse>();
  std::shared_ptr<ZeltoRefundPaymentDelegate> delegate;
};

// The request-payment flow's record.
class ZELTORequestPaymentSession {
 public:
  RequestPaymentCompletionHandler flowDidFinishCompletionHandler;
  // The host's request, shared with the host: edits made by the screens are seen by both.
  std::shared_ptr<ZeltoPaymentRequest> request;
  std::shared_ptr<ZeltoRequestPaymentResponse> response =
      std::make_shared<ZeltoRequestPaymentResponse>();
  std::shared_ptr<ZeltoRequestPaymentDelegate> delegate;
  // Set when the payment details have been written back; cleared by the back button.
  bool isUpdated = false;
};

class ZeltoSessionBase : public ZeltoTimeoutManagerDelegate,
                         public std::enable_shared_from_this<ZeltoSessionBase> {
 public:
  ZeltoSessionBase(const ZeltoSessionBase&) = delete;
  ZeltoSessionBase& operator=(const ZeltoSessionBase&) = delete;

  ZeltoActiveFlow activeSessionType() const { return activeSessionType_; }
  void setActiveSessionType(ZeltoActiveFlow flow);

  // Seconds of idleness the active flow allows: infinity for `none`; the configuration's
  // pay-merchant, pay-friend and withdraw-cash timeouts for those flows; 180 for the refund and
  // request-payment flows.
  double activeIdleTimeout() const;

  const std::shared_ptr<ZeltoConfig>& internalConfiguration() const {
    return internalConfiguration_;
  }
  void setConfiguration(const ZeltoConfig& config);

  virtual void dismissSDKWindow(std::function<void()> completion = nullptr);
  // The screen shown on top in the library's window: the root screen, or the last screen of the
  // chain presented above it; null without a root screen.
  std::shared_ptr<platform::ViewController> getTopViewController() const;

  // The session's idle timer, created on first use with this session as its delegate.
  ZeltoTimeoutManager& timeoutManager();

  void timeoutOccurred(ZeltoTimeoutManager& manager) override;

  std::string totalPaymentAmount = "0.0";
  const std::shared_ptr<ZeltoWindow> sdkWindow;
  std::weak_ptr<platform::Window> hostAppWindow;
  // Set when a request is built from a tag dictionary; reset at every dismissal.
  bool merchantSDKEmvCoSupported = false;
  std::shared_ptr<KitCurrencyData> selectedCurrency;

 protected:
  ZeltoSessionBase();

 private:
  std::shared_ptr<ZeltoConfig> internalConfiguration_;
  std::unique_ptr<ZeltoTimeoutManager> timeoutManager_;
  ZeltoActiveFlow activeSessionType_ = ZeltoActiveFlow::none;
};

class ZeltoSession final : public ZeltoSessionBase {
 public:
  // The single instance, created on first use; it lives for the life of the process.
  static ZeltoSession& sharedSession();

  // The currency of the active flow: the stored request's currencyCode in the request-payment
  // and refund flows, BaseConstants::defaultTransactionCurrency ("356") otherwise (also in the
  // request-payment flow while no request is stored).
  std::string activeCurrencyCode() const;

  // The base dismissal, then at once: sdkType back to merchant, new per-flow records (stored
  // handlers and delegates are dropped without being called), isScanned false, serviceFee "0",
  // cardIndex 0.
  void dismissSDKWindow(std::function<void()> completion = nullptr) override;

  SDKType sdkType = SDKType::merchant;
  std::shared_ptr<ZELTORefundPaymentSession> refundPaymentSession =
      std::make_shared<ZELTORefundPaymentSession>();
  std::shared_ptr<ZELTORequestPaymentSession> requestPaymentSession =
      std::make_shared<ZELTORequestPaymentSession>();
  bool isScanned = false;
  std::string serviceFee = "0";
  int cardIndex = 0;

 private:
  ZeltoSession() = default;
};

}  // namespace zelto

#endif  // ZELTO_SDK_SESSION_H_
