#include "decode/payload_view.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <utility>

#include "payload/tag_table.h"

namespace zelto {
namespace {

constexpr int kTagCount = 100;

// The tags "00"-"99" seen so far, in two words that stay in registers.
class SeenTags {
 public:
  // Marks `tag`; false when it was marked already.
  bool mark(int tag) {
    // A branch a word, rather than a reference to one, keeps both words in registers.
    const std::uint64_t bit = std::uint64_t{1} << (tag & 63);
    if (tag < 64) {
      if ((low_ & bit) != 0) return false;
      low_ |= bit;
    } else {
      if ((high_ & bit) != 0) return false;
      high_ |= bit;
    }
    return true;
  }

 private:
  std::uint64_t low_ = 0;
  std::uint64_t high_ = 0;
};

// The number of the two ASCII digits at `digits`, or -1.
int twoDigits(const char* digits) {
  const unsigned tens = static_cast<unsigned char>(digits[0]) - unsigned{'0'};
  const unsigned units = static_cast<unsigned char>(digits[1]) - unsigned{'0'};
  if (tens > 9 || units > 9) return -1;
  return static_cast<int>(tens * 10 + units);
}

// The head of a data object: its tag and its length, each two ASCII digits.
struct Head {
  int tag;
  int length;
};

// Reads the head whose four bytes are at `bytes`; false when one of them is not an ASCII digit
// or the length is 0, which no plain payload holds. The four bytes are read as one word: a byte is
// a digit when its high half is 3 both before and after adding 6; with the digits' values d0 d1 d2
// d3 in its bytes, the word times 10 plus itself moved one byte holds d0 d1 and d2 d3 as numbers in
// its first and third bytes.
bool readHead(const char* bytes, Head& head) {
  std::uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = (word << 8) | static_cast<unsigned char>(bytes[i]);
  constexpr std::uint32_t kHighHalves = 0xF0F0F0F0;
  constexpr std::uint32_t kThrees = 0x30303030;
  if ((((word & kHighHalves) ^ kThrees) | (((word + 0x06060606) & kHighHalves) ^ kThrees)) != 0) {
    return false;
  }
  const std::uint32_t digits = word - kThrees;
  const std::uint32_t pairs = digits * 10 + (digits >> 8);
  head = {static_cast<int>(pairs & 0xFF), static_cast<int>((pairs >> 16) & 0xFF)};
  return head.length != 0;
}

constexpr int tagNumberOf(std::string_view name) {
  for (const TagTableEntry& entry : kTagTable) {
    if (entry.name == name) return (entry.tag[0] - '0') * 10 + (entry.tag[1] - '0');
  }
  return -1;
}

// The view's text fields that a plain payload sets, with the name of each one's tag.
using Field = PayloadView::Text PayloadView::*;
constexpr std::array<std::pair<std::string_view, Field>, 13> kNamedFields = {{
    {"payloadFormatIndicator", &PayloadView::payloadFormatIndicator},
    {"zeltoMerchantID", &PayloadView::merchantId},
    {"merchantCategoryCode", &PayloadView::merchantCategoryCode},
    {"currencyCode", &PayloadView::currencyCode},
    {"transactionAmount", &PayloadView::transactionAmount},
    {"tipAndFeeIndicator", &PayloadView::tipAndFeeIndicator},
    {"convenienceFeeAmount", &PayloadView::convenienceFeeAmount},
    {"convenienceFeePercentage", &PayloadView::convenienceFeePercentage},
    {"countryCode", &PayloadView::countryCode},
    {"merchantName", &PayloadView::merchantName},
    {"cityName", &PayloadView::cityName},
    {"postalCode", &PayloadView::postalCode},
    {"crc", &PayloadView::crc},
}};

// The view's text field for each top-level tag the validator reads.
constexpr std::array<Field, kTagCount> kFields = [] {
  std::array<Field, kTagCount> fields{};
  for (const auto& [name, field] : kNamedFields) fields[tagNumberOf(name)] = field;
  return fields;
}();

constexpr int kAdditionalData = 62;
constexpr int kLanguageTemplate = 64;
constexpr int kCrc = 63;

bool isAccountTemplate(int tag) { return tag >= 26 && tag <= 51; }
bool isOtherTemplate(int tag) { return tag >= 80 && tag <= 99; }

// The key the decoder gives each sub-element "00"-"99" of the additional data template ("62")
// and of the language template ("64"): the name of the field, or the sub-tag itself. The
// validator visits these two templates in key order, and `rank` is a key's place in that order
// among the hundred keys of its template, so that sorting compares numbers instead of text.
struct TemplateKeys {
  std::array<std::string_view, kTagCount> key;
  std::array<std::uint8_t, kTagCount> rank;
};

TemplateKeys keysOf(const std::array<std::string_view, kTagCount>& names,
                    const std::array<std::string, kTagCount>& subTags) {
  TemplateKeys keys;
  std::array<int, kTagCount> order;
  for (int sub = 0; sub < kTagCount; ++sub) {
    keys.key[sub] = names[sub].empty() ? std::string_view(subTags[sub]) : names[sub];
    order[sub] = sub;
  }
  std::sort(order.begin(), order.end(), [&](int a, int b) { return keys.key[a] < keys.key[b]; });
  for (int place = 0; place < kTagCount; ++place) {
    keys.rank[order[place]] = static_cast<std::uint8_t>(place);
  }
  return keys;
}

struct AllTemplateKeys {
  std::array<std::string, kTagCount> subTags;  // "00"-"99"
  TemplateKeys additionalData;
  TemplateKeys languageTemplate;
};

const AllTemplateKeys& templateKeys() {
  static const AllTemplateKeys keys = [] {
    AllTemplateKeys all;
    for (int sub = 0; sub < kTagCount; ++sub) {
      all.subTags[sub] = {static_cast<char>('0' + sub / 10), static_cast<char>('0' + sub % 10)};
    }
    std::array<std::string_view, kTagCount> additionalData{};
    for (const TagTableEntry& entry : kTagTable) {
      if (entry.tag.size() == 4 && entry.tag.starts_with("62")) {
        additionalData[twoDigits(entry.tag.data() + 2)] = entry.name;
      }
    }
    std::array<std::string_view, kTagCount> language{};
    for (const auto& [subTag, name] : merchantInformationLanguageTemplateSubTagDictionary()) {
      if (subTag.size() == 2) language[twoDigits(subTag.data())] = name;
    }
    all.additionalData = keysOf(additionalData, all.subTags);
    all.languageTemplate = keysOf(language, all.subTags);
    return all;
  }();
  return keys;
}

}  // namespace

bool isOneBytePerCharacter(std::string_view text) {
  // Without an early exit the compiler checks sixteen or more bytes an instruction.
  unsigned char found = 0;
  for (const char c : text) {
    found |= static_cast<unsigned char>(static_cast<unsigned char>(c) >= 0x80 || c == '\r');
  }
  return found == 0;
}

const PayloadView* PlainPayload::read(std::string_view text) {
  // Only what a read sets is cleared, and clearing a field is clearing its flag: of the 26
  // account templates, most of the view, only those the last read set.
  for (const auto& [name, field] : kNamedFields) (view_.*field).reset();
  view_.additionalData.reset();
  view_.languageTemplate.reset();
  for (std::uint32_t bits = view_.heldAccountTemplates; bits != 0; bits &= bits - 1) {
    view_.accountTemplates[std::countr_zero(bits)].reset();
  }
  view_.heldAccountTemplates = 0;
  used_ = 0;
  if (!text.starts_with("00") || !isOneBytePerCharacter(text)) return nullptr;
  view_.oneBytePerCharacter = true;
  SeenTags seen;
  int lastTag = -1;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text.size() - at < 4) return nullptr;
    Head head;
    if (!readHead(text.data() + at, head)) return nullptr;
    const auto [tag, length] = head;
    if (!seen.mark(tag)) return nullptr;
    at += 4;
    if (text.size() - at < static_cast<std::size_t>(length)) return nullptr;
    const std::string_view value(text.data() + at, length);
    at += length;
    lastTag = tag;
    // Plain fields, most of a payload, first: a template's tag has no field.
    if (const Field field = kFields[tag]) {
      (view_.*field).emplace(value);
    } else if (tag == kAdditionalData) {
      if (!readTemplate(tag, value, &view_.additionalData, /*sorted=*/true)) return nullptr;
    } else if (tag == kLanguageTemplate) {
      if (!readTemplate(tag, value, &view_.languageTemplate, /*sorted=*/true)) return nullptr;
    } else if (isAccountTemplate(tag)) {
      view_.heldAccountTemplates |= std::uint32_t{1} << (tag - 26);
      if (!readTemplate(tag, value, &view_.accountTemplates[tag - 26], /*sorted=*/false)) {
        return nullptr;
      }
    } else if (isOtherTemplate(tag)) {
      if (!readTemplate(tag, value, nullptr, /*sorted=*/false)) return nullptr;
    }
  }
  return lastTag == kCrc ? &view_ : nullptr;
}

