#include <zelto/payload/crc16.h>
#include <zelto/payload/tlv_generator.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/text.h"
#include "payload/base_payload.h"
#include "payload/object_writer.h"
#include "payload/tag_table.h"

namespace zelto {

namespace tlv {

namespace {

// The number of characters of `value`, or kLeftOut when it holds a control character. Payload
// values are nearly always a few printable ASCII characters, one character per byte: those are
// answered here, the others by the text helpers.
std::size_t printableCharacterCount(std::string_view value) {
  if (text::isPrintableAscii(value)) return value.size();
  if (text::findControlCharacter(value)) return kLeftOut;
  return text::characterCount(value);
}

// Whether `tag` holds no control character; a tag of two printable ASCII characters, as every
// tag of the table is, is answered without a call.
bool printableTag(std::string_view tag) {
  if (tag.size() == 2 && static_cast<unsigned char>(tag[0] - 0x20) < 0x5F &&
      static_cast<unsigned char>(tag[1] - 0x20) < 0x5F) {
    return true;
  }
  return !text::findControlCharacter(tag);
}

}  // namespace

std::size_t objectLength(std::string_view value, bool writeEmpty) {
  if (value.empty() && !writeEmpty) return kLeftOut;
  const std::size_t count = printableCharacterCount(value);
  return count > kMaxValueCharacters ? kLeftOut : count;
}

bool appendObject(std::string& out, std::string_view tag, std::string_view value, bool writeEmpty) {
  const std::size_t count = objectLength(value, writeEmpty);
  if (count == kLeftOut || !printableTag(tag)) return false;
  const char length[2] = {static_cast<char>('0' + count / 10), static_cast<char>('0' + count % 10)};
  if (tag.size() == 2) {
    const char head[4] = {tag[0], tag[1], length[0], length[1]};
    out.append(head, 4);
  } else {
    out.append(tag).append(length, 2);
  }
  out.append(value);
  return true;
}

}  // namespace tlv

namespace {

constexpr int kPayloadFormatIndicator = 0;  // "00", first in the tag table
static_assert(kTagTable[kPayloadFormatIndicator].tag == "00");

// One entry of a dictionary, its key resolved against the tag table: `position` is the table
// entry that the key names as a tag or as a property name, or kNotInTagTable. `value` is null
// for a property name whose tag is also in the dictionary: the tag's value wins.
struct ResolvedEntry {
  int position;
  bool byName;
  const std::string* key;
  const TagValue* value;
};

// The resolved entries of one dictionary. Dictionaries are small: up to 32 entries are kept
// without allocating (ResolvedEntry needs no initialisation), larger ones on the heap.
class ResolvedEntries {
 public:
  explicit ResolvedEntries(std::size_t size) {
    if (size > inline_.size()) {
      heap_.resize(size);
      data_ = heap_.data();
    }
  }
  ResolvedEntries(const ResolvedEntries&) = delete;
  ResolvedEntries& operator=(const ResolvedEntries&) = delete;

  void push_back(const ResolvedEntry& entry) { data_[size_++] = entry; }
  ResolvedEntry& operator[](std::size_t i) { return data_[i]; }
  std::size_t size() const { return size_; }
  const ResolvedEntry* begin() const { return data_; }
  const ResolvedEntry* end() const { return data_ + size_; }

