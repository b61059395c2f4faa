#include "sdk/request_json.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <string_view>
#include <utility>

#include "base/json_reader.h"
#include "sdk/request_properties.h"

namespace zelto {
namespace {

constexpr std::array<std::string_view, 9> kAmountAndAdditionalData = {
    "transactionAmount", "billID",     "mobileNumber", "storeID", "loyaltyNumber",
    "referenceID",       "consumerID", "terminalID",   "purpose"};

std::string inQuotes(std::string_view key) { return "\"" + std::string(key) + "\""; }

// The place of the request property `name` in ZeltoPaymentRequest::properties(), or -1. The
// names sit in a table of 64 slots by a hash of their length and three of their letters, the
// next free slot taking a name whose slot is taken: a lookup compares `name` with about one.
int propertyIndex(std::string_view name) {
  static constexpr std::size_t kSlots = 64;
  auto slotOf = [](std::string_view key) {
    auto letter = [&](std::size_t at) { return static_cast<std::size_t>(key[at]) & 0xFF; };
    return (key.size() + letter(0) * 5 + letter(key.size() - 1) * 3 + letter(key.size() / 2)) %
           kSlots;
  };
  static const auto slots = [&] {
    std::array<int, kSlots> table;
    table.fill(-1);
    const auto properties = ZeltoPaymentRequest::properties();
    for (std::size_t i = 0; i < properties.size(); ++i) {
      std::size_t slot = slotOf(properties[i].name);
      while (table[slot] >= 0) slot = (slot + 1) % kSlots;
      table[slot] = static_cast<int>(i);
    }
    return table;
  }();
  if (name.empty()) return -1;
  const auto properties = ZeltoPaymentRequest::properties();
  for (std::size_t slot = slotOf(name); slots[slot] >= 0; slot = (slot + 1) % kSlots) {
    if (properties[slots[slot]].name == name) return slots[slot];
  }
  return -1;
}

constexpr std::string_view kNotARequestObject = "expected a JSON object of request properties";

// Applies the members of a request object to a request from the parser's events, with the
// faults of applyRequestFields. After the first fault nothing more is applied, but the text is
// read to its end, so that a JSON error after it is the one reported, as with a tree. A
// property named twice, or the member at fault named again, ends the reading (repeated()):
// with a tree the last value counts, and a fault in an earlier one is no fault.
class RequestReader : public json::EventErrors {
 public:
  using Json = nlohmann::ordered_json;

  explicit RequestReader(ZeltoPaymentRequest& request) : request_(request) {}

  const std::string& fault() const { return fault_; }
  bool repeated() const { return repeated_; }

  bool null() { return value(std::nullopt, "null"); }
  bool boolean(bool) { return value(std::nullopt, "boolean"); }
  bool number_integer(Json::number_integer_t) { return value(std::nullopt, "number"); }
  bool number_unsigned(Json::number_unsigned_t) { return value(std::nullopt, "number"); }
  bool number_float(Json::number_float_t, const std::string&) {
    return value(std::nullopt, "number");
  }
  bool string(std::string& text) { return acceptString(text) && value(std::move(text), "string"); }
  bool binary(Json::binary_t&) { return value(std::nullopt, "binary"); }
  bool key(std::string& name) {
    if (!acceptString(name)) return false;
    if (depth_ == 1) key_ = std::move(name);
    return true;
  }
  bool start_object(std::size_t) { return open("object"); }
  bool start_array(std::size_t) { return open("array"); }
  bool end_object() { return close(); }
  bool end_array() { return close(); }

 private:
  bool open(std::string_view type) {
    if (depth_ == json::kMaxDepth) {
      markTooDeep();
      return false;
    }
    if (depth_ == 0 && type == "array") fail(kNotARequestObject);
    if (depth_ == 1 && !value(std::nullopt, type)) return false;
    ++depth_;
    return true;
  }
  bool close() {
    --depth_;
    return true;
  }

  // A value where the parser stands: a string (`text`), or another JSON `type`.
  bool value(std::optional<std::string> text, std::string_view type) {
    if (depth_ == 0) fail(kNotARequestObject);
    if (depth_ != 1) return true;
    if (const int index = propertyIndex(key_); index >= 0) {
      if (seen_[index]) {
        repeated_ = true;
        return false;
      }
      seen_[index] = true;
    }
    if (!fault_.empty()) {
      // The faulty member named again (an unknown property, which the bits do not track).
      repeated_ = key_ == faultKey_;
      return !repeated_;
    }
    faultKey_ = key_;
    if (type != "string" && type != "null") {
      return fail(inQuotes(key_) + " must be a string or null, not " + std::string(type));
    }
    switch (request_.setProperty(key_, std::move(text))) {
      case ZeltoPaymentRequest::SetResult::kDone:
        return true;
      case ZeltoPaymentRequest::SetResult::kUnknownProperty:
        return fail("unknown request property " + inQuotes(key_));
      case ZeltoPaymentRequest::SetResult::kNotOptional:
        return fail(inQuotes(key_) + " cannot be null: it is not optional");
      case ZeltoPaymentRequest::SetResult::kControlCharacter:
        return fail(inQuotes(key_) + " holds a control character, which no value may hold");
    }
    return true;
  }

