// TLVMapParser: the shared state of the tag-dictionary mode of payment requests.
//
// A request built from a tag dictionary hands the dictionary to the shared parser, whose
// prepareTLV() encodes it, without its CRC ("63"/"crc"), amount ("54"/"transactionAmount")
// and additional data ("62"/"additionalDataFieldTemplate") entries, into the base payload, and
// validates that payload with the payload validator. The request then completes the base
// payload with its own amount and additional data each time it is asked for its payload
// (ZeltoPaymentRequest::updateTLV). The base payload is kept as prepareTLV made it, so every
// update starts from the same text.
//
// Building a request from a dictionary (or cloning one in tag-dictionary mode) replaces the
// dictionary, the base payload and the error for every request of the process.
//
// Thread-safety: none; main thread only, like the session.
#ifndef ZELTO_SDK_TLV_MAP_PARSER_H_
#define ZELTO_SDK_TLV_MAP_PARSER_H_

#include <zelto/payload/tag_dictionary.h>
#include <zelto/results/zelto_error.h>

#include <memory>
#include <optional>
#include <string>

namespace zelto {

class TLVMapParser {
 public:
  static TLVMapParser& shared();

  TLVMapParser(const TLVMapParser&) = delete;
  TLVMapParser& operator=(const TLVMapParser&) = delete;

  // Encodes and validates tLVDataDictionary; does nothing while it is absent.
  void prepareTLV();

  // The base payload of the current dictionary without its CRC object; "" before prepareTLV.
  const std::string& basePayloadWithoutCrc() const { return basePayloadWithoutCrc_; }

  std::optional<TagDictionary> tLVDataDictionary;
  // The payload getTLV returns in tag-dictionary mode: the base payload after prepareTLV, the
  // full payload after each update.
  std::string tlvString;
  // The validator's codes for the base payload; null when it validated cleanly.
  std::shared_ptr<ZeltoError> zeltoError;

 private:
  TLVMapParser() = default;

  std::string basePayloadWithoutCrc_;
};

}  // namespace zelto

#endif  // ZELTO_SDK_TLV_MAP_PARSER_H_
