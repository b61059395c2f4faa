// ZeltoMerchantSDK: the library's public entry points. Every operation is static and must be
// called on the main thread.
//
// Launching a flow:
// - The request is checked first. An invalid request (or a null one) is reported at once, inside
//   the launch call and before it returns, to the callback given to that launch: the handler
//   with (false, null, error), or the delegate's ...FlowDidFinish(false, null, error). It is
//   reported exactly once, nothing is shown, and the session is left as it was: no flow becomes
//   active, nothing is stored, no idle timer runs.
// - A valid request is stored (shared with the host: the screens' edits are visible in the
//   host's object), the flow becomes active and its first screen slides up in the library's
//   own window. The refund flow starts a 180-second idle timer, restarted by every touch on the
//   window and every text change; the request-payment flow has none.
// - The completion-handler forms store the handler and clear any delegate of that flow. The
//   delegate forms store the delegate (held strongly) and leave a stored handler in place; a
//   stored handler takes precedence over a delegate until the flow is dismissed.
//
// Results: the refund flow reports (true, response, null) once the merchant confirms the
// refund; the window stays until the host calls endZeltoFlow. The request-payment flow reports
// no result. The back button on a flow's first screen and an idle timeout (notification
// "ZELTOSessionTimeOut", then a dialog) end the flow without calling the handler or delegate.
//
// endZeltoFlow drops the stored handlers and delegates at once (none of them is called
// afterwards), closes any presented screens, slides the window away, gives the key window back
// to the host and then runs `completion`. It is safe to call when no flow is on screen (before
// any flow, a second time, after the back button or an idle timeout ended the flow, after a
// refused launch): it then only drops the stored handlers and delegates, and `completion` is
// never run, since there is no slide to end. A host that needs to know whether a flow is on
// screen asks ZeltoSession::sharedSession().activeSessionType(), or waits for the completion of
// the endZeltoFlow call that did end a flow.
//
// setupOneTimeConfiguration keeps a copy of `config`; while a flow is active it is ignored and
// "Error: Cannot set configuration during SDK Flow" is printed to the debug console.
#ifndef ZELTO_SDK_ZELTO_MERCHANT_SDK_H_
#define ZELTO_SDK_ZELTO_MERCHANT_SDK_H_

#include <zelto/export.h>
#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_config.h>
#include <zelto/sdk/zelto_delegates.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zelto {

class ZELTO_EXPORT ZeltoMerchantSDK {
 public:
  ZeltoMerchantSDK() = delete;

  static void launchRequestPaymentFlow(std::shared_ptr<ZeltoPaymentRequest> request,
                                       RequestPaymentCompletionHandler completionHandler);
  static void launchRequestPaymentFlow(std::shared_ptr<ZeltoPaymentRequest> request,
                                       std::shared_ptr<ZeltoRequestPaymentDelegate> delegate);
  static void launchRefundPaymentFlow(std::shared_ptr<ZeltoRefundPaymentRequest> request,
                                      RefundPaymentCompletionHandler completionHandler);
  // The delegate form of the refund launch; its public name is spelled "Paymnet".
  static void launchRefundPaymnetFlow(std::shared_ptr<ZeltoRefundPaymentRequest> request,
                                      std::shared_ptr<ZeltoRefundPaymentDelegate> delegate);
  static void setupOneTimeConfiguration(const ZeltoConfig& config);
  static void endZeltoFlow(std::function<void()> completion = nullptr);

  // The language of the screens' texts, for the whole process (set it before a flow): "en",
  // "ar", "hi", "id", "th", "vi", "pt-BR", "es", "fr", "zh-Hans", or a locale near one of them
  // ("pt_BR", "es_MX", "zh_CN"); the pseudo-languages "en-XA" (long accented text) and "ar-XB"
  // (right to left) try layouts. False, changing nothing, for a language without a table.
  // Until set, the device's (LC_ALL, LC_MESSAGES, LANG) is used; useDeviceLanguage() goes back
  // to it. Amounts keep following the device's locale either way.
  static bool setLanguage(std::string_view language);
  static void useDeviceLanguage();
  // The language in use: one of the codes above.
  static std::string language();
};

}  // namespace zelto

#endif  // ZELTO_SDK_ZELTO_MERCHANT_SDK_H_
