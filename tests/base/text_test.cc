#include "base/text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <tuple>

namespace zelto::text {
namespace {

TEST(CharacterCount, CountsUserPerceivedCharacters) {
  EXPECT_EQ(characterCount(""), 0u);
  EXPECT_EQ(characterCount("ABC Store"), 9u);
  EXPECT_EQ(characterCount("a\r\nb"), 3u);              // CR LF is one character
  EXPECT_EQ(characterCount("最佳运输"), 4u);            // 12 bytes
  EXPECT_EQ(characterCount("Lê Anh Tú"), 9u);           // precomposed
  EXPECT_EQ(characterCount("e\xCC\x81"), 1u);           // e + combining acute
  EXPECT_EQ(characterCount("🇮🇳"), 1u);                  // regional indicator pair
  EXPECT_EQ(characterCount("👩‍👩‍👧"), 1u);  // ZWJ sequence
  EXPECT_EQ(characterCount("ចន ស្មីន"), 6u);              // Khmer clusters
  EXPECT_EQ(characterCount("\xFF\xFE"), 2u);            // ill-formed bytes count, never fail
}

TEST(AdvanceCharacters, FindsByteOffsets) {
  EXPECT_EQ(advanceCharacters("abc", 0), 0u);
  EXPECT_EQ(advanceCharacters("abc", 2), 2u);
  EXPECT_EQ(advanceCharacters("abc", 4), std::nullopt);
  EXPECT_EQ(advanceCharacters("北京xy", 2), 6u);
  EXPECT_EQ(advanceCharacters("a\r\nb", 2), 3u);
  const std::string mixed = "Tú01";
  EXPECT_EQ(advanceCharacters(mixed, characterCount(mixed)), mixed.size());
}

TEST(CharacterClasses, UseUnicodeProperties) {
  EXPECT_TRUE(isAllDecimalDigits("0123"));
  EXPECT_TRUE(isAllDecimalDigits("١٢٣"));  // Arabic-Indic digits are Nd
  EXPECT_FALSE(isAllDecimalDigits(""));
  EXPECT_FALSE(isAllDecimalDigits("12a"));
  EXPECT_FALSE(isAllDecimalDigits("½"));
  EXPECT_FALSE(isAllDecimalDigits("²"));  // No, not Nd
  EXPECT_FALSE(isAllDecimalDigits("Ⅳ"));  // Nl
  EXPECT_FALSE(isAllDecimalDigits("1\xCC"));
  // hasNonDigit: "" holds no non-digit, unlike isAllDecimalDigits; Nd of any script is a digit.
  for (const char* text : {"", "0", "0123456789", "١٢٣", "1١"})
    EXPECT_FALSE(hasNonDigit(text)) << text;
  for (const char* text : {"a", "12a", "1.0", " 1", "²", "1\xCC", "/", ":"}) {
    EXPECT_TRUE(hasNonDigit(text)) << text;
  }
  // Fee amounts: digits of any script and dots, nothing else; "" passes, as a fee may be empty.
  for (const char* text : {"", ".", "12.50", "1.2.3", "١٢.٣", "..."}) {
    EXPECT_TRUE(isDigitsAndDots(text)) << text;
  }
  for (const char* text : {"12,50", "-1", "1e3", " 1", "²", "1.\xCC", "\xD9.\xA1"}) {
    EXPECT_FALSE(isDigitsAndDots(text)) << text;
  }
  EXPECT_TRUE(isAllLetters("IN"));
  EXPECT_TRUE(isAllLetters("é"));
  EXPECT_TRUE(isAllLetters("жß"));
  EXPECT_FALSE(isAllLetters("I1"));
  EXPECT_FALSE(isAllLetters(""));
  // A combining mark (Mn, Mc) is not a letter, alone or after one.
  EXPECT_FALSE(isAllLetters("e\u0301"));
  EXPECT_FALSE(isAllLetters("\u0903"));
  EXPECT_TRUE(containsLetter("12a"));
  EXPECT_FALSE(containsLetter("12.5"));
  EXPECT_FALSE(containsLetter("1\u0301"));
  EXPECT_TRUE(isValidUtf8("Tú"));
  EXPECT_FALSE(isValidUtf8("T\xC3"));
}

TEST(ToLower, UnicodeFullLowerCaseWithoutLocale) {
  const std::pair<std::string, std::string> cases[] = {
      {"AbC-09", "abc-09"}, {"ΣΑ", "σα"},   {"\u212A", "k"},  // Kelvin sign
      {"İ", "i\u0307"},     {"ÄÖÜ", "äöü"}, {"", ""},        {"I\xFF", "i\uFFFD"}};
  for (const auto& [text, lower] : cases) EXPECT_EQ(toLower(text), lower) << text;
}

TEST(IsEqualTo, EqualAfterLowerCasing) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"AbC", "aBc", true},  {"ÉTÉ", "été", true}, {"01", "1", false},  {"", "", true},
      {"a", "", false},      {"Z", "z", true},     {"@", "`", false},   {"[", "{", false},
      {"\u212A", "K", true}, {"ÄB", "äc", false},  {"ab", "abc", false}};
  for (const auto& [text, other, equal] : cases) {
    EXPECT_EQ(isEqualTo(text, other), equal) << text << " " << other;
    EXPECT_EQ(isEqualTo(other, text), equal) << other << " " << text;
  }
}

