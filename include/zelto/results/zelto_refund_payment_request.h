// ZeltoRefundPaymentRequest: the record with which a host starts a refund flow. It holds the
// texts as given; nothing is trimmed or normalised.
//
// validate() applies nine rules in order and reports the first that fails, as a ZeltoError
// with one message (results/string_constants.h); null when the record is valid:
//   1. last4 empty                      5. currencyCode empty
//   2. last4 not 4 characters           6. currencyCode not 3 characters
//   3. last4 not all decimal digits, or 7. currencyCode not an integer (one leading sign allowed)
//      not an integer ("٤٢٤٢" fails)    8. currencyCode not a known ISO 4217 numeric code
//   4. cardHolderName empty (spaces     9. refundAmount empty, not a decimal number, or not
//      alone are accepted)                 greater than 0 (exponent forms such as "1e2" are
//                                          numbers; "inf" and "nan" are not)
//
// Thread-safety: a plain record; callers serialise access.
#ifndef ZELTO_RESULTS_ZELTO_REFUND_PAYMENT_REQUEST_H_
#define ZELTO_RESULTS_ZELTO_REFUND_PAYMENT_REQUEST_H_

#include <zelto/export.h>
#include <zelto/results/base_constants.h>
#include <zelto/results/zelto_error.h>

#include <memory>
#include <string>

namespace zelto {

class ZELTO_EXPORT ZeltoRefundPaymentRequest {
 public:
  // last4, cardHolderName and refundAmount "", currencyCode "356".
  ZeltoRefundPaymentRequest();
  ZeltoRefundPaymentRequest(std::string last4, std::string cardHolderName, std::string currencyCode,
                            std::string refundAmount);

  std::shared_ptr<ZeltoError> validate() const;

  std::string last4;
  std::string cardHolderName;
  std::string currencyCode;
  std::string refundAmount;
};

}  // namespace zelto

#endif  // ZELTO_RESULTS_ZELTO_REFUND_PAYMENT_REQUEST_H_
