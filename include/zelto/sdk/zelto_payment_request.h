// ZeltoPaymentRequest: the record a host fills in to describe the merchant and the payment it
// wants to collect by QR code.
//
// The 25 properties are public and settable; assigning one is a plain store, while
// setProperty() refuses a value holding a control character. Absent
// (std::nullopt) and "" stay distinct for every optional property, though the encoder leaves
// both out of the payload.
//
// Payload (plain-object mode): getTLVForPlainObject() writes, each only when non-empty, the
// objects "00", "01", "02", "59", "52", "60", "58", "53", "55", "56", "57", "61", "04", "05",
// "06", "07", then "54" when the amount reads as a decimal number greater than 0 (an amount
// that is 0, negative or not a number is left out), then the additional data template "62"
// with sub-tags "01" to "08" when any of the eight fields is non-empty, and the CRC object.
// A value of 100 characters or more, or an additional data template that would reach 100
// characters, is left out: a two-digit length cannot describe it, and the library never emits
// a payload that a decoder cannot read. So is a value holding a control character (U+0000 to
// U+001F, U+007F to U+009F), which a scanner cannot print. Requests that pass validation never hit
// this limit (field limits and the payment details screen keep them below it).
//
// Payload (tag-dictionary mode): a request made by withTagValueDictionary() switches the
// session into tag-dictionary mode; the dictionary is encoded once into a base payload by the
// shared TLVMapParser, and the request contributes only its amount and additional data.
//
// Thread-safety: none; a request is used on the main thread.
#ifndef ZELTO_SDK_ZELTO_PAYMENT_REQUEST_H_
#define ZELTO_SDK_ZELTO_PAYMENT_REQUEST_H_

#include <zelto/export.h>
#include <zelto/payload/tag_dictionary.h>
#include <zelto/results/zelto_error.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace zelto {

class ZELTO_EXPORT ZeltoPaymentRequest {
 public:
  // All properties at their defaults: payloadFormatIndicator "01", pointOfInitiation and
  // postalCode present and empty, the other strings empty, tip fields and properties 17 to 25
  // absent. Its payload is "0002016304AAE6".
  ZeltoPaymentRequest();

  // Properties 1 to 16 stored unchanged (optional ones become present, possibly empty);
  // properties 17 to 25 absent. No check is made.
  ZeltoPaymentRequest(std::string payloadFormatIndicator, std::string pointOfInitiation,
                      std::string zeltoMerchantID, std::string merchantName,
                      std::string merchantCategoryCode, std::string cityName,
                      std::string countryCode, std::string currencyCode, std::string tipIndicator,
                      std::string tipAmount, std::string tipPercentage, std::string postalCode,
                      std::string mastercardPan1, std::string mastercardPan2, std::string npciid1,
                      std::string npciid2);

  // Tag-dictionary mode. Properties 1 to 16 start as in the sixteen-argument initialiser with
  // empty strings (payloadFormatIndicator "01"); then the strings under "00"
  // payloadFormatIndicator, "01" pointOfInitiation, "02" zeltoMerchantID, "59" merchantName,
  // "52" merchantCategoryCode, "60" cityName, "58" countryCode, "53" currencyCode,
  // "61" postalCode, "04" mastercardPan1, "05" mastercardPan2, "06" npciid1 and "07" npciid2
  // are copied in (a key may also be the tag table's property name for the tag; the tag wins).
  // Non-string values are skipped. "54", "55"-"57" and "62" are not copied: the tip tags stay in
  // the dictionary's payload, and amount and additional data come from the request. The whole
  // dictionary is then handed to TLVMapParser::shared(), which prepares and validates the base
  // payload, and the session's merchantSDKEmvCoSupported becomes true.
  static std::shared_ptr<ZeltoPaymentRequest> withTagValueDictionary(
      const TagDictionary& tagValueDictionary);
  // The same, handing the dictionary over instead of copying it.
  static std::shared_ptr<ZeltoPaymentRequest> withTagValueDictionary(
      TagDictionary&& tagValueDictionary);

  // Tag-dictionary mode: the shared parser's payload becomes its base payload completed with
  // this request's amount ("54", when a number greater than 0) and additional data ("62"),
  // closed by a new CRC. Calling it again gives the same text.
  void updateTLV() const;

