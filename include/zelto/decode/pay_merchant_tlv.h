// ZeltoPayMerchantTLV: the record a merchant QR payload decodes into (decode/tlv_decoder.h) and
// the validator inspects (decode/pay_merchant_validator.h). It adds no fields to
// ZELTOMerchantTLV, only the two storage operations that map a decoded element to the property
// that holds it.
//
// Format 01 (assignTLV01):
//   - a plain tag of the tag table is stored, as text, in the property the table names ("59"
//     merchantName); "02" also copies the stored identifier into zeltoMerchantPAN (after the
//     identifier's own setter has mirrored it into masterCardPAN1 or npciid1), and "55" sets
//     isTipAvailable to whether the value is exactly "01", "02" or "03";
//   - a template ("26"-"51", "64", "80"-"99") is stored as the map of its sub-elements;
//   - "62" arrives three ways: its whole raw value goes to additionalDataField (an empty one is
//     refused), each sub-element "01"-"14" to its named property (billID ... addDataNpci2),
//     sub-elements "15"-"99" are accepted and kept only in the map, and the map goes to
//     additionalDataFieldTemplate. Any other sub-tag of "62" ("00", "1A") is refused.
//   - a tag not in the tag table is refused, and so is a value of the wrong kind (a map for a
//     plain tag, text for a template).
// Format 00 (assignTLV00): one-character tags, upper-cased and looked up in
// PayMerchantValidTLV00; tags "C"-"Z" and anything else are refused.
//
// Thread-safety: a plain record; callers serialise access.
#ifndef ZELTO_DECODE_PAY_MERCHANT_TLV_H_
#define ZELTO_DECODE_PAY_MERCHANT_TLV_H_

#include <zelto/decode/tlv_decoder.h>
#include <zelto/export.h>
#include <zelto/payload/merchant_tlv.h>
#include <zelto/payload/tag_dictionary.h>

#include <optional>
#include <string_view>

namespace zelto {

// The tags of format 00, in this order; the raw value of each is one character.
enum class PayMerchantValidTLV00 {
  MerchantID,                // "0" zeltoMerchantID (through its setter)
  MerchantName,              // "1" merchantName
  MerchantCategoryCode,      // "2" merchantCategoryCode
  CityName,                  // "3" cityName
  CountryCode,               // "4" countryCode
  CurrencyCode,              // "5" currencyCode
  TransactionAmount,         // "6" transactionAmount
  PrimaryID,                 // "7" primaryID
  SecondaryID,               // "8" secondaryID
  TipAndFeeIndicator,        // "9" tipAndFeeIndicator, and isTipAvailable
  ConvenienceFeeAmount,      // "A" convenienceFeeAmount
  ConvenienceFeePercentage,  // "B" convenienceFeePercentage
};

// The case whose raw value is exactly `rawValue` (case-sensitive: "a" is none), or nullopt.
std::optional<PayMerchantValidTLV00> payMerchantValidTLV00(std::string_view rawValue);
std::string_view rawValue(PayMerchantValidTLV00 tag);

class ZELTO_EXPORT ZeltoPayMerchantTLV : public ZELTOMerchantTLV, public TLVDecodingProtocol {
 public:
  ZeltoPayMerchantTLV() = default;

  // `length` is not used by either operation.
  bool assignTLV00(std::string_view tag, int length, std::string_view value) override;
  bool assignTLV01(std::string_view tag, std::optional<std::string_view> subtag, int length,
                   std::string_view value, std::optional<TagDictionary> valueDictionary) override;
};

}  // namespace zelto

#endif  // ZELTO_DECODE_PAY_MERCHANT_TLV_H_
