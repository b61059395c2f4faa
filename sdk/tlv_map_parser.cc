#include "sdk/tlv_map_parser.h"

#include <zelto/payload/tlv_generator.h>

namespace zelto {

TLVMapParser& TLVMapParser::shared() {
  static TLVMapParser parser;
  return parser;
}

void TLVMapParser::prepareTLV() {
  if (!tLVDataDictionary) return;
  TagDictionary base = *tLVDataDictionary;
  for (const char* key :
       {"63", "crc", "62", "additionalDataFieldTemplate", "54", "transactionAmount"}) {
    base.erase(key);
  }
  tlvString = TLVGenerator::encodeDictToTLV(base);
  basePayloadWithoutCrc_ = tlvString.substr(0, tlvString.size() - 8);
  const auto codes = TLVGenerator::tlvValidation(tlvString);
  zeltoError = codes.empty() ? nullptr : std::make_shared<ZeltoError>(codes);
}

}  // namespace zelto
