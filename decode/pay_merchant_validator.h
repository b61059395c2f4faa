// The pay-merchant validator: checks a decoded merchant payload (ZeltoPayMerchantTLV) rule by
// rule and reports every broken rule as a QR error code (decode/qr_error.h). All rules run, in a
// fixed order; the result is the list of distinct codes in the order they were first found,
// empty when the payload is valid. The rules themselves, with their codes, are
// decode/payload_rules.h.
//
// The entry point is TLVGenerator::tlvValidation (payload/tlv_generator.h): it decodes the text
// and returns ["0"] when that fails; otherwise it runs validatePayMerchantTLV00 for a record
// without a payload format indicator (format 00), or validatePayMerchantTLV01 followed by
// validateCRC against the text.
//
// Rule order. Format 00: merchant ID, merchant name, category code, city, country, currency,
// amount, primary ID, secondary ID, tip and fee indicator. Format 01: payload format indicator,
// merchant ID, category code, currency, amount, tip and fee indicator, country, merchant name,
// city, postal code, additional data template "62", language template "64", merchant account
// templates "26"-"51" (then the CRC). Within one template, keys are visited in sorted order, so
// the codes found inside it come out in a stable order.
//
// A record is validated through its view (RecordPayload, decode/payload_view.h), the same road
// as the view a plain payload's text is read into, so both give the same codes.
//
// Thread-safety: sharedValidator() is one instance per thread, so validations on different
// threads never mix their lists. A validator object must not be shared between threads.
#ifndef ZELTO_DECODE_PAY_MERCHANT_VALIDATOR_H_
#define ZELTO_DECODE_PAY_MERCHANT_VALIDATOR_H_

#include <zelto/decode/pay_merchant_tlv.h>

#include <string>
#include <vector>

#include "decode/payload_rules.h"
#include "decode/payload_view.h"

namespace zelto {

class ZeltoPayMerchantTLVValidator {
 public:
  // This thread's validator.
  static ZeltoPayMerchantTLVValidator& sharedValidator();

  // Empty the list, run every rule of the format on `record` (nothing for nullptr) or on
  // `payload`, and return the list.
  const std::vector<std::string>& validatePayMerchantTLV00(const ZeltoPayMerchantTLV* record);
  const std::vector<std::string>& validatePayMerchantTLV01(const ZeltoPayMerchantTLV* record);
  const std::vector<std::string>& validatePayMerchantTLV00(const PayloadView& payload);
  const std::vector<std::string>& validatePayMerchantTLV01(const PayloadView& payload);

  // The rule operations (validateCRC among them), appending to this validator's list; values
  // of a view whose oneBytePerCharacter is set may be counted as such.
  PayloadRules rules(bool oneBytePerCharacter = false) {
    return PayloadRules(errorCodes_, oneBytePerCharacter);
  }

  const std::vector<std::string>& errorCodes() const { return errorCodes_; }

 private:
  std::vector<std::string> errorCodes_;
};

}  // namespace zelto

#endif  // ZELTO_DECODE_PAY_MERCHANT_VALIDATOR_H_
