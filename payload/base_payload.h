// The base payload of a tag dictionary: what encodeDictToTLV writes, without the amount
// ("54"/"transactionAmount") and the additional data template ("62"/"additionalDataFieldTemplate"),
// closed by its CRC object. A request in tag-dictionary mode completes it with its own amount and
// additional data.
//
// Thread-safety: may be called from any thread.
#ifndef ZELTO_PAYLOAD_BASE_PAYLOAD_H_
#define ZELTO_PAYLOAD_BASE_PAYLOAD_H_

#include <zelto/payload/tag_dictionary.h>

#include <string>

namespace zelto {

std::string encodeDictToBaseTLV(const TagDictionary& qrCodeDict);

}  // namespace zelto

#endif  // ZELTO_PAYLOAD_BASE_PAYLOAD_H_
