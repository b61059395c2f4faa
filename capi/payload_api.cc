// The C interface to payment requests, payloads and refund requests.
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/crc16.h>
#include <zelto/payload/tag_dictionary.h>
#include <zelto/payload/tlv_generator.h>

#include <array>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "base/json_reader.h"
#include "base/text.h"
#include "capi/support.h"
#include "payload/tag_dictionary_json.h"
#include "sdk/request_json.h"

namespace zelto::capi {
namespace {

nlohmann::ordered_json parseJson(const char* json, std::size_t length) {
  json::ReadResult result = json::read(readText(json, length, "json"));
  if (!result.value) throw Failure{ZELTO_ERROR_INVALID_JSON, result.message("json")};
  return std::move(*result.value);
}

TagDictionary tagDictionary(const char* json, std::size_t length) {
  TagDictionaryFromJson read = readTagDictionary(readText(json, length, "json"), "json");
  if (read.invalidJson) throw Failure{ZELTO_ERROR_INVALID_JSON, read.error};
  if (!read.dictionary) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "json: expected an object of tags and values"};
  }
  return std::move(*read.dictionary);
}

// "value of \"merchantName\": U+0001 at byte 2 is a control character, which no value may
// hold".
std::string controlCharacterMessage(std::string_view name, std::string_view value) {
  const auto found = text::findControlCharacter(value);
  return "value of \"" + std::string(name) + "\": " + text::codePointName(found->codePoint) +
         " at byte " + std::to_string(found->offset + 1) +
         " is a control character, which no value may hold";
}

// `value` of the refund field `name`, refused when it holds a control character.
std::string printable(std::string_view name, std::string_view value) {
  if (text::findControlCharacter(value)) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, controlCharacterMessage(name, value)};
  }
  return std::string(value);
}

void setProperty(ZeltoPaymentRequest& request, std::string_view name,
                 const std::optional<std::string>& value) {
  switch (request.setProperty(name, value)) {
    case ZeltoPaymentRequest::SetResult::kDone:
      return;
    case ZeltoPaymentRequest::SetResult::kUnknownProperty:
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                    "unknown payment request property \"" + std::string(name) + "\""};
    case ZeltoPaymentRequest::SetResult::kNotOptional:
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                    "\"" + std::string(name) + "\" cannot be absent: it is not optional"};
    case ZeltoPaymentRequest::SetResult::kControlCharacter:
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, controlCharacterMessage(name, *value)};
  }
}

bool isPaymentRequestProperty(std::string_view name) {
  for (const auto& property : ZeltoPaymentRequest::properties()) {
    if (property.name == name) return true;
  }
  return false;
}

Outcome checked(const std::shared_ptr<ZeltoError>& error) {
  if (!error) return {};
  return {ZELTO_INVALID, error->description()};
}

std::string* refundField(ZeltoRefundPaymentRequest& request, std::string_view name) {
  const std::array<std::pair<std::string_view, std::string ZeltoRefundPaymentRequest::*>, 4>
      fields = {{
          {"last4", &ZeltoRefundPaymentRequest::last4},
          {"cardHolderName", &ZeltoRefundPaymentRequest::cardHolderName},
          {"currencyCode", &ZeltoRefundPaymentRequest::currencyCode},
          {"refundAmount", &ZeltoRefundPaymentRequest::refundAmount},
      }};
  for (const auto& [fieldName, member] : fields) {
    if (fieldName == name) return &(request.*member);
  }
  throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                "unknown refund request property \"" + std::string(name) +
                    "\" (last4, cardHolderName, currencyCode or refundAmount)"};
}

}  // namespace
}  // namespace zelto::capi

using namespace zelto;
using namespace zelto::capi;

extern "C" {

zelto_status zelto_payment_request_init(zelto_payment_request** request, char** message) {
  return run(message, output(request, "request"), [&](zelto_payment_request*& out) {
    requireMainThread();
    out = create<zelto_payment_request>(std::make_shared<ZeltoPaymentRequest>());
    return Outcome{};
  });
}

zelto_status zelto_payment_request_init_with_json(const char* json, size_t length,
                                                  zelto_payment_request** request, char** message) {
  return run(message, output(request, "request"), [&](zelto_payment_request*& out) {
    requireMainThread();
    PaymentRequestFromJson read = paymentRequestFromJson(parseJson(json, length));
    if (!read.request) throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "json: " + read.error};
    out = create<zelto_payment_request>(std::move(read.request));
    return Outcome{};
  });
}

zelto_status zelto_payment_request_init_with_tag_value_dictionary(const char* json, size_t length,
                                                                  zelto_payment_request** request,
                                                                  char** message) {
  return run(message, output(request, "request"), [&](zelto_payment_request*& out) {
    requireMainThread();
    out = create<zelto_payment_request>(
        ZeltoPaymentRequest::withTagValueDictionary(tagDictionary(json, length)));
    return Outcome{};
  });
}

zelto_status zelto_payment_request_release(zelto_payment_request* request) {
  return releaseOnMainThread(request);
}

zelto_status zelto_payment_request_set_property(zelto_payment_request* request, const char* name,
                                                const char* value, char** message) {
  return run(message, [&] {
    requireMainThread();
    ZeltoPaymentRequest& target = *use(request, "request").value;
    setProperty(target, readText(name, "name"), optionalText(value, "value"));
    return Outcome{};
  });
}

