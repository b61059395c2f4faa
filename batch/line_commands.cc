#include "batch/line_commands.h"

#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tlv_generator.h>

#include <charconv>
#include <nlohmann/json.hpp>
#include <utility>

#include "payload/tag_dictionary_json.h"
#include "sdk/request_json.h"

namespace zelto::batch {
namespace {

void appendNumber(std::string& out, std::uint64_t number) {
  char digits[20];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  out.append(digits, end);
}

// `{"line":N` and, when `file` is not empty, `,"file":"<file>"`.
void openResult(std::string& out, std::uint64_t number, std::string_view file) {
  out += "{\"line\":";
  appendNumber(out, number);
  if (!file.empty()) {
    out += ",\"file\":";
    appendJsonString(out, file);
  }
}

bool appendError(std::string& out, std::string_view error) {
  out += ",\"error\":";
  appendJsonString(out, error);
  out += "}\n";
  return false;
}

bool appendPayload(std::string& out, std::string_view payload) {
  out += ",\"payload\":";
  appendJsonString(out, payload);
  out += "}\n";
  return true;
}

// Whether every byte of `text` goes into a JSON string as it is: printable ASCII other than
// '"' and '\\'. No early exit, so that the compiler checks many bytes an instruction.
bool plainJsonText(std::string_view text) {
  unsigned char other = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    other |= static_cast<unsigned char>(static_cast<unsigned char>(byte - 0x20) >= 0x5F) |
             static_cast<unsigned char>(byte == '"') | static_cast<unsigned char>(byte == '\\');
  }
  return other == 0;
}

// The members of `dictionary` as a compact JSON object writes them, without the braces: what
// tagDictionaryToJson's tree would print, with no tree in between.
void appendMembers(std::string& out, const TagDictionary& dictionary) {
  bool first = true;
  for (const auto& [key, value] : dictionary) {
    if (!first) out += ',';
    first = false;
    appendJsonString(out, key);
    out += ':';
    if (const auto* text = value.string()) {
      appendJsonString(out, *text);
    } else if (const auto* nested = value.dictionary()) {
      out += '{';
      appendMembers(out, *nested);
      out += '}';
    } else {
      out += nlohmann::ordered_json::parse(value.opaque()->json, nullptr, false).dump();
    }
  }
}

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
  if (plainJsonText(text)) {
    out += '"';
    out += text;
    out += '"';
    return;
  }
  out += nlohmann::json(std::string(text))
             .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

LineFunction validateLines(std::string file) {
  return [file = std::move(file)](std::string_view line, std::uint64_t number, std::string& out) {
    const std::vector<std::string> codes = TLVGenerator::tlvValidation(line);
    openResult(out, number, file);
    out += ",\"qrCodeError\":[";
    for (std::size_t i = 0; i < codes.size(); ++i) {
      if (i > 0) out += ',';
      out += codes[i];  // the validator's codes are decimal integers
    }
    out += "],\"qrCodeData\":{}}\n";
    return codes.empty();
  };
}

LineFunction decodeLines(std::string file) {
  return [file = std::move(file)](std::string_view line, std::uint64_t number, std::string& out) {
    ZeltoPayMerchantTLV record;
    openResult(out, number, file);
    if (const auto error = record.decodeTLV(line)) return appendError(out, caseName(*error));
    out += record.isTipAvailable ? ",\"isTipAvailable\":true" : ",\"isTipAvailable\":false";
    const TagDictionary properties = record.presentProperties();
    if (!properties.empty()) out += ',';
    appendMembers(out, properties);
    out += "}\n";
    return true;
  };
}

LineFunction encodeRequestLines(std::string file) {
  return [file = std::move(file)](std::string_view line, std::uint64_t number, std::string& out) {
    openResult(out, number, file);
    const PaymentRequestFromJson request = readPaymentRequest(line);
    if (!request.request) return appendError(out, request.error);
    return appendPayload(out, request.request->getTLVForPlainObject());
  };
}

LineFunction encodeTagLines(std::string file) {
  return [file = std::move(file)](std::string_view line, std::uint64_t number, std::string& out) {
    openResult(out, number, file);
    const TagDictionaryFromJson dictionary = readTagDictionary(line);
    if (!dictionary.dictionary) return appendError(out, dictionary.error);
    return appendPayload(out, TLVGenerator::encodeDictToTLV(*dictionary.dictionary));
  };
}

}  // namespace zelto::batch
