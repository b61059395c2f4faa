// Building a payment request from the JSON the tool reads: an object whose keys are
// ZeltoPaymentRequest property names and whose values are strings, or null for absent.
// Missing properties keep the values of the argument-less initialiser.
#ifndef ZELTO_TOOLS_REQUEST_INPUT_H_
#define ZELTO_TOOLS_REQUEST_INPUT_H_

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "payload/zelto_payment_request.h"
#include "results/zelto_refund_payment_request.h"

namespace zelto::tool {

struct RequestInput {
  std::shared_ptr<ZeltoPaymentRequest> request;
  std::string error;  // names the key at fault when request is null
};

// Applies the members of `json` to `request`; `error` names the first bad key.
std::string applyRequestFields(const nlohmann::ordered_json& json, ZeltoPaymentRequest& request);

RequestInput requestFromJson(const nlohmann::ordered_json& json);

// A refund request from a JSON object with the strings last4, cardHolderName, currencyCode and
// refundAmount; missing keys keep the defaults of the argument-less initialiser.
struct RefundInput {
  std::shared_ptr<ZeltoRefundPaymentRequest> request;
  std::string error;  // names the key at fault when request is null
};
RefundInput refundFromJson(const nlohmann::ordered_json& json);

}  // namespace zelto::tool

#endif  // ZELTO_TOOLS_REQUEST_INPUT_H_
