// TLVGenerator::tlvValidation: decoding and validating payload text. A method of the encoder's
// class, defined here beside the decoder and the validator it runs, since decode/ uses payload/
// and never the other way.
#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/decode/qr_error.h>
#include <zelto/payload/tlv_generator.h>

#include "decode/pay_merchant_validator.h"
#include "decode/payload_view.h"

namespace zelto {

std::vector<std::string> TLVGenerator::tlvValidation(std::string_view tlvString) {
  auto& validator = ZeltoPayMerchantTLVValidator::sharedValidator();
  // Nearly every payload is plain: its fields are read in place, without building a record.
  thread_local PlainPayload reader;
  if (const PayloadView* plain = reader.read(tlvString)) {
    validator.validatePayMerchantTLV01(*plain);
    validator.rules(plain->oneBytePerCharacter).validateCRC(plain->crc, tlvString);
    return validator.errorCodes();
  }
  ZeltoPayMerchantTLV record;
  if (record.decodeTLV(tlvString)) return {std::string(ZeltoErrorConstants::malformedTags)};
  if (!record.payloadFormatIndicator) return validator.validatePayMerchantTLV00(&record);
  validator.validatePayMerchantTLV01(&record);
  validator.rules().validateCRC(record.crc, tlvString);
  return validator.errorCodes();
}

}  // namespace zelto
