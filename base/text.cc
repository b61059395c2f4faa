#include "base/text.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zelto::text {
namespace {

bool isAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

// Whether the eight bytes at `bytes` are ASCII other than "\r", so that each is one character:
// no byte has its high bit set, and none equals "\r" (a zero byte after XOR with "\r").
bool isAsciiWithoutCarriageReturn(const char* bytes) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  const std::uint64_t carriageReturns = word ^ (kOnes * '\r');
  return ((word | ((carriageReturns - kOnes) & ~carriageReturns)) & kHighBits) == 0;
}

// ICU character break iterators are costly to create: each thread keeps one.
icu::BreakIterator* characterIterator() {
  thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> it(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    return U_SUCCESS(status) ? std::move(it) : nullptr;
  }();
  return iterator.get();
}

// Calls `visit(byteOffsetAfterCharacter)` for each character boundary after the start until it
// returns false. Works on the UTF-8 bytes directly, without conversion.
template <typename Visit>
void forEachBoundary(std::string_view utf8, Visit visit) {
  if (isAscii(utf8)) {
    for (std::size_t i = 0; i < utf8.size();) {
      i += (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ? 2 : 1;
      if (!visit(i)) return;
    }
    return;
  }
  icu::BreakIterator* it = characterIterator();
  UErrorCode status = U_ZERO_ERROR;
  UText* ut = utext_openUTF8(nullptr, utf8.data(), static_cast<int64_t>(utf8.size()), &status);
  if (it == nullptr || U_FAILURE(status)) {
    // Without ICU data, fall back to code points so counting still terminates.
    utext_close(ut);
    std::int32_t i = 0;
    const auto length = static_cast<std::int32_t>(utf8.size());
    while (i < length) {
      UChar32 c;
      U8_NEXT(utf8.data(), i, length, c);
      (void)c;
      if (!visit(static_cast<std::size_t>(i))) return;
    }
    return;
  }
  it->setText(ut, status);
  for (std::int32_t b = it->next(); b != icu::BreakIterator::DONE; b = it->next()) {
    if (!visit(static_cast<std::size_t>(b))) break;
  }
  // Detach the iterator from the text before the text goes away.
  UText* empty = utext_openUTF8(nullptr, "", 0, &status);
  it->setText(empty, status);
  utext_close(empty);
  utext_close(ut);
}

template <typename Predicate>
bool allCodePoints(std::string_view utf8, Predicate predicate) {
  if (utf8.empty()) return false;
  std::int32_t i = 0;
  const auto length = static_cast<std::int32_t>(utf8.size());
  while (i < length) {
    UChar32 c;
    U8_NEXT(utf8.data(), i, length, c);
    if (c < 0 || !predicate(c)) return false;
  }
  return true;
}

// ASCII answers without ICU: its only letters are A-Z and a-z, its only digits 0-9.
bool isLetterCodePoint(UChar32 c) {
  if (c < 0x80) return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
  return (U_GET_GC_MASK(c) & U_GC_L_MASK) != 0;
}

bool isDigitCodePoint(UChar32 c) {
  if (c < 0x80) return c >= '0' && c <= '9';
  return u_charType(c) == U_DECIMAL_DIGIT_NUMBER;
}

// Number of characters of `utf8`, whose first `from` bytes are ASCII without "\r". Out of line,
// so that the fast path of characterCount needs no stack frame.
[[gnu::noinline]] std::size_t countCharactersFrom(std::string_view utf8, std::size_t from) {
  std::size_t crlf = 0;
  std::size_t i = from;
  for (; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x80) break;
    if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++crlf;
  }
  if (i == utf8.size()) return utf8.size() - crlf;
  std::size_t count = 0;
  forEachBoundary(utf8, [&](std::size_t) {
    ++count;
    return true;
  });
  return count;
}

}  // namespace

std::size_t characterCount(std::string_view utf8) {
  // ASCII without "\r" has one character per byte: eight bytes at a time, then the rest.
  std::size_t i = 0;
  while (i + 8 <= utf8.size() && isAsciiWithoutCarriageReturn(utf8.data() + i)) i += 8;
  if (i + 8 > utf8.size()) {
    unsigned bits = 0;
    bool carriageReturn = false;
    for (std::size_t j = i; j < utf8.size(); ++j) {
      bits |= static_cast<unsigned char>(utf8[j]);
      carriageReturn |= utf8[j] == '\r';
    }
    if (bits < 0x80 && !carriageReturn) return utf8.size();
  }
  return countCharactersFrom(utf8, i);
}

std::optional<std::size_t> advanceCharacters(std::string_view utf8, std::size_t count) {
  if (count == 0) return 0;
  std::size_t seen = 0;
  std::optional<std::size_t> result;
  forEachBoundary(utf8, [&](std::size_t offset) {
    if (++seen == count) {
      result = offset;
      return false;
    }
    return true;
  });
  return result;
}

std::vector<std::string_view> characters(std::string_view utf8) {
  std::vector<std::string_view> result;
  std::size_t start = 0;
  forEachBoundary(utf8, [&](std::size_t end) {
    result.push_back(utf8.substr(start, end - start));
    start = end;
    return true;
  });
  return result;
}

bool isControlCharacter(char32_t codePoint) {
  return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

std::optional<ControlCharacter> findControlCharacter(std::string_view utf8) {
  // Printable ASCII (0x20 to 0x7E), nearly every value, is answered with one comparison a byte
  // and no early exit; other text is looked at byte by byte.
  unsigned char other = 0;
  for (const char c : utf8) {
    other |= static_cast<unsigned char>(static_cast<unsigned char>(c - 0x20) >= 0x5F);
  }
  if (other == 0) return std::nullopt;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x20 || c == 0x7F) return ControlCharacter{i, c};
    // U+0080 to U+009F are 0xC2 0x80 to 0xC2 0x9F.
    if (c == 0xC2 && i + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[i + 1]);
      if (next >= 0x80 && next <= 0x9F) return ControlCharacter{i, next};
    }
  }
  return std::nullopt;
}

