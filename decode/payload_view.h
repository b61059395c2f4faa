// The fields of a merchant payload that the validator reads, as views into text held elsewhere,
// so that validating a payload copies none of its values. Internal to decode/.
//
// A view comes from a decoded record (RecordPayload) or straight from the text of a plain
// payload (PlainPayload), which is how TLVGenerator::tlvValidation reads nearly every payload. A
// plain payload always decodes, and the record it decodes into holds exactly the values its view
// holds, so both roads give the same codes.
//
// Thread-safety: plain values; callers serialise access.
#ifndef ZELTO_DECODE_PAYLOAD_VIEW_H_
#define ZELTO_DECODE_PAYLOAD_VIEW_H_

#include <zelto/decode/pay_merchant_tlv.h>
#include <zelto/payload/tag_dictionary.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zelto {

// One entry of a template's map: its key and its text, absent when the value is not a string.
struct TemplateEntry {
  std::string_view key;
  std::optional<std::string_view> text;
};

// A template's entries, or nullopt when the payload does not hold the template.
using TemplateView = std::optional<std::span<const TemplateEntry>>;

struct PayloadView {
  using Text = std::optional<std::string_view>;

  Text payloadFormatIndicator;                    // "00"
  Text merchantId;                                // "02"
  Text merchantCategoryCode;                      // "52"
  Text currencyCode;                              // "53"
  Text transactionAmount;                         // "54"
  Text tipAndFeeIndicator;                        // "55"
  Text convenienceFeeAmount;                      // "56"
  Text convenienceFeePercentage;                  // "57"
  Text countryCode;                               // "58"
  Text merchantName;                              // "59"
  Text cityName;                                  // "60"
  Text postalCode;                                // "61"
  Text crc;                                       // "63"
  Text primaryId;                                 // format 00 only
  Text secondaryId;                               // format 00 only
  TemplateView additionalData;                    // "62", sorted by key
  TemplateView languageTemplate;                  // "64", sorted by key
  std::array<TemplateView, 26> accountTemplates;  // "26"-"51", in text order
  std::uint32_t heldAccountTemplates = 0;         // bit i set when accountTemplates[i] is
  // Every value is ASCII without "\r", so its length in characters is its size.
  bool oneBytePerCharacter = false;
};

// True when every character of `text` is one byte: ASCII without "\r" (which may pair with "\n").
bool isOneBytePerCharacter(std::string_view text);

// A payload in format 01 whose structure leaves nothing to interpret: ASCII without "\r"; "00"
// first and "63" last; every tag, sub-tag and length two ASCII digits; every length at least 1
// and within its text; no tag twice at the top level or within one template; sub-tags of "62"
// from "01" to "99". Decoding such text always succeeds.
class PlainPayload {
 public:
  // Reads `text` into this reader's view and returns it; it refers to `text` and to this
  // reader's entries until the next read. Returns nullptr when the text is not plain (or holds
  // more template entries than kMaxEntries).
  const PayloadView* read(std::string_view text);

 private:
  static constexpr std::size_t kMaxEntries = 48;

  // Checks the sub-elements of template `tag` and, unless `out` is null, puts them in the entry
  // pool (sorted by key if `sorted`) and points `out` at them.
  bool readTemplate(int tag, std::string_view value, TemplateView* out, bool sorted);

  PayloadView view_;
  std::array<TemplateEntry, kMaxEntries> entries_;
  std::array<std::uint8_t, kMaxEntries> ranks_;  // each entry's place in key order
  std::size_t used_ = 0;
};

// A decoded record's fields as a view. The entries of its templates are kept here, those of "62"
// and "64" sorted by key; the view refers to the record, which must outlive this object.
class RecordPayload {
 public:
  explicit RecordPayload(const ZeltoPayMerchantTLV& record);
  RecordPayload(const RecordPayload&) = delete;
  RecordPayload& operator=(const RecordPayload&) = delete;

  const PayloadView& view() const { return view_; }

 private:
  TemplateView entriesOf(const std::optional<TagDictionary>& map, bool sorted);

  PayloadView view_;
  std::vector<std::vector<TemplateEntry>> storage_;
};

}  // namespace zelto

#endif  // ZELTO_DECODE_PAYLOAD_VIEW_H_
