#include "tools/request_input.h"

namespace zelto::tool {

std::string applyRequestFields(const nlohmann::ordered_json& json, ZeltoPaymentRequest& request) {
  if (!json.is_object()) return "expected a JSON object of request properties";
  for (const auto& [key, value] : json.items()) {
    std::optional<std::string> text;
    if (value.is_string()) {
      text = value.get<std::string>();
    } else if (!value.is_null()) {
      return "\"" + key + "\" must be a string or null, not " + value.type_name();
    }
    switch (request.setProperty(key, std::move(text))) {
      case ZeltoPaymentRequest::SetResult::kDone:
        break;
      case ZeltoPaymentRequest::SetResult::kUnknownProperty:
        return "unknown request property \"" + key + "\"";
      case ZeltoPaymentRequest::SetResult::kNotOptional:
        return "\"" + key + "\" cannot be null: it is not optional";
    }
  }
  return "";
}

RequestInput requestFromJson(const nlohmann::ordered_json& json) {
  auto request = std::make_shared<ZeltoPaymentRequest>();
  std::string error = applyRequestFields(json, *request);
  if (!error.empty()) return {nullptr, std::move(error)};
  return {std::move(request), ""};
}

}  // namespace zelto::tool