std::string codePointName(char32_t codePoint) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
  return name;
}

bool isValidUtf8(std::string_view utf8) {
  std::int32_t i = 0;
  const auto length = static_cast<std::int32_t>(utf8.size());
  if (static_cast<std::size_t>(length) != utf8.size()) return false;
  while (i < length) {
    UChar32 c;
    U8_NEXT(utf8.data(), i, length, c);
    if (c < 0) return false;
  }
  return true;
}

bool isAllDecimalDigits(std::string_view utf8) { return allCodePoints(utf8, isDigitCodePoint); }

namespace {

// The bytes of `word` that are no ASCII digit, as nonzero bits. A byte is a digit when its high
// half is 3 both before and after adding 6; a carry out of a byte comes only from a byte that is
// no digit, so it cannot hide one.
template <typename Word>
Word nonDigitBits(Word word) {
  constexpr Word kHighHalves = static_cast<Word>(0xF0F0F0F0F0F0F0F0);
  constexpr Word kThrees = static_cast<Word>(0x3030303030303030);
  constexpr Word kSixes = static_cast<Word>(0x0606060606060606);
  const Word sixesAdded = static_cast<Word>(word + kSixes);
  return static_cast<Word>(((word & kHighHalves) ^ kThrees) |
                           ((sixesAdded & kHighHalves) ^ kThrees));
}

template <typename Word>
Word wordAt(const char* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Whether `nonMatching` finds no byte of `text` outside its class, through words of 8, 4 or 2
// bytes, the last one ending where the text ends (it may overlap the one before), so that short
// texts take no loop.
template <typename NonMatching>
bool allBytesMatch(std::string_view text, NonMatching nonMatching) {
  const char* const bytes = text.data();
  const std::size_t size = text.size();
  if (size >= 8) {
    std::uint64_t others = nonMatching(wordAt<std::uint64_t>(bytes + size - 8));
    for (std::size_t at = 0; at + 8 < size; at += 8) {
      others |= nonMatching(wordAt<std::uint64_t>(bytes + at));
    }
    return others == 0;
  }
  if (size >= 4) {
    return (nonMatching(wordAt<std::uint32_t>(bytes)) |
            nonMatching(wordAt<std::uint32_t>(bytes + size - 4))) == 0;
  }
  if (size >= 2) {
    return (nonMatching(wordAt<std::uint16_t>(bytes)) |
            nonMatching(wordAt<std::uint16_t>(bytes + size - 2))) == 0;
  }
  return size == 0 || nonMatching(static_cast<std::uint8_t>(bytes[0])) == 0;
}

// The bytes of `word` that are not printable ASCII, as nonzero high bits: a byte with its high
// bit set, or whose low seven bits are under 0x20 (adding 0x60 leaves the high bit clear) or
// 0x7F (adding 1 sets it). Sums of low seven bits never carry out of their byte.
template <typename Word>
Word nonPrintableBits(Word word) {
  constexpr Word kHighBits = static_cast<Word>(0x8080808080808080);
  constexpr Word kLowBits = static_cast<Word>(0x7F7F7F7F7F7F7F7F);
  const Word low = static_cast<Word>(word & kLowBits);
  const Word atLeastSpace = static_cast<Word>(low + static_cast<Word>(0x6060606060606060));
  const Word delete_ = static_cast<Word>(low + static_cast<Word>(0x0101010101010101));
  return static_cast<Word>((word | static_cast<Word>(~atLeastSpace) | delete_) & kHighBits);
}

}  // namespace

bool isAsciiDigits(std::string_view text) {
  return allBytesMatch(text, [](auto word) { return nonDigitBits(word); });
}

bool isPrintableAscii(std::string_view text) {
  return allBytesMatch(text, [](auto word) { return nonPrintableBits(word); });
}

bool hasNonDigit(std::string_view utf8) {
  if (isAsciiDigits(utf8)) return false;
  return !isAllDecimalDigits(utf8);
}

bool isDigitsAndDots(std::string_view utf8) {
  return utf8.empty() ||
         allCodePoints(utf8, [](UChar32 c) { return c == '.' || isDigitCodePoint(c); });
}

bool isAllLetters(std::string_view utf8) { return allCodePoints(utf8, isLetterCodePoint); }

bool containsLetter(std::string_view utf8) {
  std::int32_t i = 0;
  const auto length = static_cast<std::int32_t>(utf8.size());
  while (i < length) {
    UChar32 c;
    U8_NEXT(utf8.data(), i, length, c);
    if (c >= 0 && isLetterCodePoint(c)) return true;
  }
  return false;
}

std::string toLower(std::string_view utf8) {
  std::string lowered(utf8);
  if (isAscii(utf8)) {
    for (char& c : lowered) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
  }
  lowered.clear();
  icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())))
      .toLower(icu::Locale::getRoot())
      .toUTF8String(lowered);
  return lowered;
}

bool isEqualTo(std::string_view utf8, std::string_view other) {
  if (isAscii(utf8) && isAscii(other)) {
    return std::equal(utf8.begin(), utf8.end(), other.begin(), other.end(), [](char a, char b) {
      auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
      return lower(a) == lower(b);
    });
  }
  return toLower(utf8) == toLower(other);
}

}  // namespace zelto::text
