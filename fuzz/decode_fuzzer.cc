// Decodes and validates arbitrary text. Checks that nothing crashes or reads out of bounds, that
// validation reports "0" alone exactly when decoding fails, that validating the decoded record
// gives the codes of validating the text (which reads most payloads in place), that codes are
// distinct numbers of the code table, that the JSON form of the codes parses back to the same
// list, and that a decoded record written as a `decode --lines` result is the text its JSON tree
// prints.
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/decode/qr_error.h>
#include <zelto/payload/tlv_generator.h>

#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>

#include "base/text.h"
#include "batch/line_commands.h"
#include "decode/pay_merchant_validator.h"
#include "payload/tag_dictionary_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zelto::ZeltoPayMerchantTLV record;
  const auto error = record.decodeTLV(text);
  if (error == zelto::TLVDecodingError::invalidTagLength) std::abort();

  std::string line;
  const bool decoded = zelto::batch::decodeLines()(text, 7, line);
  if (decoded == error.has_value()) std::abort();
  nlohmann::ordered_json tree = {{"line", 7}};
  if (error) {
    tree["error"] = zelto::caseName(*error);
  } else {
    tree["isTipAvailable"] = record.isTipAvailable;
    tree.update(zelto::tagDictionaryToJson(record.presentProperties()));
  }
  if (line != tree.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n") {
    std::abort();
  }

  const std::vector<std::string> codes = zelto::TLVGenerator::tlvValidation(text);
  const bool malformed = codes == std::vector<std::string>{"0"};
  if (error.has_value() != malformed) std::abort();
  if (!error && record.payloadFormatIndicator) {
    auto& validator = zelto::ZeltoPayMerchantTLVValidator::sharedValidator();
    validator.validatePayMerchantTLV01(&record);
    validator.rules().validateCRC(record.crc, text);
    if (validator.errorCodes() != codes) std::abort();
  }

  std::set<std::string> distinct;
  for (const auto& code : codes) {
    const auto number = zelto::text::parseInteger(code);
    if (!number || *number < 0 || *number > 55 || !distinct.insert(code).second) std::abort();
  }

  const auto json = nlohmann::json::parse(zelto::QRCodeError(codes).getJSONOutput());
  if (json.at("qrCodeError").size() != codes.size()) std::abort();
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (json["qrCodeError"][i].get<std::int64_t>() != *zelto::text::parseInteger(codes[i])) {
      std::abort();
    }
  }
  return 0;
}
