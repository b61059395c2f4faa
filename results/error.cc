#include <zelto/results/zelto_error.h>

#include <utility>

namespace zelto {

ZeltoError::ZeltoError(std::vector<std::string> codes) : errorCodes(std::move(codes)) {}

ZeltoError::ZeltoError(std::string errorCode) : errorCodes{std::move(errorCode)} {}

std::string ZeltoError::description() const {
  std::string text;
  for (const auto& code : errorCodes) {
    text += code;
    text += '\n';
  }
  return text;
}

ZeltoRefundPaymentResponse::ZeltoRefundPaymentResponse() : refundAmount("0.0") {}

ZeltoRefundPaymentResponse::ZeltoRefundPaymentResponse(std::string amount)
    : refundAmount(std::move(amount)) {}

}  // namespace zelto