 private:
  std::array<ResolvedEntry, 32> inline_;
  std::vector<ResolvedEntry> heap_;
  ResolvedEntry* data_ = inline_.data();
  std::size_t size_ = 0;
};

// When a dictionary names a table entry both by tag and by property name, the tag's value wins,
// at the tag's place: the other entry is set aside (its value made null).
void keepOneEntryPerTag(ResolvedEntries& entries) {
  constexpr std::uint32_t kAbsent = static_cast<std::uint32_t>(-1);
  std::array<std::uint32_t, std::size(kTagTable)> at;  // where each table entry stands
  at.fill(kAbsent);
  for (std::uint32_t i = 0; i < entries.size(); ++i) {
    ResolvedEntry& entry = entries[i];
    if (entry.position == kNotInTagTable) continue;
    std::uint32_t& standing = at[entry.position];
    if (standing == kAbsent) {
      standing = i;
    } else if (entry.byName) {
      entry.value = nullptr;
    } else {
      entries[standing].value = nullptr;
      standing = i;
    }
  }
}

// The entries of a dictionary in its order, each key resolved once. Time is linear in the size
// of the dictionary.
void resolveKeys(const TagDictionary& dictionary, ResolvedEntries& entries) {
  bool byName = false;
  for (const auto& [key, value] : dictionary) {
    int position = tagTablePositionOfTag(key);
    const bool named = position == kNotInTagTable;
    if (named) position = tagTablePositionOfName(key);
    byName |= named && position != kNotInTagTable;
    entries.push_back({position, named, &key, &value});
  }
  // Keys are unique, so only a property name can meet another key for the same tag.
  if (byName) keepOneEntryPerTag(entries);
}

bool isCrc(int position) { return position != kNotInTagTable && kTagTable[position].tag == "63"; }

// The sub-tag under which a nested entry of template `templateTag` is written.
std::string_view subTagFor(std::string_view templateTag, const ResolvedEntry& entry) {
  if (entry.position != kNotInTagTable) {
    const std::string_view tag = kTagTable[entry.position].tag;
    return tag.substr(tag.size() - 2);
  }
  if (templateTag == "64") {
    for (const auto& [subTag, name] : merchantInformationLanguageTemplateSubTagDictionary()) {
      if (name == *entry.key) return subTag;
    }
    return {};
  }
  return *entry.key;
}

// Writes the template in place: its length is known once its sub-objects are written.
void appendTemplate(std::string& payload, std::string_view tag, const TagDictionary& nested) {
  const std::size_t start = payload.size();
  payload.append(tag).append("00");
  const std::size_t contentStart = payload.size();
  ResolvedEntries entries(nested.size());
  resolveKeys(nested, entries);
  for (const ResolvedEntry& entry : entries) {
    const std::string* text = entry.value == nullptr ? nullptr : entry.value->string();
    if (text == nullptr) continue;
    tlv::appendObject(payload, subTagFor(tag, entry), *text, /*writeEmpty=*/true);
  }
  const std::size_t count = text::characterCount(std::string_view(payload).substr(contentStart));
  if (count > tlv::kMaxValueCharacters) {
    payload.resize(start);
    return;
  }
  payload[contentStart - 2] = static_cast<char>('0' + count / 10);
  payload[contentStart - 1] = static_cast<char>('0' + count % 10);
}

}  // namespace

namespace {

bool isAmountOrAdditionalData(int position) {
  return position != kNotInTagTable &&
         (kTagTable[position].tag == "54" || kTagTable[position].tag == "62");
}

std::string encodeDictionary(const TagDictionary& qrCodeDict, bool withAmountAndAdditionalData) {
  ResolvedEntries entries(qrCodeDict.size());
  resolveKeys(qrCodeDict, entries);
  std::string payload;
  payload.reserve(256);
  for (const ResolvedEntry& entry : entries) {
    if (entry.position != kPayloadFormatIndicator || entry.value == nullptr) continue;
    if (const std::string* indicator = entry.value->string()) {
      tlv::appendObject(payload, "00", *indicator, /*writeEmpty=*/true);
    }
  }
  for (const ResolvedEntry& entry : entries) {
    if (entry.value == nullptr || entry.position == kPayloadFormatIndicator ||
        isCrc(entry.position) ||
        (!withAmountAndAdditionalData && isAmountOrAdditionalData(entry.position))) {
      continue;
    }
    const bool known = entry.position != kNotInTagTable;
    const std::string_view tag = known ? kTagTable[entry.position].tag : *entry.key;
    // Tags of the table are ASCII; another key is a tag when it has two user-perceived
    // characters, however many bytes they take.
    if (known ? tag.size() != 2 : text::characterCount(tag) != 2) continue;
    if (const std::string* text = entry.value->string()) {
      tlv::appendObject(payload, tag, *text, /*writeEmpty=*/true);
    } else if (const TagDictionary* nested = entry.value->dictionary()) {
      if (known) appendTemplate(payload, tag, *nested);
    }
  }
  crc16::appendCrcObject(payload);
  return payload;
}

}  // namespace

std::string TLVGenerator::encodeDictToTLV(const TagDictionary& qrCodeDict) {
  return encodeDictionary(qrCodeDict, /*withAmountAndAdditionalData=*/true);
}

std::string encodeDictToBaseTLV(const TagDictionary& qrCodeDict) {
  return encodeDictionary(qrCodeDict, /*withAmountAndAdditionalData=*/false);
}

}  // namespace zelto