  // (more than 99 characters, more than 98 characters) for the additional data template's
  // content; (false, false) for a consumer session. Screens use it to refuse input that would
  // no longer fit the template's two-digit length.
  std::pair<bool, bool> getAdditionalTlvValidCount() const;

  // Checks the request and returns the first failing rule as a ZeltoError holding that rule's
  // message; null when the request is acceptable. The rules, in order: payloadFormatIndicator
  // "01"; zeltoMerchantID a Luhn-valid identifier of 8 to 16 digits beginning with "4";
  // merchantName 1 to 25 characters; merchantCategoryCode 4 digits; cityName 1 to 15
  // characters (merchantName, cityName and postalCode with no control character, U+0000 to
  // U+001F or U+007F to U+009F); countryCode an ISO 3166 alpha-2 region code; currencyCode a known
  // ISO 4217 numeric code; tipIndicator absent, "", "01", "02" or "03"; without an indicator both
  // tip fields present and empty; tipAmount and tipPercentage consistent with the indicator (a fee
  // text must read as a number: "1.2.3" is refused); postalCode absent or at most 10
  // characters. In tag-dictionary mode, a request that passes these rules reports the payload
  // validator's codes for the base payload (["0"] when there is no base payload). Nothing is
  // changed.
  std::shared_ptr<ZeltoError> validate() const;

  // A new, independent request. In tag-dictionary mode the copy is built again from the shared
  // parser's dictionary (so properties 1 to 16 come from the dictionary); in both modes the
  // amount and the eight additional data fields are copied from this request.
  std::shared_ptr<ZeltoPaymentRequest> clone() const;

  // The QR payload text of the request: updateTLV() and the shared parser's payload in
  // tag-dictionary mode, getTLVForPlainObject() otherwise.
  std::string getTLV() const;
  std::string getTLVForPlainObject() const;

  // `tlvString` followed by tag, two-digit character count and value when `tlvValue` is present,
  // has 1 to 99 characters and holds no control character; `tlvString` unchanged otherwise.
  static std::string addToTLV(std::string tlvString, std::string_view tlvTag,
                              const std::optional<std::string>& tlvValue);

  // The additional data template's content: sub-tags "01" to "08" from billID to purpose,
  // empty or absent fields left out.
  std::string additionalDataSubPayload() const;

  // Properties by name, for hosts and tools that fill a request from data.
  struct Property {
    std::string_view name;
    bool optional;
  };
  // The 25 properties in declaration order.
  static std::span<const Property> properties();
  enum class SetResult { kDone, kUnknownProperty, kNotOptional, kControlCharacter };
  // Stores `value` into the property `name`, as a direct assignment would. An absent value is
  // refused for a non-optional property, and a value holding a control character (U+0000 to
  // U+001F, U+007F to U+009F: a QR payload never carries one) for every property; a refused
  // value changes nothing.
  SetResult setProperty(std::string_view name, std::optional<std::string> value);
  // The property `name`, absent when it is absent or there is no such property.
  std::optional<std::string> property(std::string_view name) const;

  std::string payloadFormatIndicator;
  std::optional<std::string> pointOfInitiation;
  std::string zeltoMerchantID;
  std::string merchantName;
  std::string merchantCategoryCode;
  std::string cityName;
  std::string countryCode;
  std::string currencyCode;
  std::optional<std::string> tipIndicator;
  std::optional<std::string> tipAmount;
  std::optional<std::string> tipPercentage;
  std::optional<std::string> postalCode;
  std::string mastercardPan1;
  std::string mastercardPan2;
  std::string npciid1;
  std::string npciid2;
  std::optional<std::string> transactionAmount;
  std::optional<std::string> billID;
  std::optional<std::string> mobileNumber;
  std::optional<std::string> storeID;
  std::optional<std::string> loyaltyNumber;
  std::optional<std::string> referenceID;
  std::optional<std::string> consumerID;
  std::optional<std::string> terminalID;
  std::optional<std::string> purpose;

 private:
  // "54" when the amount is a number greater than 0, then "62" when any additional data is set.
  void appendAmountAndAdditionalData(std::string& payload) const;
};

}  // namespace zelto

#endif  // ZELTO_SDK_ZELTO_PAYMENT_REQUEST_H_
