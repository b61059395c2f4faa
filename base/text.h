// Text helpers shared by the whole library. All text is UTF-8.
//
// Character counts are user-perceived characters (extended grapheme clusters), the unit in
// which payload lengths and field limits are measured. Pure ASCII text takes a fast path that
// never touches ICU ("\r\n" is still one character). Ill-formed UTF-8 never fails: each
// ill-formed sequence counts as one character, as if it were U+FFFD.
//
// Number parsing follows one set of rules everywhere:
//   parseInteger: optional "+" or "-", then one or more ASCII digits, nothing else; the value
//                 must fit the result type. "", "+", " 1", "1 ", "1.0", "0x1" are not integers.
//   parseDouble:  optional sign, digits with at most one ".", at least one digit overall, then
//                 an optional exponent ("e" or "E", optional sign, one or more digits); nothing
//                 else. "inf", "nan", hexadecimal forms and results that overflow to infinity
//                 are not numbers. ".5" and "5." are numbers.
//
// Character classes are ICU's Unicode general categories and nothing else: a decimal digit is
// category Nd (so "٣" is a digit, "²" and "Ⅳ" are not), a letter is category L* (so "é" and
// "ж" are letters, while a combining mark such as U+0301 is not, even after a letter).
// Ill-formed UTF-8 is in no class.
//
// Lower case is Unicode full lower-casing, independent of the locale: "Σ" becomes "σ", the
// Kelvin sign "K" becomes "k", "İ" becomes "i" followed by U+0307.
//
// Thread-safety: every function may be called from any thread.
#ifndef ZELTO_BASE_TEXT_H_
#define ZELTO_BASE_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelto::text {

// Number of user-perceived characters in `utf8`.
std::size_t characterCount(std::string_view utf8);

// Byte offset just past the first `count` user-perceived characters of `utf8`, or nullopt when
// `utf8` holds fewer than `count` characters. advanceCharacters(s, characterCount(s)) == s.size().
std::optional<std::size_t> advanceCharacters(std::string_view utf8, std::size_t count);

// The user-perceived characters of `utf8` in order, found in one pass over the text (so that
// splitting typed text into keys takes time linear in its length).
std::vector<std::string_view> characters(std::string_view utf8);

// Control characters are Unicode category Cc: U+0000 to U+001F and U+007F to U+009F. No value
// of a payment or refund request holds one (a scanner cannot print it, and U+0000 cuts a C
// string short).
bool isControlCharacter(char32_t codePoint);
struct ControlCharacter {
  std::size_t offset;  // of its first byte in the text
  char32_t codePoint;
};
// The first control character of `utf8`, or nullopt when it holds none. Other bytes, ill-formed
// ones included, are skipped.
std::optional<ControlCharacter> findControlCharacter(std::string_view utf8);
// "U+0000", "U+009F", "U+1F600": a code point as Unicode writes it, at least four hex digits.
std::string codePointName(char32_t codePoint);

// True when `utf8` is well-formed UTF-8.
bool isValidUtf8(std::string_view utf8);

inline bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
// True when every byte of `text` is an ASCII digit ("" too); eight bytes are checked at a time.
bool isAsciiDigits(std::string_view text);
// True when every byte of `text` is printable ASCII, " " to "~" ("" too), eight at a time.
bool isPrintableAscii(std::string_view text);

// True when `utf8` is non-empty and every code point is a Unicode decimal digit (Nd).
bool isAllDecimalDigits(std::string_view utf8);
// True when some code point of `utf8` is not a decimal digit (Nd): "" holds none, an ill-formed
// sequence is one. ASCII digits answer without looking characters up.
bool hasNonDigit(std::string_view utf8);
// True when every code point of `utf8` is a decimal digit (Nd) or "." ("" and "." too): the
// characters a fee amount or percentage may hold.
bool isDigitsAndDots(std::string_view utf8);
// True when `utf8` is non-empty and every code point is a letter (L*).
bool isAllLetters(std::string_view utf8);
// True when at least one code point of `utf8` is a letter (L*).
bool containsLetter(std::string_view utf8);

// `utf8` in lower case; ill-formed sequences become U+FFFD. ASCII text never touches ICU.
std::string toLower(std::string_view utf8);
// Equality after converting both texts to lower case (toLower).
bool isEqualTo(std::string_view utf8, std::string_view other);

std::optional<std::int64_t> parseInteger(std::string_view text);
std::optional<std::uint64_t> parseUnsignedInteger(std::string_view text);
std::optional<double> parseDouble(std::string_view text);

// A number of parseDouble's grammar with no sign, no exponent and at most 15 digits, such as an
// amount ("1234.50", "5", ".5"): its value, the same parseDouble gives, and whether it has a ".".
struct PlainDecimal {
  double value;
  bool hasPoint;
};
std::optional<PlainDecimal> parsePlainDecimal(std::string_view text);

// One to four ASCII hexadecimal digits, either case, as a number; -1 for "", for more than four
// digits or for any other character. (A number, not an optional: GCC puts a returned optional
// of 16 bits together in memory and reads it back before the stores have landed.)
int parseHex(std::string_view text);

// `value` written as "%02d": at least two digits, zero-padded.
std::string twoDigitLength(std::size_t value);

}  // namespace zelto::text

#endif  // ZELTO_BASE_TEXT_H_
