// The payload decoder: turns merchant QR payload text back into a record, one property per tag.
//
// Two text formats, told apart by the first two characters:
//   - format 01, chosen when the text begins with "00": data objects of a two-character tag, a
//     two-digit length and the value, end to end; templates ("26"-"51", "62", "64", "80"-"99")
//     hold sub-objects of the same layout, which must lie wholly inside their template; the
//     last top-level object must be the CRC object "63" (its value is not checked here);
//   - format 00, every other text: one tag character (compared without regard to case), one
//     length character read as a base-36 digit ("0"-"9", "a"-"z"), then the value.
// The decoder checks structure only: tag syntax, lengths, repeated tags (top level, or within
// one template), and that the record takes every element. Field contents and the CRC value are
// the validator's work (decode/pay_merchant_validator.h).
//
// Character counting: positions and lengths are user-perceived characters (extended grapheme
// clusters), the unit the encoders write lengths in (zelto::text::characterCount). Each field
// (tag, length, value) is counted from its own first character, so a value is read exactly as
// the encoder counted it. Two kinds of value cannot be told apart from their surroundings and do
// not decode: one that begins with a combining mark (it joins the last digit of its length
// field, which then does not read as a number) and one that ends with a prepended mark such as
// U+0600 (it absorbs the next tag's first digit). Pure ASCII text never meets either case and
// takes a fast path where one character is one byte ("\r\n" still counts as one character).
// Payloads whose lengths count code points rather than characters decode only when the two
// counts agree.
//
// Guarantees: never crashes or reads outside the text, whatever it holds (ill-formed UTF-8
// included). Apart from one linear scan that picks the ASCII fast path, work is bounded by the
// structure: ZeltoPayMerchantTLV takes only the 100 two-digit tags, each once, with values of at
// most 99 characters, so decoding stops within about 10,000 characters however long the text.
//
// Thread-safety: decoding keeps its state on the stack; a record must not be decoded into from
// two threads at once.
#ifndef ZELTO_DECODE_TLV_DECODER_H_
#define ZELTO_DECODE_TLV_DECODER_H_

#include <zelto/export.h>
#include <zelto/payload/tag_dictionary.h>

#include <optional>
#include <string_view>

namespace zelto {

// Why a payload did not decode; the ordinal is the error's numeric code.
enum class TLVDecodingError {
  invalidLength = 0,     // text too short, or a length problem inside it (see below)
  invalidTagLength = 1,  // no room for a length, a length that is not a number of at least 1
                         // (format 01), or a value longer than what remains
  repeatedTag = 2,       // a tag seen before at the top level, or within one template
  invalidTag = 3,        // the record refused an element, or the last element is not "63"
};

// The case's name as written above ("invalidLength").
ZELTO_EXPORT std::string_view caseName(TLVDecodingError error);

// Implemented by records that payloads decode into. The decoder calls the two storage
// operations in text order, element by element, as each element is read.
class ZELTO_EXPORT TLVDecodingProtocol {
 public:
  virtual ~TLVDecodingProtocol() = default;

  // Stores one format-00 element; `tag` is the tag character in lower case. Returns false when
  // the record does not know the tag.
  virtual bool assignTLV00(std::string_view tag, int length, std::string_view value) = 0;

  // Stores one format-01 element. For the additional data template "62" the decoder calls it
  // with the whole raw value first, then once per sub-element (with `subtag`), then with the
  // map of all sub-elements (`valueDictionary`, `value` empty). Other templates arrive once, as
  // their map. Returns false when the record does not know the tag or sub-tag.
  virtual bool assignTLV01(std::string_view tag, std::optional<std::string_view> subtag, int length,
                           std::string_view value,
                           std::optional<TagDictionary> valueDictionary) = 0;

  // Decodes `text` into this record. Returns nullopt on success, otherwise the first failure:
  // invalidLength (invalidTagLength is reported as invalidLength), repeatedTag or invalidTag.
  // Elements assigned before a failure stay in the record.
  std::optional<TLVDecodingError> decodeTLV(std::string_view text);

 private:
  std::optional<TLVDecodingError> decodeTLV00(std::string_view text);
  std::optional<TLVDecodingError> decodeTLV01(std::string_view text);
};

}  // namespace zelto

#endif  // ZELTO_DECODE_TLV_DECODER_H_
