// How a flow reports its result to the host: a completion handler or a delegate, each taking
// (success, optional response, optional error). An absent response or error is a null pointer.
#ifndef ZELTO_SDK_ZELTO_DELEGATES_H_
#define ZELTO_SDK_ZELTO_DELEGATES_H_

#include <zelto/export.h>
#include <zelto/results/zelto_error.h>

#include <functional>
#include <memory>

namespace zelto {

using RequestPaymentCompletionHandler =
    std::function<void(bool success, std::shared_ptr<ZeltoRequestPaymentResponse> response,
                       std::shared_ptr<ZeltoError> error)>;
using RefundPaymentCompletionHandler =
    std::function<void(bool success, std::shared_ptr<ZeltoRefundPaymentResponse> response,
                       std::shared_ptr<ZeltoError> error)>;

class ZELTO_EXPORT ZeltoRequestPaymentDelegate {
 public:
  virtual ~ZeltoRequestPaymentDelegate() = default;
  virtual void requestPaymentFlowDidFinish(bool success,
                                           std::shared_ptr<ZeltoRequestPaymentResponse> response,
                                           std::shared_ptr<ZeltoError> error) = 0;
};

class ZELTO_EXPORT ZeltoRefundPaymentDelegate {
 public:
  virtual ~ZeltoRefundPaymentDelegate() = default;
  virtual void refundPaymentFlowDidFinish(bool success,
                                          std::shared_ptr<ZeltoRefundPaymentResponse> response,
                                          std::shared_ptr<ZeltoError> error) = 0;
};

}  // namespace zelto

#endif  // ZELTO_SDK_ZELTO_DELEGATES_H_
