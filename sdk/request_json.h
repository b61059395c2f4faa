// Payment and refund requests read from JSON, for hosts and tools that keep requests as data.
// Each function takes a tree read by json::read (base/json_reader.h), which refuses text
// nested more than 64 levels deep; a tag dictionary is read by tagDictionaryFromJson
// (payload/tag_dictionary.h). Every function takes time linear in the size of its input, looks
// at each member once, and reports the first member at fault as a message naming it.
//
// Thread-safety: the functions keep no state; a request is used on one thread.
#ifndef ZELTO_SDK_REQUEST_JSON_H_
#define ZELTO_SDK_REQUEST_JSON_H_

#include <zelto/results/zelto_refund_payment_request.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "payload/tag_dictionary_json.h"

namespace zelto {

// Applies the members of `json`, an object whose keys are ZeltoPaymentRequest property names
// and whose values are strings, or null for absent, to `request` in member order. Returns ""
// or the first fault: not an object, an unknown property, a value that is not a string or
// null, null for a property that is not optional. Members before the fault have been applied.
std::string applyRequestFields(const nlohmann::ordered_json& json, ZeltoPaymentRequest& request);

// A request with the argument-less initialiser's values, then the members of `json` applied.
struct PaymentRequestFromJson {
  std::shared_ptr<ZeltoPaymentRequest> request;  // null when error is set
  std::string error;
};
PaymentRequestFromJson paymentRequestFromJson(const nlohmann::ordered_json& json);

// The request of json::read(text) followed by paymentRequestFromJson, read straight from the
// text with no JSON tree in between: the same request or the same error (a JSON error names
// `where` as json::ReadResult::message does), in a fraction of the time.
PaymentRequestFromJson readPaymentRequest(std::string_view text, std::string_view where = {});

// The members a request in tag-dictionary mode adds to its dictionary's payload:
// transactionAmount and the eight additional data fields, billID to purpose. Applies them like
// applyRequestFields, after checking that `json` is an object holding no other member (nothing
// is applied then).
std::string applyAmountAndAdditionalData(const nlohmann::ordered_json& json,
                                         ZeltoPaymentRequest& request);

// A refund request from an object with the strings last4, cardHolderName, currencyCode and
// refundAmount; missing members keep the argument-less initialiser's values.
struct RefundRequestFromJson {
  std::shared_ptr<ZeltoRefundPaymentRequest> request;  // null when error is set
  std::string error;
};
RefundRequestFromJson refundRequestFromJson(const nlohmann::ordered_json& json);

}  // namespace zelto

#endif  // ZELTO_SDK_REQUEST_JSON_H_
