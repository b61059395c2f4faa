// The records a flow hands back to the host: the error record and one response per flow.
//
// None of them checks its content: any list of codes (even an empty one) and any amount text
// are accepted. An error code is either a validation message (exactly one per error made by
// the library's request checks) or a numeric QR validator code ("0" to "55"), in the order the
// codes were found. Records are shared through std::shared_ptr; the host's object and the
// library's are the same object.
//
// Thread-safety: plain records; callers serialise access (the library uses them on the main
// thread only).
#ifndef ZELTO_RESULTS_ZELTO_ERROR_H_
#define ZELTO_RESULTS_ZELTO_ERROR_H_

#include <zelto/export.h>

#include <string>
#include <vector>

namespace zelto {

class ZELTO_EXPORT ZeltoError {
 public:
  explicit ZeltoError(std::vector<std::string> errorCodes);
  explicit ZeltoError(std::string errorCode);

  // Every code followed by "\n", in order; "" for an empty list.
  std::string description() const;

  std::vector<std::string> errorCodes;
};

class ZELTO_EXPORT ZeltoRequestPaymentResponse {};

class ZELTO_EXPORT ZeltoRefundPaymentResponse {
 public:
  ZeltoRefundPaymentResponse();
  explicit ZeltoRefundPaymentResponse(std::string refundAmount);

  std::string refundAmount;
};

}  // namespace zelto

#endif  // ZELTO_RESULTS_ZELTO_ERROR_H_
