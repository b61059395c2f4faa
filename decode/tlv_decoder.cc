#include <zelto/decode/tlv_decoder.h>

#include <algorithm>
#include <bitset>
#include <string>
#include <vector>

#include "base/text.h"
#include "decode/payload_view.h"
#include "payload/tag_table.h"

namespace zelto {
namespace {

constexpr std::optional<TLVDecodingError> kOk = std::nullopt;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The number of a tag of two ASCII digits, or -1.
int twoDigitNumber(std::string_view tag) {
  if (tag.size() != 2 || !isAsciiDigit(tag[0]) || !isAsciiDigit(tag[1])) return -1;
  return (tag[0] - '0') * 10 + (tag[1] - '0');
}

// Whether `tag` is the two characters `a` `b` (cheaper than comparing with a literal).
bool isTag(std::string_view tag, char a, char b) {
  return tag.size() == 2 && tag[0] == a && tag[1] == b;
}

// Templates other than "62", by tag number: "64", "26"-"51" and "80"-"99".
bool isTemplateNumber(int n) { return n == 64 || (n >= 26 && n <= 51) || (n >= 80 && n <= 99); }

// Whether `text` holds at least two characters; two leading ASCII bytes other than "\r\n"
// always are two characters.
bool hasTwoCharacters(std::string_view text) {
  if (text.size() < 2) return false;
  const auto first = static_cast<unsigned char>(text[0]);
  const auto second = static_cast<unsigned char>(text[1]);
  if (first < 0x80 && second < 0x80 && !(first == '\r' && second == '\n')) return true;
  return text::advanceCharacters(text, 2).has_value();
}

// Reads characters of one text, counting each field from its own first character.
class Reader {
 public:
  Reader(std::string_view text, bool oneBytePerCharacter)
      : text_(text), oneBytePerCharacter_(oneBytePerCharacter) {}

  std::string_view text() const { return text_; }
  bool oneBytePerCharacter() const { return oneBytePerCharacter_; }

  // Byte length of the first `count` characters from byte `from`, or kNone when fewer remain.
  std::size_t take(std::size_t from, std::size_t count) const {
    if (!oneBytePerCharacter_) return takeCharacters(from, count);
    return from <= text_.size() && text_.size() - from >= count ? count : kNone;
  }

  // The length field at `from`: two characters read as an integer of at least 1 (format 01).
  // Returns the length, or 0 when there is none, and advances `from` past the field.
  int takeLength(std::size_t& from) const {
    const std::size_t bytes = take(from, 2);
    if (bytes == kNone) return 0;
    const std::string_view field = text_.substr(from, bytes);
    int value = 0;
    if (bytes == 2 && isAsciiDigit(field[0]) && isAsciiDigit(field[1])) {
      value = (field[0] - '0') * 10 + (field[1] - '0');
    } else {
      // Signs ("+5", "-1") and anything else follow the library's integer rules.
      const auto parsed = text::parseInteger(field);
      if (!parsed || *parsed < 1) return 0;
      value = static_cast<int>(*parsed);
    }
    if (value >= 1) from += bytes;
    return value;
  }

 private:
  // take() for text with characters of more than one byte.
  std::size_t takeCharacters(std::size_t from, std::size_t count) const {
    const std::string_view rest = text_.substr(from);
    // Look at a window that grows until the boundary after the last character lies inside it,
    // so that a long text is not walked again for every field.
    std::size_t window = count * 16 + 16;
    for (;;) {
      // Never cut a UTF-8 sequence: its pieces would read as characters of their own.
      while (window < rest.size() && (static_cast<unsigned char>(rest[window]) & 0xC0) == 0x80) {
        ++window;
      }
      window = std::min(window, rest.size());
      const auto end = text::advanceCharacters(rest.substr(0, window), count);
      if (window == rest.size() || (end && *end < window)) return end.value_or(kNone);
      window *= 2;
    }
  }

  std::string_view text_;
  bool oneBytePerCharacter_;
};

// Tags seen so far. Payload tags are two digits or, in format 00, one ASCII character; other
// shapes are kept in a list.
class TagSet {
 public:
  // Adds `tag`; returns false when it was there already.
  bool insert(std::string_view tag) {
    if (const int n = twoDigitNumber(tag); n >= 0) return testAndSet(twoDigits_, n);
    if (tag.size() == 1 && static_cast<unsigned char>(tag[0]) < 0x80) {
      return testAndSet(singleAscii_, static_cast<unsigned char>(tag[0]));
    }
    for (const auto& seen : others_) {
      if (seen == tag) return false;
    }
    others_.emplace_back(tag);
    return true;
  }

