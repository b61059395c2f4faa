#include "sdk/tlv_map_parser.h"

#include <zelto/payload/tlv_generator.h>

#include "payload/base_payload.h"

namespace zelto {

TLVMapParser& TLVMapParser::shared() {
  static TLVMapParser parser;
  return parser;
}

void TLVMapParser::prepareTLV() {
  if (!tLVDataDictionary) return;
  tlvString = encodeDictToBaseTLV(*tLVDataDictionary);
  basePayloadWithoutCrc_ = tlvString.substr(0, tlvString.size() - 8);
  const auto codes = TLVGenerator::tlvValidation(tlvString);
  zeltoError = codes.empty() ? nullptr : std::make_shared<ZeltoError>(codes);
}

}  // namespace zelto