zelto_status zelto_payment_request_property(const zelto_payment_request* request, const char* name,
                                            char** value, char** message) {
  return run(message, output(value, "value"), [&](char*& out) {
    requireMainThread();
    const ZeltoPaymentRequest& source = *use(request, "request").value;
    const std::string_view key = readText(name, "name");
    if (!isPaymentRequestProperty(key)) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                    "unknown payment request property \"" + std::string(key) + "\""};
    }
    if (std::optional<std::string> property = source.property(key)) out = copyText(*property);
    return Outcome{};
  });
}

zelto_status zelto_payment_request_validate(const zelto_payment_request* request, char** message) {
  return run(message, [&] {
    requireMainThread();
    return checked(use(request, "request").value->validate());
  });
}

zelto_status zelto_payment_request_get_tlv(const zelto_payment_request* request, char** payload,
                                           char** message) {
  return run(message, output(payload, "payload"), [&](char*& out) {
    requireMainThread();
    out = copyText(use(request, "request").value->getTLV());
    return Outcome{};
  });
}

zelto_status zelto_encode_dict_to_tlv(const char* json, size_t length, char** payload,
                                      char** message) {
  return run(message, output(payload, "payload"), [&](char*& out) {
    out = copyText(TLVGenerator::encodeDictToTLV(tagDictionary(json, length)));
    return Outcome{};
  });
}

zelto_status zelto_get_crc(const char* text, size_t length, char** digits, char** message) {
  return run(message, output(digits, "digits"), [&](char*& out) {
    out = copyText(crc16::crcDigits(readText(text, length, "text")));
    return Outcome{};
  });
}

zelto_status zelto_decode_tlv(const char* payload, size_t length, char** json, char** message) {
  return run(message, output(json, "json"), [&](char*& out) {
    ZeltoPayMerchantTLV record;
    if (const auto error = record.decodeTLV(readText(payload, length, "payload"))) {
      return Outcome{ZELTO_INVALID, std::string(caseName(*error))};
    }
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    fields["isTipAvailable"] = record.isTipAvailable;
    fields.update(tagDictionaryToJson(record.presentProperties()));
    out = copyText(fields.dump());
    return Outcome{};
  });
}

zelto_status zelto_tlv_validation_with_tlv_string(const char* payload, size_t length, int** codes,
                                                  size_t* count, char** message) {
  return run(message, output(codes, "codes"), output(count, "count"),
             [&](int*& outCodes, size_t& outCount) {
               outCount = 0;
               const std::vector<std::string> found =
                   TLVGenerator::tlvValidation(readText(payload, length, "payload"));
               if (found.empty()) return Outcome{};
               auto* numbers = static_cast<int*>(std::malloc(found.size() * sizeof(int)));
               if (numbers == nullptr) throw std::bad_alloc();
               for (std::size_t i = 0; i < found.size(); ++i) {
                 numbers[i] = static_cast<int>(text::parseInteger(found[i]).value_or(-1));
               }
               outCodes = numbers;
               outCount = found.size();
               return Outcome{ZELTO_INVALID, ZeltoError(found).description()};
             });
}

zelto_status zelto_refund_payment_request_init(zelto_refund_payment_request** request,
                                               char** message) {
  return run(message, output(request, "request"), [&](zelto_refund_payment_request*& out) {
    out = create<zelto_refund_payment_request>(std::make_shared<ZeltoRefundPaymentRequest>());
    return Outcome{};
  });
}

zelto_status
zelto_refund_payment_request_init_with_last4_card_holder_name_currency_code_refund_amount(
    const char* last4, const char* card_holder_name, const char* currency_code,
    const char* refund_amount, zelto_refund_payment_request** request, char** message) {
  return run(message, output(request, "request"), [&](zelto_refund_payment_request*& out) {
    out = create<zelto_refund_payment_request>(std::make_shared<ZeltoRefundPaymentRequest>(
        printable("last4", readText(last4, "last4")),
        printable("cardHolderName", readText(card_holder_name, "card_holder_name")),
        printable("currencyCode", readText(currency_code, "currency_code")),
        printable("refundAmount", readText(refund_amount, "refund_amount"))));
    return Outcome{};
  });
}

zelto_status zelto_refund_payment_request_release(zelto_refund_payment_request* request) {
  return release(request);
}

zelto_status zelto_refund_payment_request_set_property(zelto_refund_payment_request* request,
                                                       const char* name, const char* value,
                                                       char** message) {
  return run(message, [&] {
    ZeltoRefundPaymentRequest& target = *use(request, "request").value;
    const std::string_view fieldName = readText(name, "name");
    std::string* field = refundField(target, fieldName);
    *field = printable(fieldName, readText(value, "value"));
    return Outcome{};
  });
}

zelto_status zelto_refund_payment_request_property(const zelto_refund_payment_request* request,
                                                   const char* name, char** value, char** message) {
  return run(message, output(value, "value"), [&](char*& out) {
    ZeltoRefundPaymentRequest& source = *use(request, "request").value;
    out = copyText(*refundField(source, readText(name, "name")));
    return Outcome{};
  });
}

zelto_status zelto_refund_payment_request_validate(const zelto_refund_payment_request* request,
                                                   char** message) {
  return run(message, [&] { return checked(use(request, "request").value->validate()); });
}

}  // extern "C"