bool PlainPayload::readTemplate(int tag, std::string_view value, TemplateView* out, bool sorted) {
  // The count of entries in a local: the ranks are bytes, and a store of a byte could change
  // any member as far as the compiler knows.
  const std::size_t first = used_;
  std::size_t used = first;
  const TemplateKeys* named = nullptr;
  if (tag == kAdditionalData) named = &templateKeys().additionalData;
  if (tag == kLanguageTemplate) named = &templateKeys().languageTemplate;
  SeenTags seen;
  std::size_t at = 0;
  while (at < value.size()) {
    if (value.size() - at < 4) return false;
    Head head;
    if (!readHead(value.data() + at, head)) return false;
    const auto [sub, length] = head;
    if (tag == kAdditionalData && sub == 0) return false;  // "6200" is no field
    if (!seen.mark(sub)) return false;
    const std::string_view subTag(value.data() + at, 2);
    at += 4;
    if (value.size() - at < static_cast<std::size_t>(length)) return false;
    if (out != nullptr) {
      if (used == entries_.size()) return false;
      ranks_[used] = named != nullptr ? named->rank[sub] : 0;
      entries_[used++] = {named != nullptr ? named->key[sub] : subTag,
                          std::string_view(value.data() + at, length)};
    }
    at += length;
  }
  used_ = used;
  if (out != nullptr) {
    if (sorted) {
      // Insertion sort by rank: templates hold a handful of entries.
      for (std::size_t i = first + 1; i < used; ++i) {
        for (std::size_t j = i; j > first && ranks_[j - 1] > ranks_[j]; --j) {
          std::swap(ranks_[j - 1], ranks_[j]);
          std::swap(entries_[j - 1], entries_[j]);
        }
      }
    }
    *out = std::span(entries_).subspan(first, used - first);
  }
  return true;
}