  bool contains(std::string_view tag) const {
    if (const int n = twoDigitNumber(tag); n >= 0) return twoDigits_.test(n);
    if (tag.size() == 1 && static_cast<unsigned char>(tag[0]) < 0x80) {
      return singleAscii_.test(static_cast<unsigned char>(tag[0]));
    }
    for (const auto& seen : others_) {
      if (seen == tag) return true;
    }
    return false;
  }

 private:
  template <std::size_t N>
  static bool testAndSet(std::bitset<N>& bits, std::size_t i) {
    if (bits.test(i)) return false;
    bits.set(i);
    return true;
  }

  std::bitset<100> twoDigits_;
  std::bitset<128> singleAscii_;
  std::vector<std::string> others_;
};

// The key under which a sub-element of template `parent` is kept in the template's map: the
// name of a sub-tag of the language template "64" or of an additional data field of "62" (the
// only templates with named sub-fields), otherwise the sub-tag itself.
std::string subElementKey(std::string_view parent, std::string_view subTag) {
  if (isTag(parent, '6', '4')) {
    const auto& names = merchantInformationLanguageTemplateSubTagDictionary();
    if (auto it = names.find(subTag); it != names.end()) return it->second;
  } else if (isTag(parent, '6', '2') && subTag.size() == 2) {
    const char field[4] = {'6', '2', subTag[0], subTag[1]};
    const int position = tagTablePositionOfTag(std::string_view(field, 4));
    if (position != kNotInTagTable) return std::string(kTagTable[position].name);
  }
  return std::string(subTag);
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The Unicode lower case of one format-00 character, kept in `storage` when it is not ASCII.
std::string_view lowerCharacter(std::string_view character, char& ascii, std::string& storage) {
  if (character.size() == 1) {
    ascii = asciiLower(character[0]);
    return {&ascii, 1};
  }
  storage = text::toLower(character);
  return storage;
}

// Value of a base-36 digit after lower-casing ("K", the Kelvin sign, is "k": 20), or -1.
int base36Digit(std::string_view character) {
  char ascii = '\0';
  std::string storage;
  const std::string_view lowered = lowerCharacter(character, ascii, storage);
  if (lowered.size() != 1) return -1;
  const char c = lowered[0];
  if (isAsciiDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return -1;
}

// Reads the template whose value is `value` (`length` characters) and hands its sub-elements
// to `record`.
std::optional<TLVDecodingError> decodeSubtags(TLVDecodingProtocol& record, std::string_view parent,
                                              std::string_view value, int length,
                                              bool oneBytePerCharacter) {
  const Reader reader(value, oneBytePerCharacter);
  TagSet seen;
  TagDictionary map;
  // A sub-element takes at least five bytes, and a template at most 99 characters.
  map.reserve(std::min<std::size_t>(value.size(), 99) / 5);
  std::size_t cursor = 0;
  while (cursor < value.size()) {
    const std::size_t tagBytes = reader.take(cursor, 2);
    if (tagBytes == kNone) return TLVDecodingError::invalidTagLength;
    const std::string_view subTag = value.substr(cursor, tagBytes);
    if (!seen.insert(subTag)) return TLVDecodingError::repeatedTag;
    cursor += tagBytes;
    const int subLength = reader.takeLength(cursor);
    if (subLength < 1) return TLVDecodingError::invalidTagLength;
    const std::size_t valueBytes = reader.take(cursor, static_cast<std::size_t>(subLength));
    if (valueBytes == kNone) return TLVDecodingError::invalidTagLength;
    const std::string_view subValue = value.substr(cursor, valueBytes);
    cursor += valueBytes;
    map.set(subElementKey(parent, subTag), std::string(subValue));
    if (isTag(parent, '6', '2') &&
        !record.assignTLV01(parent, subTag, subLength, subValue, std::nullopt)) {
      return TLVDecodingError::invalidTag;
    }
  }
  if (!record.assignTLV01(parent, std::nullopt, length, "", std::move(map))) {
    return TLVDecodingError::invalidTag;
  }
  return kOk;
}

}  // namespace

std::string_view caseName(TLVDecodingError error) {
  switch (error) {
    case TLVDecodingError::invalidLength:
      return "invalidLength";
    case TLVDecodingError::invalidTagLength:
      return "invalidTagLength";
    case TLVDecodingError::repeatedTag:
      return "repeatedTag";
    case TLVDecodingError::invalidTag:
      return "invalidTag";
  }
  return "invalidLength";
}

std::optional<TLVDecodingError> TLVDecodingProtocol::decodeTLV(std::string_view text) {
  if (!hasTwoCharacters(text)) return TLVDecodingError::invalidLength;
  const auto error = text.starts_with("00") ? decodeTLV01(text) : decodeTLV00(text);
  if (error == TLVDecodingError::invalidTagLength) return TLVDecodingError::invalidLength;
  return error;
}

std::optional<TLVDecodingError> TLVDecodingProtocol::decodeTLV00(std::string_view text) {
  if (text.empty()) return TLVDecodingError::invalidLength;
  const Reader reader(text, isOneBytePerCharacter(text));
  TagSet seen;
  std::size_t cursor = 0;
  while (cursor < text.size()) {
    const std::size_t tagBytes = reader.take(cursor, 1);
    char asciiTag = '\0';
    std::string loweredTag;
    const std::string_view tag =
        lowerCharacter(text.substr(cursor, tagBytes), asciiTag, loweredTag);
    if (seen.contains(tag)) return TLVDecodingError::repeatedTag;
    const std::size_t lengthBytes = reader.take(cursor + tagBytes, 1);
    if (lengthBytes == kNone) return TLVDecodingError::invalidTagLength;
    const int length = base36Digit(text.substr(cursor + tagBytes, lengthBytes));
    if (length < 0) return TLVDecodingError::invalidTagLength;
    const std::size_t valueStart = cursor + tagBytes + lengthBytes;
    const std::size_t valueBytes = reader.take(valueStart, static_cast<std::size_t>(length));
    if (valueBytes == kNone) return TLVDecodingError::invalidTagLength;
    seen.insert(tag);
    if (!assignTLV00(tag, length, text.substr(valueStart, valueBytes))) {
      return TLVDecodingError::invalidTag;
    }
    cursor = valueStart + valueBytes;
  }
  return kOk;
}

std::optional<TLVDecodingError> TLVDecodingProtocol::decodeTLV01(std::string_view text) {
  if (text.empty()) return TLVDecodingError::invalidLength;
  const bool oneBytePerCharacter = isOneBytePerCharacter(text);
  const Reader reader(text, oneBytePerCharacter);
  TagSet seen;
  std::string_view lastTag;
  std::size_t cursor = 0;
  while (cursor < text.size()) {
    const std::size_t tagBytes = reader.take(cursor, 2);
    if (tagBytes == kNone) return TLVDecodingError::invalidTagLength;
    const std::string_view tag = text.substr(cursor, tagBytes);
    if (!seen.insert(tag)) return TLVDecodingError::repeatedTag;
    lastTag = tag;
    cursor += tagBytes;
    const int length = reader.takeLength(cursor);
    if (length < 1) return TLVDecodingError::invalidTagLength;
    const std::size_t valueBytes = reader.take(cursor, static_cast<std::size_t>(length));
    if (valueBytes == kNone) return TLVDecodingError::invalidTagLength;
    const std::string_view value = text.substr(cursor, valueBytes);
    cursor += valueBytes;
    const int number = twoDigitNumber(tag);
    if (number == 62) {
      if (!assignTLV01(tag, std::nullopt, length, value, std::nullopt)) {
        return TLVDecodingError::invalidTag;
      }
      if (auto error = decodeSubtags(*this, tag, value, length, oneBytePerCharacter)) return error;
    } else if (isTemplateNumber(number)) {
      if (auto error = decodeSubtags(*this, tag, value, length, oneBytePerCharacter)) return error;
    } else if (!assignTLV01(tag, std::nullopt, length, value, std::nullopt)) {
      return TLVDecodingError::invalidTag;
    }
  }
  if (!isTag(lastTag, '6', '3')) return TLVDecodingError::invalidTag;
  return kOk;
}

}  // namespace zelto