TEST(ParseHex, OneToFourDigitsEitherCase) {
  const std::pair<const char*, int> cases[] = {
      {"0", 0},  {"FB81", 0xFB81}, {"fb81", 0xFB81}, {"aF09", 0xAF09}, {"FFFF", 0xFFFF}, {"9", 9},
      {"", -1},  {"10000", -1},    {"G000", -1},     {"g", -1},        {"12 4", -1},     {"-1", -1},
      {"@", -1}, {"`", -1},        {"/", -1},        {":", -1}};
  for (const auto& [text, value] : cases) EXPECT_EQ(parseHex(text), value) << text;
}

TEST(ParseInteger, WholeTextWithOptionalSign) {
  EXPECT_EQ(parseInteger("356"), 356);
  EXPECT_EQ(parseInteger("+5"), 5);
  EXPECT_EQ(parseInteger("-1"), -1);
  EXPECT_EQ(parseInteger("007"), 7);
  for (const char* bad :
       {"", "+", "-", " 1", "1 ", "1.0", "9Z", "0x1", "+-1", "99999999999999999999"}) {
    EXPECT_EQ(parseInteger(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(parseUnsignedInteger("18446744073709551615"), 18446744073709551615ull);
  EXPECT_EQ(parseUnsignedInteger("18446744073709551616"), std::nullopt);
  EXPECT_EQ(parseUnsignedInteger("-1"), std::nullopt);
}

TEST(ParseDouble, DecimalNumbersOnly) {
  EXPECT_EQ(parseDouble("10.00"), 10.0);
  EXPECT_EQ(parseDouble("+.5"), 0.5);
  EXPECT_EQ(parseDouble("5."), 5.0);
  EXPECT_EQ(parseDouble("-2e3"), -2000.0);
  EXPECT_EQ(parseDouble("1e-400"), 0.0);
  for (const char* bad :
       {"", ".", "1.2.3", "inf", "nan", "0x1p3", "1e", "1e+", " 1", "1,5", "1e400"}) {
    EXPECT_EQ(parseDouble(bad), std::nullopt) << bad;
  }
}

TEST(ParsePlainDecimal, FifteenDigitsAndOnePointAtMost) {
  struct Case {
    const char* text;
    double value;
    bool hasPoint;
  };
  for (const Case& c : std::initializer_list<Case>{{"1234.50", 1234.5, true},
                                                   {"5", 5, false},
                                                   {".5", 0.5, true},
                                                   {"5.", 5, true},
                                                   {"00.10", 0.1, true},
                                                   {"0", 0, false},
                                                   {"999999999999999", 999999999999999, false},
                                                   {"12345678901234.5", 12345678901234.5, true},
                                                   {".000000000000001", 1e-15, true}}) {
    const auto plain = parsePlainDecimal(c.text);
    ASSERT_TRUE(plain) << c.text;
    EXPECT_EQ(plain->value, c.value) << c.text;
    EXPECT_EQ(plain->hasPoint, c.hasPoint) << c.text;
    EXPECT_EQ(parseDouble(c.text), c.value) << c.text;
  }
  for (const char* other : {"", ".", "..", "1.2.3", "+1", "-1", "1e3", "1,5", " 1", "1/",
                            "1:", "1234567890123456", "1234567890123456.", "12345678901234.56"}) {
    EXPECT_EQ(parsePlainDecimal(other), std::nullopt) << other;
  }
}

TEST(ByteClasses, EveryByteOfEveryLength) {
  // Each length from 0 to 20 (words of 8, 4 and 2 bytes overlap differently), then each place
  // holding a byte just outside the class, or one whose carry could spill into the next byte.
  struct Class {
    bool (*test)(std::string_view);
    std::string_view members;
    std::string_view others;
  };
  const Class classes[] = {
      {isAsciiDigits, "0123456789", std::string_view("/:a\0\xB0\xFA\xFF ", 8)},
      {isPrintableAscii, " !09AZaz~", std::string_view("\x1F\x7F\x80\xFF\0\xA0\xFE\x9F\n", 9)}};
  for (const Class& c : classes) {
    for (std::size_t size = 0; size <= 20; ++size) {
      std::string text;
      for (std::size_t i = 0; i < size; ++i) text += c.members[i % c.members.size()];
      EXPECT_TRUE(c.test(text)) << text;
      for (std::size_t at = 0; at < size; ++at) {
        for (const char other : c.others) {
          std::string changed = text;
          changed[at] = other;
          EXPECT_FALSE(c.test(changed))
              << c.members << " " << size << " " << at << " " << int{other};
        }
      }
    }
  }
}

TEST(TwoDigitLength, PadsToTwoDigits) {
  EXPECT_EQ(twoDigitLength(0), "00");
  EXPECT_EQ(twoDigitLength(9), "09");
  EXPECT_EQ(twoDigitLength(42), "42");
  EXPECT_EQ(twoDigitLength(123), "123");
}

}  // namespace
}  // namespace zelto::text