  // Keeps the first fault; reading goes on.
  bool fail(std::string_view fault) {
    if (fault_.empty()) fault_ = fault;
    return true;
  }

  ZeltoPaymentRequest& request_;
  std::size_t depth_ = 0;
  std::string key_;
  std::string fault_;
  std::string faultKey_;  // of the member at fault
  std::bitset<64> seen_;
  bool repeated_ = false;
};

// The common case read in one pass without the JSON parser: an object whose members are
// distinct known properties with ASCII string values free of escapes, or null where null is
// allowed. Anything else (an escape, a number, a byte above 0x7f, a repeated or unknown name, a
// fault, a syntax error) returns false, and the parser reads the text again.
class PlainRequestReader {
  // The bytes a string may hold as they are: printable ASCII but '"' and '\\'.
  static constexpr std::array<bool, 256> kPlainStringByte = [] {
    std::array<bool, 256> plain{};
    for (int byte = 0x20; byte < 0x7F; ++byte) plain[byte] = byte != '"' && byte != '\\';
    return plain;
  }();

 public:
  explicit PlainRequestReader(std::string_view text) : at_(text.begin()), end_(text.end()) {}

  bool read(ZeltoPaymentRequest& request) {
    skipSpace();
    if (!take('{')) return false;
    skipSpace();
    if (take('}')) return atEnd();
    const auto properties = ZeltoPaymentRequest::properties();
    std::bitset<64> seen;
    do {
      skipSpace();
      std::string_view name;
      if (!string(name)) return false;
      skipSpace();
      if (!take(':')) return false;
      skipSpace();
      const int index = propertyIndex(name);
      if (index < 0 || seen[index]) return false;
      seen[index] = true;
      std::string_view value;
      // The value holds no control character: a plain string has only printable ASCII.
      if (string(value)) {
        assignProperty(request, static_cast<std::size_t>(index), std::string(value));
      } else if (word("null") && properties[index].optional) {
        assignProperty(request, static_cast<std::size_t>(index), std::nullopt);
      } else {
        return false;
      }
      skipSpace();
    } while (take(','));
    return take('}') && atEnd();
  }

 private:
  void skipSpace() {
    while (at_ != end_ && (*at_ == ' ' || *at_ == '\t' || *at_ == '\n' || *at_ == '\r')) ++at_;
  }
  bool take(char c) {
    if (at_ == end_ || *at_ != c) return false;
    ++at_;
    return true;
  }
  bool word(std::string_view w) {
    if (static_cast<std::size_t>(end_ - at_) < w.size() ||
        std::string_view(at_, at_ + w.size()) != w) {
      return false;
    }
    at_ += w.size();
    return true;
  }
  // A string of printable ASCII without escapes.
  bool string(std::string_view& out) {
    if (!take('"')) return false;
    const auto start = at_;
    while (at_ != end_ && kPlainStringByte[static_cast<unsigned char>(*at_)]) ++at_;
    if (at_ == end_ || *at_ != '"') return false;
    out = std::string_view(start, at_);
    ++at_;
    return true;
  }
  bool atEnd() {
    skipSpace();
    return at_ == end_;
  }

  std::string_view::const_iterator at_;
  const std::string_view::const_iterator end_;
};

}  // namespace

std::string applyRequestFields(const nlohmann::ordered_json& json, ZeltoPaymentRequest& request) {
  if (!json.is_object()) return std::string(kNotARequestObject);
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
      case ZeltoPaymentRequest::SetResult::kControlCharacter:
        return inQuotes(key) + " holds a control character, which no value may hold";
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

PaymentRequestFromJson readPaymentRequest(std::string_view text, std::string_view where) {
  auto request = std::make_shared<ZeltoPaymentRequest>();
  if (PlainRequestReader(text).read(*request)) return {std::move(request), ""};
  request = std::make_shared<ZeltoPaymentRequest>();
  RequestReader reader(*request);
  json::ReadResult result;
  if (!json::readEvents(text, reader, result)) {
    if (!reader.repeated()) return {nullptr, result.message(where)};
    result = json::read(text);
    if (!result.value) return {nullptr, result.message(where)};
    return paymentRequestFromJson(*result.value);
  }
  if (!reader.fault().empty()) return {nullptr, reader.fault()};
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
