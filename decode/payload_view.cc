#include "decode/payload_view.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "payload/tag_table.h"

namespace zelto {
namespace {

constexpr int kTagCount = 100;

// The tags "00"-"99" seen so far, in two words that stay in registers.
class SeenTags {
 public:
  // Marks `tag`; false when it was marked already.
  bool mark(int tag) {
    std::uint64_t& word = tag < 64 ? low_ : high_;
    const std::uint64_t bit = std::uint64_t{1} << (tag & 63);
    if ((word & bit) != 0) return false;
    word |= bit;
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

constexpr int tagNumberOf(std::string_view name) {
  for (const TagTableEntry& entry : kTagTable) {
    if (entry.name == name) return (entry.tag[0] - '0') * 10 + (entry.tag[1] - '0');
  }
  return -1;
}

// The view's text field for each top-level tag the validator reads.
using Field = PayloadView::Text PayloadView::*;
constexpr std::array<Field, kTagCount> kFields = [] {
  std::array<Field, kTagCount> fields{};
  fields[tagNumberOf("payloadFormatIndicator")] = &PayloadView::payloadFormatIndicator;
  fields[tagNumberOf("zeltoMerchantID")] = &PayloadView::merchantId;
  fields[tagNumberOf("merchantCategoryCode")] = &PayloadView::merchantCategoryCode;
  fields[tagNumberOf("currencyCode")] = &PayloadView::currencyCode;
  fields[tagNumberOf("transactionAmount")] = &PayloadView::transactionAmount;
  fields[tagNumberOf("tipAndFeeIndicator")] = &PayloadView::tipAndFeeIndicator;
  fields[tagNumberOf("convenienceFeeAmount")] = &PayloadView::convenienceFeeAmount;
  fields[tagNumberOf("convenienceFeePercentage")] = &PayloadView::convenienceFeePercentage;
  fields[tagNumberOf("countryCode")] = &PayloadView::countryCode;
  fields[tagNumberOf("merchantName")] = &PayloadView::merchantName;
  fields[tagNumberOf("cityName")] = &PayloadView::cityName;
  fields[tagNumberOf("postalCode")] = &PayloadView::postalCode;
  fields[tagNumberOf("crc")] = &PayloadView::crc;
  return fields;
}();

constexpr int kAdditionalData = 62;
constexpr int kLanguageTemplate = 64;
constexpr int kCrc = 63;

bool isAccountTemplate(int tag) { return tag >= 26 && tag <= 51; }
bool isOtherTemplate(int tag) { return tag >= 80 && tag <= 99; }

// The names under which the decoder keeps the sub-fields "01"-"14" of "62".
constexpr std::array<std::string_view, kTagCount> kAdditionalDataNames = [] {
  std::array<std::string_view, kTagCount> names{};
  for (const TagTableEntry& entry : kTagTable) {
    if (entry.tag.size() == 4) names[(entry.tag[2] - '0') * 10 + (entry.tag[3] - '0')] = entry.name;
  }
  return names;
}();

// The names under which the decoder keeps the sub-fields of "64", by number.
const std::array<std::string_view, kTagCount>& languageTemplateNames() {
  static const auto names = [] {
    std::array<std::string_view, kTagCount> byNumber{};
    for (const auto& [subTag, name] : merchantInformationLanguageTemplateSubTagDictionary()) {
      if (subTag.size() == 2) byNumber[twoDigits(subTag.data())] = name;
    }
    return byNumber;
  }();
  return names;
}

// The key the decoder gives sub-element `subTag` (number `sub`) of template `tag`.
std::string_view keyOf(int tag, int sub, std::string_view subTag) {
  if (tag == kAdditionalData && !kAdditionalDataNames[sub].empty()) {
    return kAdditionalDataNames[sub];
  }
  if (tag == kLanguageTemplate && !languageTemplateNames()[sub].empty()) {
    return languageTemplateNames()[sub];
  }
  return subTag;
}

}  // namespace

bool isOneBytePerCharacter(std::string_view text) {
  // Eight bytes at a time: no high bit set, and no byte equal to "\r".
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    const std::uint64_t carriageReturns = word ^ (kOnes * '\r');
    if (((word | ((carriageReturns - kOnes) & ~carriageReturns)) & kHighBits) != 0) return false;
  }
  for (; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80 || c == '\r') return false;
  }
  return true;
}

bool PlainPayload::read(std::string_view text, PayloadView& view) {
  used_ = 0;
  if (!text.starts_with("00") || !isOneBytePerCharacter(text)) return false;
  view.oneBytePerCharacter = true;
  SeenTags seen;
  int lastTag = -1;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text.size() - at < 4) return false;
    const int tag = twoDigits(text.data() + at);
    const int length = twoDigits(text.data() + at + 2);
    if (tag < 0 || length < 1 || !seen.mark(tag)) return false;
    at += 4;
    if (text.size() - at < static_cast<std::size_t>(length)) return false;
    const std::string_view value = text.substr(at, length);
    at += length;
    lastTag = tag;
    if (tag == kAdditionalData) {
      if (!readTemplate(tag, value, &view.additionalData, /*sorted=*/true)) return false;
    } else if (tag == kLanguageTemplate) {
      if (!readTemplate(tag, value, &view.languageTemplate, /*sorted=*/true)) return false;
    } else if (isAccountTemplate(tag)) {
      if (!readTemplate(tag, value, &view.accountTemplates[tag - 26], /*sorted=*/false)) {
        return false;
      }
    } else if (isOtherTemplate(tag)) {
      if (!readTemplate(tag, value, nullptr, /*sorted=*/false)) return false;
    } else if (const Field field = kFields[tag]) {
      view.*field = value;
    }
  }
  return lastTag == kCrc;
}

bool PlainPayload::readTemplate(int tag, std::string_view value, TemplateView* out, bool sorted) {
  const std::size_t first = used_;
  SeenTags seen;
  std::size_t at = 0;
  while (at < value.size()) {
    if (value.size() - at < 4) return false;
    const int sub = twoDigits(value.data() + at);
    const int length = twoDigits(value.data() + at + 2);
    if (sub < 0 || length < 1) return false;
    if (tag == kAdditionalData && sub == 0) return false;  // "6200" is no field
    if (!seen.mark(sub)) return false;
    const std::string_view subTag = value.substr(at, 2);
    at += 4;
    if (value.size() - at < static_cast<std::size_t>(length)) return false;
    if (out != nullptr) {
      if (used_ == entries_.size()) return false;
      entries_[used_++] = {keyOf(tag, sub, subTag), value.substr(at, length)};
    }
    at += length;
  }
  if (out != nullptr) {
    const auto entries = std::span(entries_).subspan(first, used_ - first);
    if (sorted) {
      std::sort(entries.begin(), entries.end(),
                [](const TemplateEntry& a, const TemplateEntry& b) { return a.key < b.key; });
    }
    *out = entries;
  }
  return true;
}

}  // namespace zelto
