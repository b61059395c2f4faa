#include <zelto/decode/qr_error.h>

#include <nlohmann/json.hpp>
#include <utility>

#include "base/text.h"

namespace zelto {

QRCodeError::QRCodeError(std::vector<std::string> errorCodes) : errorCodes(std::move(errorCodes)) {}

std::string QRCodeError::description() const {
  std::string text;
  for (const auto& code : errorCodes) {
    text += code;
    text += ' ';
  }
  return text;
}

std::string QRCodeError::getJSONOutput() const {
  nlohmann::ordered_json codes = nlohmann::ordered_json::array();
  for (const auto& code : errorCodes) {
    if (const auto number = text::parseInteger(code)) {
      codes.push_back(*number);
    } else {
      codes.push_back(code);
    }
  }
  nlohmann::ordered_json output = nlohmann::ordered_json::object();
  output["qrCodeError"] = std::move(codes);
  output["qrCodeData"] = nlohmann::ordered_json::object();
  // ASCII output: other characters are escaped, ill-formed UTF-8 becomes U+FFFD, never a throw.
  return output.dump(2, ' ', true, nlohmann::ordered_json::error_handler_t::replace);
}

QRError::QRError(std::string errorCode, std::string description)
    : errorCode(std::move(errorCode)), errorDescription(std::move(description)) {}

std::map<std::string, std::string> QRError::dictionaryOutput() const {
  return {{"errorCode", errorCode}, {"errorDescription", errorDescription}};
}

}  // namespace zelto
