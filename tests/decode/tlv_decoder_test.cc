#include "decode/tlv_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payload/tlv_generator.h"
#include "platform/text.h"

namespace zelto {
namespace {

// Records every storage call as one line; refuses the tags listed in `refuse`.
class RecordingDecoder : public TLVDecodingProtocol {
 public:
  bool assignTLV00(std::string_view tag, int length, std::string_view value) override {
    calls.push_back("00 " + std::string(tag) + " " + std::to_string(length) + " " +
                    std::string(value));
    return !refuses(tag);
  }
  bool assignTLV01(std::string_view tag, std::optional<std::string_view> subtag, int length,
                   std::string_view value, std::optional<TagDictionary> map) override {
    std::string call = "01 " + std::string(tag);
    if (subtag) call += "/" + std::string(*subtag);
    call += " " + std::to_string(length) + " " + std::string(value);
    if (map) {
      call += " {";
      for (const auto& [key, sub] : *map) call += key + "=" + *sub.string() + ";";
      call += "}";
    }
    calls.push_back(call);
    return !refuses(subtag ? *subtag : tag);
  }

  std::vector<std::string> refuse;
  std::vector<std::string> calls;

 private:
  bool refuses(std::string_view tag) const {
    for (const auto& r : refuse) {
      if (r == tag) return true;
    }
    return false;
  }
};

std::optional<TLVDecodingError> decode(std::string_view text,
                                       std::vector<std::string> refuse = {}) {
  RecordingDecoder decoder;
  decoder.refuse = std::move(refuse);
  return decoder.decodeTLV(text);
}

TEST(DecodeTLV, FailuresReachTheCallerAsThreeCases) {
  using E = TLVDecodingError;
  struct Case {
    std::string text;
    std::optional<E> expected;
  };
  const Case cases[] = {
      {"", E::invalidLength},
      {"0", E::invalidLength},
      {"é", E::invalidLength},
      {"00", E::invalidLength},                            // no room for a length
      {"000", E::invalidLength},                           // one character of a length
      {"0000", E::invalidLength},                          // length 0
      {"0002015900", E::invalidLength},                    // an empty value later on
      {"00-1x", E::invalidLength},                         // negative length
      {"009Zxxxxxxxxx", E::invalidLength},                 // not a number
      {"00 1x6304ABCD", E::invalidLength},                 // a space is not a sign
      {"00020", E::invalidLength},                         // value runs past the end
      {"0002016304", E::invalidLength},                    // CRC object without its value
      {"000201", E::invalidTag},                           // last element is not "63"
      {"00020163041234", std::nullopt},                    //
      {"0002016304123459020B", E::invalidTag},             // "63" earlier, not last
      {"000201000201", E::repeatedTag},                    // top-level "00" twice
      {"000201630412346304ABCD", E::repeatedTag},          //
      {"00+501234", E::invalidTag},                        // "+5" reads as 5; ends with "00"
      {"00+5012346304ABCD", std::nullopt},                 //
      {"0002016205010Xx6304ABCD", E::invalidLength},       // sub-length "0X"
      {"0002016206010500006304ABCD", E::invalidLength},    // overruns its template only
      {"00020162100101A0101B6304ABCD", E::repeatedTag},    // sub-tag twice in one template
      {"00020162060103abc6304ABCD", E::invalidLength},     // sub-value cut by template end
      {"00020162070103abc6304ABCD", std::nullopt},         //
      {"0002016201x6304ABCD", E::invalidLength},           // one character for a sub-tag
      {"0002016203019", E::invalidLength},                 // sub-length field cut short
      {"00020126100099xxxxxx6304ABCD", E::invalidLength},  // sub-length 99 in a template of 10
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decode(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(DecodeTLV, RefusedElementsAreInvalidTag) {
  EXPECT_EQ(decode("0002015902AB6304ABCD", {"59"}), TLVDecodingError::invalidTag);
  EXPECT_EQ(decode("00020162060102AB6304ABCD", {"01"}), TLVDecodingError::invalidTag);
  EXPECT_EQ(decode("00020162060102AB6304ABCD", {"62"}), TLVDecodingError::invalidTag);
  EXPECT_EQ(decode("0002012606000201", {"26"}), TLVDecodingError::invalidTag);
  EXPECT_EQ(decode("9102AB", {"9"}), TLVDecodingError::invalidTag);
}

TEST(DecodeTLV, CallsTheRecordInTextOrder) {
  RecordingDecoder decoder;
  ASSERT_EQ(decoder.decodeTLV("000201"
                              "5902AB"
                              "6219"
                              "0102X1"
                              "0703T01"
                              "000202"
                              "26060002ID"
                              "64140002en0104Cafe"
                              "6304ABCD"),
            std::nullopt);
  const std::vector<std::string> expected = {
      "01 00 2 01",
      "01 59 2 AB",
      "01 62 19 0102X10703T01000202",
      "01 62/01 2 X1",
      "01 62/07 3 T01",
      "01 62/00 2 02",
      "01 62 19  {billID=X1;terminalID=T01;00=02;}",
      "01 26 6  {00=ID;}",
      "01 64 14  {languagePreference=en;merchantNameAlternateLanguage=Cafe;}",
      "01 63 4 ABCD",
  };
  EXPECT_EQ(decoder.calls, expected);

  // Elements before a failure have been handed over; the broken template has not.
  decoder.calls.clear();
  EXPECT_EQ(decoder.decodeTLV("0002015902AB260400016304ABCD"), TLVDecodingError::invalidLength);
  EXPECT_EQ(decoder.calls, (std::vector<std::string>{"01 00 2 01", "01 59 2 AB"}));
}

TEST(DecodeTLV, SubTagsRepeatAcrossTemplatesAndLanguageSubTagsAreNamed) {
  RecordingDecoder decoder;
  ASSERT_EQ(decoder.decodeTLV("00020126050001A27050001B64110002zh0301x6304ABCD"), std::nullopt);
  EXPECT_EQ(decoder.calls[1], "01 26 5  {00=A;}");
  EXPECT_EQ(decoder.calls[2], "01 27 5  {00=B;}");
  EXPECT_EQ(decoder.calls[3], "01 64 11  {languagePreference=zh;03=x;}");
}

TEST(DecodeTLV, FormatZero) {
  using E = TLVDecodingError;
  RecordingDecoder decoder;
  ASSERT_EQ(decoder.decodeTLV("0A12345678901023xyzA0"), std::nullopt);
  EXPECT_EQ(decoder.calls,
            (std::vector<std::string>{"00 0 10 1234567890", "00 1 0 ", "00 2 3 xyz", "00 a 0 "}));

  struct Case {
    std::string text;
    std::optional<E> expected;
  };
  const Case cases[] = {
      {"0A123456789", E::invalidLength},  // length 10, 9 characters left
      {"01", E::invalidLength},           // not "00": tag "0", length 1, nothing left
      {"10", std::nullopt},               // tag "1", empty value
      {"1", E::invalidLength},
      {"0A12345678901010", E::repeatedTag},
      {"A0a0", E::repeatedTag},  // tags ignore case
      {"A0B0b0", E::repeatedTag},
      {"1-", E::invalidLength},  // not a base-36 digit
      {"1é", E::invalidLength},
      {"1z" + std::string(35, 'z'), std::nullopt},  // "z" is 35
      {"1z" + std::string(34, 'z'), E::invalidLength},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decode(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(DecodeTLV, LengthsCountUserPerceivedCharacters) {
  // What the encoder writes decodes again, whatever the script.
  const std::vector<std::string> names = {"Café",    "Cafe\u0301", "最佳运输", "👍🏽 shop",
                                          "🇮🇳 flag", "ភ្នំពេញ",      "a\r\nb"};
  for (const auto& name : names) {
    const TagDictionary dict{{"00", "01"}, {"59", name}, {"64", TagDictionary{{"01", name}}}};
    const std::string payload = TLVGenerator::encodeDictToTLV(dict);
    RecordingDecoder decoder;
    ASSERT_EQ(decoder.decodeTLV(payload), std::nullopt) << payload;
    EXPECT_EQ(decoder.calls[1], "01 59 " + std::to_string(text::characterCount(name)) + " " + name);
    EXPECT_EQ(decoder.calls[2].substr(decoder.calls[2].find('{')),
              "{merchantNameAlternateLanguage=" + name + ";}");
  }
  EXPECT_LT(text::characterCount("ភ្នំពេញ"), 7u);  // fewer than its code points
}

TEST(DecodeTLV, IllFormedAndHugeInputNeverCrash) {
  EXPECT_EQ(decode("00\xff\xfe\x80"), TLVDecodingError::invalidLength);
  EXPECT_TRUE(decode("0002\xc3\x28\xe2\x82"
                     "6304ABCD")
                  .has_value());
  // Megabytes of text: decoding stops at the first broken element.
  EXPECT_EQ(decode("000201" + std::string(4 << 20, '5')), TLVDecodingError::repeatedTag);
  EXPECT_EQ(decode("000201" + std::string(4 << 20, '\x80')), TLVDecodingError::invalidLength);
  // One character of any size: "e" and a run of combining marks, read across growing windows.
  for (int marks : {15, 16, 17, 200000}) {
    std::string oneLongCharacter = "0002015901e";
    for (int i = 0; i < marks; ++i) oneLongCharacter += "\u0301";
    RecordingDecoder decoder;
    EXPECT_EQ(decoder.decodeTLV(oneLongCharacter), TLVDecodingError::invalidTag);  // "59" last
    EXPECT_EQ(decoder.calls.back().size(), 8 + 1 + 2 * static_cast<std::size_t>(marks));
  }
}

}  // namespace
}  // namespace zelto