namespace {

using MapMember = std::optional<TagDictionary> ZELTOMerchantTLV::*;
// The merchant account templates "26"-"51".
constexpr std::array<MapMember, 26> kAccountTemplates = {
    &ZELTOMerchantTLV::tag26, &ZELTOMerchantTLV::tag27, &ZELTOMerchantTLV::tag28,
    &ZELTOMerchantTLV::tag29, &ZELTOMerchantTLV::tag30, &ZELTOMerchantTLV::tag31,
    &ZELTOMerchantTLV::tag32, &ZELTOMerchantTLV::tag33, &ZELTOMerchantTLV::tag34,
    &ZELTOMerchantTLV::tag35, &ZELTOMerchantTLV::tag36, &ZELTOMerchantTLV::tag37,
    &ZELTOMerchantTLV::tag38, &ZELTOMerchantTLV::tag39, &ZELTOMerchantTLV::tag40,
    &ZELTOMerchantTLV::tag41, &ZELTOMerchantTLV::tag42, &ZELTOMerchantTLV::tag43,
    &ZELTOMerchantTLV::tag44, &ZELTOMerchantTLV::tag45, &ZELTOMerchantTLV::tag46,
    &ZELTOMerchantTLV::tag47, &ZELTOMerchantTLV::tag48, &ZELTOMerchantTLV::tag49,
    &ZELTOMerchantTLV::tag50, &ZELTOMerchantTLV::tag51};

}  // namespace

RecordPayload::RecordPayload(const ZeltoPayMerchantTLV& record) {
  view_.payloadFormatIndicator = record.payloadFormatIndicator;
  view_.merchantId = record.zeltoMerchantID();
  view_.merchantCategoryCode = record.merchantCategoryCode;
  view_.currencyCode = record.currencyCode;
  view_.transactionAmount = record.transactionAmount;
  view_.tipAndFeeIndicator = record.tipAndFeeIndicator;
  view_.convenienceFeeAmount = record.convenienceFeeAmount;
  view_.convenienceFeePercentage = record.convenienceFeePercentage;
  view_.countryCode = record.countryCode;
  view_.merchantName = record.merchantName;
  view_.cityName = record.cityName;
  view_.postalCode = record.postalCode;
  view_.crc = record.crc;
  view_.primaryId = record.primaryID;
  view_.secondaryId = record.secondaryID;
  view_.additionalData = entriesOf(record.additionalDataFieldTemplate, /*sorted=*/true);
  view_.languageTemplate = entriesOf(record.merchantInformationLanguageTemplate, /*sorted=*/true);
  for (std::size_t i = 0; i < kAccountTemplates.size(); ++i) {
    view_.accountTemplates[i] = entriesOf(record.*kAccountTemplates[i], /*sorted=*/false);
    if (view_.accountTemplates[i]) view_.heldAccountTemplates |= std::uint32_t{1} << i;
  }
}

TemplateView RecordPayload::entriesOf(const std::optional<TagDictionary>& map, bool sorted) {
  if (!map) return std::nullopt;
  // Each list keeps its own buffer, which stays put when the list of lists grows.
  std::vector<TemplateEntry>& entries = storage_.emplace_back();
  entries.reserve(map->size());
  for (const auto& [key, value] : *map) {
    const std::string* text = value.string();
    entries.push_back({key, text ? std::optional<std::string_view>(*text) : std::nullopt});
  }
  if (sorted) {
    std::sort(entries.begin(), entries.end(),
              [](const TemplateEntry& a, const TemplateEntry& b) { return a.key < b.key; });
  }
  return std::span<const TemplateEntry>(entries);
}

}  // namespace zelto
