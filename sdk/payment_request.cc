#include <zelto/payload/crc16.h>
#include <zelto/payload/tlv_generator.h>
#include <zelto/sdk/zelto_payment_request.h>

#include <array>
#include <variant>

#include "base/text.h"
#include "payload/object_writer.h"
#include "payload/request_checks.h"
#include "payload/tag_table.h"
#include "results/string_constants.h"
#include "sdk/request_properties.h"
#include "sdk/session.h"
#include "sdk/tlv_map_parser.h"

namespace zelto {
namespace {

using Required = std::string ZeltoPaymentRequest::*;
using Optional = std::optional<std::string> ZeltoPaymentRequest::*;
using Member = std::variant<Required, Optional>;

struct PropertyEntry {
  ZeltoPaymentRequest::Property property;
  Member member;
};

#define ZELTO_REQUIRED(name)                              \
  PropertyEntry {                                         \
    {#name, false}, Member { &ZeltoPaymentRequest::name } \
  }
#define ZELTO_OPTIONAL(name)                             \
  PropertyEntry {                                        \
    {#name, true}, Member { &ZeltoPaymentRequest::name } \
  }

const std::array kEntries = {
    ZELTO_REQUIRED(payloadFormatIndicator),
    ZELTO_OPTIONAL(pointOfInitiation),
    ZELTO_REQUIRED(zeltoMerchantID),
    ZELTO_REQUIRED(merchantName),
    ZELTO_REQUIRED(merchantCategoryCode),
    ZELTO_REQUIRED(cityName),
    ZELTO_REQUIRED(countryCode),
    ZELTO_REQUIRED(currencyCode),
    ZELTO_OPTIONAL(tipIndicator),
    ZELTO_OPTIONAL(tipAmount),
    ZELTO_OPTIONAL(tipPercentage),
    ZELTO_OPTIONAL(postalCode),
    ZELTO_REQUIRED(mastercardPan1),
    ZELTO_REQUIRED(mastercardPan2),
    ZELTO_REQUIRED(npciid1),
    ZELTO_REQUIRED(npciid2),
    ZELTO_OPTIONAL(transactionAmount),
    ZELTO_OPTIONAL(billID),
    ZELTO_OPTIONAL(mobileNumber),
    ZELTO_OPTIONAL(storeID),
    ZELTO_OPTIONAL(loyaltyNumber),
    ZELTO_OPTIONAL(referenceID),
    ZELTO_OPTIONAL(consumerID),
    ZELTO_OPTIONAL(terminalID),
    ZELTO_OPTIONAL(purpose),
};

#undef ZELTO_REQUIRED
#undef ZELTO_OPTIONAL

const std::array<ZeltoPaymentRequest::Property, kEntries.size()> kProperties = [] {
  std::array<ZeltoPaymentRequest::Property, kEntries.size()> list{};
  for (std::size_t i = 0; i < kEntries.size(); ++i) list[i] = kEntries[i].property;
  return list;
}();

const PropertyEntry* findEntry(std::string_view name) {
  for (const auto& entry : kEntries) {
    if (entry.property.name == name) return &entry;
  }
  return nullptr;
}

// A field's text: an absent field is empty, and an empty value is left out of a payload.
std::string_view textOf(const std::string& value) { return value; }
std::string_view textOf(const std::optional<std::string>& value) {
  return value ? std::string_view(*value) : std::string_view();
}

// Calls `visit(tag, text)` for each plain field of `request` in payload order.
template <typename Visit>
void visitPlainFields(const ZeltoPaymentRequest& request, Visit&& visit) {
  visit("00", textOf(request.payloadFormatIndicator));
  visit("01", textOf(request.pointOfInitiation));
  visit("02", textOf(request.zeltoMerchantID));
  visit("59", textOf(request.merchantName));
  visit("52", textOf(request.merchantCategoryCode));
  visit("60", textOf(request.cityName));
  visit("58", textOf(request.countryCode));
  visit("53", textOf(request.currencyCode));
  visit("55", textOf(request.tipIndicator));
  visit("56", textOf(request.tipAmount));
  visit("57", textOf(request.tipPercentage));
  visit("61", textOf(request.postalCode));
  visit("04", textOf(request.mastercardPan1));
  visit("05", textOf(request.mastercardPan2));
  visit("06", textOf(request.npciid1));
  visit("07", textOf(request.npciid2));
}

// Calls `visit(subTag, text)` for each field of the additional data template, "01" to "08".
template <typename Visit>
void visitAdditionalData(const ZeltoPaymentRequest& request, Visit&& visit) {
  visit("01", textOf(request.billID));
  visit("02", textOf(request.mobileNumber));
  visit("03", textOf(request.storeID));
  visit("04", textOf(request.loyaltyNumber));
  visit("05", textOf(request.referenceID));
  visit("06", textOf(request.consumerID));
  visit("07", textOf(request.terminalID));
  visit("08", textOf(request.purpose));
}

// The room of the amount and the additional data template, "54" and "62" with its objects.
std::size_t amountAndAdditionalDataRoom(const ZeltoPaymentRequest& request) {
  std::size_t room = tlv::ObjectWriter::roomFor(textOf(request.transactionAmount)) + 4;
  visitAdditionalData(request, [&](std::string_view, std::string_view value) {
    room += tlv::ObjectWriter::roomFor(value);
  });
  return room;
}

bool isPositiveAmount(const std::optional<std::string>& amount) {
  if (!amount || amount->empty()) return false;
  const auto value = text::parseDouble(*amount);
  return value && *value > 0;
}

}  // namespace

ZeltoPaymentRequest::ZeltoPaymentRequest()
    : payloadFormatIndicator("01"), pointOfInitiation(""), postalCode("") {}

ZeltoPaymentRequest::ZeltoPaymentRequest(std::string payloadFormatIndicator_,
                                         std::string pointOfInitiation_,
                                         std::string zeltoMerchantID_, std::string merchantName_,
                                         std::string merchantCategoryCode_, std::string cityName_,
                                         std::string countryCode_, std::string currencyCode_,
                                         std::string tipIndicator_, std::string tipAmount_,
                                         std::string tipPercentage_, std::string postalCode_,
                                         std::string mastercardPan1_, std::string mastercardPan2_,
                                         std::string npciid1_, std::string npciid2_)
    : payloadFormatIndicator(std::move(payloadFormatIndicator_)),
      pointOfInitiation(std::move(pointOfInitiation_)),
      zeltoMerchantID(std::move(zeltoMerchantID_)),
      merchantName(std::move(merchantName_)),
      merchantCategoryCode(std::move(merchantCategoryCode_)),
      cityName(std::move(cityName_)),
      countryCode(std::move(countryCode_)),
      currencyCode(std::move(currencyCode_)),
      tipIndicator(std::move(tipIndicator_)),
      tipAmount(std::move(tipAmount_)),
      tipPercentage(std::move(tipPercentage_)),
      postalCode(std::move(postalCode_)),
      mastercardPan1(std::move(mastercardPan1_)),
      mastercardPan2(std::move(mastercardPan2_)),
      npciid1(std::move(npciid1_)),
      npciid2(std::move(npciid2_)) {}

std::shared_ptr<ZeltoError> ZeltoPaymentRequest::validate() const {
  using namespace request_checks;
  using namespace StringConstants;
  auto failure = [](std::string_view message) {
    return std::make_shared<ZeltoError>(std::string(message));
  };
  if (!validatePayloadFormatIndicator(payloadFormatIndicator)) {
    return failure(PAYLOAD_FORMAT_INDICATOR_NOT_VALID);
  }
  if (!validateMerchantID(zeltoMerchantID)) return failure(MERCHANT_ID_NOT_VALID);
  const auto printable = [](std::string_view value) {
    return !text::findControlCharacter(value).has_value();
  };
  const std::size_t nameLength = text::characterCount(merchantName);
  if (nameLength < 1 || nameLength > 25 || !printable(merchantName)) {
    return failure(MERCHANT_NAME_NOT_VALID);
  }
  if (!validateMerchantCategoryCode(merchantCategoryCode)) {
    return failure(MERCHANT_CATEGORY_CODE_NOT_VALID);
  }
  const std::size_t cityLength = text::characterCount(cityName);
  if (cityLength < 1 || cityLength > 15 || !printable(cityName)) {
    return failure(CITY_NAME_NOT_VALID);
  }
  if (!validateCountryCode(countryCode)) return failure(COUNTRY_CODE_NOT_VALID);
  if (!validateCurrencyCode(currencyCode)) return failure(CURRENCY_CODE_NOT_VALID);
  if (!validateTipAndFeeIndicator(tipIndicator)) return failure(TIP_INDICATOR_NOT_VALID);
  if (!tipIndicator || tipIndicator->empty()) {
    const bool bothEmpty =
        tipAmount && tipAmount->empty() && tipPercentage && tipPercentage->empty();
    if (!bothEmpty) return failure(TIP_AMOUNT_NOT_VALID);
  }
  if (!validateConvenienceFeeAmount(tipAmount, tipIndicator)) return failure(TIP_AMOUNT_NOT_VALID);
  if (!validateConveniencePercentage(tipPercentage, tipIndicator)) {
    return failure(TIP_PERCENTAGE_NOT_VALID);
  }
  if (postalCode && (text::characterCount(*postalCode) > 10 || !printable(*postalCode))) {
    return failure(POSTAL_CODE_NOT_VALID);
  }
  if (!ZeltoSession::sharedSession().merchantSDKEmvCoSupported) return nullptr;
  const TLVMapParser& parser = TLVMapParser::shared();
  if (parser.tlvString.empty()) return std::make_shared<ZeltoError>(std::string("0"));
  return parser.zeltoError;
}

std::shared_ptr<ZeltoPaymentRequest> ZeltoPaymentRequest::withTagValueDictionary(
    const TagDictionary& tagValueDictionary) {
  return withTagValueDictionary(TagDictionary(tagValueDictionary));
}

std::shared_ptr<ZeltoPaymentRequest> ZeltoPaymentRequest::withTagValueDictionary(
    TagDictionary&& tagValueDictionary) {
  auto request = std::make_shared<ZeltoPaymentRequest>("01", "", "", "", "", "", "", "", "", "", "",
                                                       "", "", "", "", "");
  static constexpr std::pair<std::string_view, std::string_view> kCopied[] = {
      {"00", "payloadFormatIndicator"},
      {"01", "pointOfInitiation"},
      {"02", "zeltoMerchantID"},
      {"59", "merchantName"},
      {"52", "merchantCategoryCode"},
      {"60", "cityName"},
      {"58", "countryCode"},
      {"53", "currencyCode"},
      {"61", "postalCode"},
      {"04", "mastercardPan1"},
      {"05", "mastercardPan2"},
      {"06", "npciid1"},
      {"07", "npciid2"},
  };
  for (const auto& [tag, property] : kCopied) {
    const std::string* value = tagValueDictionary.findString(tag);
    if (value == nullptr && !tagValueDictionary.contains(tag)) {
      value = tagValueDictionary.findString(tagKeyMap().at(std::string(tag)));
    }
    if (value != nullptr) request->setProperty(property, *value);
  }
  TLVMapParser& parser = TLVMapParser::shared();
  parser.tLVDataDictionary = std::move(tagValueDictionary);
  parser.prepareTLV();
  ZeltoSession::sharedSession().merchantSDKEmvCoSupported = true;
  return request;
}

void ZeltoPaymentRequest::updateTLV() const {
  TLVMapParser& parser = TLVMapParser::shared();
  std::string payload = parser.basePayloadWithoutCrc();
  appendAmountAndAdditionalData(payload);
  crc16::appendCrcObject(payload);
  parser.tlvString = std::move(payload);
}

std::pair<bool, bool> ZeltoPaymentRequest::getAdditionalTlvValidCount() const {
  if (ZeltoSession::sharedSession().sdkType == SDKType::consumer) return {false, false};
  const std::size_t count = text::characterCount(additionalDataSubPayload());
  return {count > 99, count > 98};
}

std::shared_ptr<ZeltoPaymentRequest> ZeltoPaymentRequest::clone() const {
  const TLVMapParser& parser = TLVMapParser::shared();
  if (!ZeltoSession::sharedSession().merchantSDKEmvCoSupported || !parser.tLVDataDictionary) {
    return std::make_shared<ZeltoPaymentRequest>(*this);
  }
  // Passed as a constant, the dictionary is copied before the parser's own is replaced.
  auto copy = withTagValueDictionary(*parser.tLVDataDictionary);
  copy->transactionAmount = transactionAmount;
  copy->billID = billID;
  copy->mobileNumber = mobileNumber;
  copy->storeID = storeID;
  copy->loyaltyNumber = loyaltyNumber;
  copy->referenceID = referenceID;
  copy->consumerID = consumerID;
  copy->terminalID = terminalID;
  copy->purpose = purpose;
  return copy;
}

std::string ZeltoPaymentRequest::getTLV() const {
  if (!ZeltoSession::sharedSession().merchantSDKEmvCoSupported) return getTLVForPlainObject();
  updateTLV();
  return TLVMapParser::shared().tlvString;
}

void ZeltoPaymentRequest::appendAmountAndAdditionalData(std::string& payload) const {
  tlv::ObjectWriter writer(payload, amountAndAdditionalDataRoom(*this));
  if (isPositiveAmount(transactionAmount)) writer.add("54", *transactionAmount);
  const tlv::ObjectWriter::Template additional = writer.open();
  visitAdditionalData(
      *this, [&](std::string_view subTag, std::string_view value) { writer.add(subTag, value); });
  writer.close(additional, "62");
  writer.finish();
}

std::string ZeltoPaymentRequest::additionalDataSubPayload() const {
  std::string additional;
  tlv::ObjectWriter writer(additional, amountAndAdditionalDataRoom(*this));
  visitAdditionalData(
      *this, [&](std::string_view subTag, std::string_view value) { writer.add(subTag, value); });
  writer.finish();
  return additional;
}

std::string ZeltoPaymentRequest::getTLVForPlainObject() const {
  // Written into one text sized once: the room of every field, then the CRC object's 8 bytes.
  std::size_t room = 0;
  visitPlainFields(*this, [&](std::string_view, std::string_view value) {
    room += tlv::ObjectWriter::roomFor(value);
  });
  const std::size_t amountAndAdditionalData = amountAndAdditionalDataRoom(*this);
  std::string payload;
  payload.reserve(room + amountAndAdditionalData + 8);
  tlv::ObjectWriter writer(payload, room);
  visitPlainFields(*this,
                   [&](std::string_view tag, std::string_view value) { writer.add(tag, value); });
  writer.finish();
  appendAmountAndAdditionalData(payload);
  crc16::appendCrcObject(payload);
  return payload;
}

std::string ZeltoPaymentRequest::addToTLV(std::string tlvString, std::string_view tlvTag,
                                          const std::optional<std::string>& tlvValue) {
  if (tlvValue) tlv::appendObject(tlvString, tlvTag, *tlvValue);
  return tlvString;
}

std::span<const ZeltoPaymentRequest::Property> ZeltoPaymentRequest::properties() {
  return kProperties;
}

ZeltoPaymentRequest::SetResult ZeltoPaymentRequest::setProperty(std::string_view name,
                                                                std::optional<std::string> value) {
  const PropertyEntry* entry = findEntry(name);
  if (entry == nullptr) return SetResult::kUnknownProperty;
  if (value && text::findControlCharacter(*value)) return SetResult::kControlCharacter;
  if (!value && !entry->property.optional) return SetResult::kNotOptional;
  assignProperty(*this, static_cast<std::size_t>(entry - kEntries.data()), std::move(value));
  return SetResult::kDone;
}

void assignProperty(ZeltoPaymentRequest& request, std::size_t index,
                    std::optional<std::string> value) {
  const Member& member = kEntries[index].member;
  if (const auto* required = std::get_if<Required>(&member)) {
    request.*(*required) = std::move(*value);
  } else {
    request.*std::get<Optional>(member) = std::move(value);
  }
}

std::optional<std::string> ZeltoPaymentRequest::property(std::string_view name) const {
  const PropertyEntry* entry = findEntry(name);
  if (entry == nullptr) return std::nullopt;
  if (const auto* required = std::get_if<Required>(&entry->member)) return this->*(*required);
  return this->*std::get<Optional>(entry->member);
}

}  // namespace zelto
