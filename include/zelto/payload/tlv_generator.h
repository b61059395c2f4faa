// The dictionary encoder: turns a tag dictionary into payload text.
//
// Payload text is data objects laid end to end: a two-character tag, the value's length in
// user-perceived characters written as two digits, and the value; a template's value is its
// own sequence of sub-objects. The text ends with "6304" and four upper-case hexadecimal CRC
// digits computed over everything before them, "6304" included.
//
// encodeDictToTLV(dict):
//   - keys that are tags of the tag table are first renamed to their property names (when a
//     dictionary holds both "59" and "merchantName", the tag's value wins, at the tag's place);
//   - "payloadFormatIndicator" (tag "00") is written first when it holds a string;
//   - the other entries follow in the dictionary's own order: a string under a known name or
//     under any other two-character key is written as a plain object (an empty string as
//     "tag00"); a nested dictionary under a known name is written as a template, its string
//     entries as sub-objects (sub-tags of the tag table, the three names of the language
//     template "64", or the nested key itself); other values, "crc", and names whose tag is
//     not two characters (the sub-fields of "62" at the root) are skipped;
//   - a value or template of 100 characters or more is left out, so that every payload this
//     library emits can be read back by a decoder: a two-digit length cannot describe it;
//   - a value or tag holding a control character (U+0000 to U+001F, U+007F to U+009F) is left
//     out: a scanner cannot print it, and U+0000 would cut the payload short as a C string.
// Encoding never fails and reports nothing; problems surface when the payload is validated.
//
// Thread-safety: stateless; may be called from any thread.
#ifndef ZELTO_PAYLOAD_TLV_GENERATOR_H_
#define ZELTO_PAYLOAD_TLV_GENERATOR_H_

#include <zelto/export.h>
#include <zelto/payload/tag_dictionary.h>

#include <string>
#include <string_view>
#include <vector>

namespace zelto {

class ZELTO_EXPORT TLVGenerator {
 public:
  static std::string encodeDictToTLV(const TagDictionary& qrCodeDict);

  // Decodes payload text and checks it rule by rule; returns the QR error codes found, in the
  // order first found, each once, or an empty list when the payload is valid. Text that does
  // not decode gives ["0"] alone. Rules and codes: decode/pay_merchant_validator.h. Defined
  // beside the validator it runs (decode/tlv_validation.cc). Uses this thread's shared validator.
  static std::vector<std::string> tlvValidation(std::string_view tlvString);
};

namespace tlv {

// Longest value a data object can carry: its length has two digits.
inline constexpr std::size_t kMaxValueCharacters = 99;

// Appends tag, two-digit length and value to `out` when `value` has 1 to 99 characters and
// neither holds a control character. An empty value is written as "tag00" only when
// `writeEmpty` is true. Returns whether something was written.
bool appendObject(std::string& out, std::string_view tag, std::string_view value,
                  bool writeEmpty = false);

}  // namespace tlv

}  // namespace zelto

#endif  // ZELTO_PAYLOAD_TLV_GENERATOR_H_
