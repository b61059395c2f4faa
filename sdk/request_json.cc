#include "sdk/request_json.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace zelto {
namespace {

constexpr std::array<std::string_view, 9> kAmountAndAdditionalData = {
    "transactionAmount", "billID",     "mobileNumber", "storeID", "loyaltyNumber",
    "referenceID",       "consumerID", "terminalID",   "purpose"};

std::string inQuotes(std::string_view key) { return "\"" + std::string(key) + "\""; }

}  // namespace

std::string applyRequestFields(const nlohmann::ordered_json& json, ZeltoPaymentRequest& request) {
  if (!json.is_object()) return "expected a JSON object of request properties";
  for (const auto& [key, value] : json.items()) {
    std::optional<std::string> text;
    if (value.is_string()) {
      text = value.get<std::string>();
    } else if (!value.is_null()) {
      return inQuotes(key) + " must be a string or null, not " + value.type_name();
    }
    switch (request.setProperty(key, std::move(text))) {
      case ZeltoPaymentRequest::SetResult::kDone:
        break;
      case ZeltoPaymentRequest::SetResult::kUnknownProperty:
        return "unknown request property " + inQuotes(key);
      case ZeltoPaymentRequest::SetResult::kNotOptional:
        return inQuotes(key) + " cannot be null: it is not optional";
    }
  }
  return "";
}

PaymentRequestFromJson paymentRequestFromJson(const nlohmann::ordered_json& json) {
  auto request = std::make_shared<ZeltoPaymentRequest>();
  std::string error = applyRequestFields(json, *request);
  if (!error.empty()) return {nullptr, std::move(error)};
  return {std::move(request), ""};
}

std::string applyAmountAndAdditionalData(const nlohmann::ordered_json& json,
                                         ZeltoPaymentRequest& request) {
  if (!json.is_object()) return "expected a JSON object";
  for (const auto& [key, value] : json.items()) {
    // clang before 16 cannot capture a structured binding.
    const std::string& name = key;
    if (std::none_of(kAmountAndAdditionalData.begin(), kAmountAndAdditionalData.end(),
                     [&](std::string_view field) { return field == name; })) {
      return inQuotes(key) + " is not the amount or an additional data field";
    }
  }
  return applyRequestFields(json, request);
}

RefundRequestFromJson refundRequestFromJson(const nlohmann::ordered_json& json) {
  if (!json.is_object()) return {nullptr, "expected a JSON object of refund fields"};
  auto request = std::make_shared<ZeltoRefundPaymentRequest>();
  const std::array<std::pair<std::string_view, std::string*>, 4> fields = {{
      {"last4", &request->last4},
      {"cardHolderName", &request->cardHolderName},
      {"currencyCode", &request->currencyCode},
      {"refundAmount", &request->refundAmount},
  }};
  for (const auto& [key, value] : json.items()) {
    const std::string& name = key;
    auto field = std::find_if(fields.begin(), fields.end(),
                              [&](const auto& entry) { return entry.first == name; });
    if (field == fields.end()) return {nullptr, "unknown refund field " + inQuotes(key)};
    if (!value.is_string()) {
      return {nullptr, inQuotes(key) + " must be a string, not " + value.type_name()};
    }
    *field->second = value.get<std::string>();
  }
  return {std::move(request), ""};
}

}  // namespace zelto
