#include <gtest/gtest.h>
#include <zelto/decode/tlv_decoder.h>
#include <zelto/payload/tlv_generator.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"

namespace zelto {
namespace {

using E = TLVDecodingError;
using Calls = std::vector<std::string>;

// Records every storage call as one line; refuses the tags listed in `refuse`.
class RecordingDecoder : public TLVDecodingProtocol {
 public:
  bool assignTLV00(std::string_view tag, int length, std::string_view value) override {
    calls.push_back("00 " + std::string(tag) + " " + std::to_string(length) + " " +
                    std::string(value));
    return accepts(tag);
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
    return accepts(subtag.value_or(tag));
  }

  std::vector<std::string> refuse;
  Calls calls;

 private:
  bool accepts(std::string_view tag) const {
    return std::ranges::find(refuse, tag) == refuse.end();
  }
};

std::optional<E> decode(std::string_view text, std::vector<std::string> refuse = {}) {
  RecordingDecoder decoder;
  decoder.refuse = std::move(refuse);
  return decoder.decodeTLV(text);
}

// Texts grouped by the outcome of decoding them.
using Outcomes = std::vector<std::pair<std::optional<E>, std::vector<std::string>>>;

void expectOutcomes(const Outcomes& outcomes) {
  for (const auto& [expected, texts] : outcomes) {
    for (const auto& text : texts) EXPECT_EQ(decode(text), expected) << '"' << text << '"';
  }
}

TEST(DecodeTLV, FailuresReachTheCallerAsThreeCases) {
  expectOutcomes({
      // Lengths cut short, zero, negative, not a number, with a space, past the end or of a
      // sub-element overrunning its template (sub-length 99 in a template of 10).
      {E::invalidLength,
       {"", "0", "é", "00", "000", "0000", "0002015900", "00-1x", "009Zxxxxxxxxx", "00 1x6304ABCD",
        "00020", "0002016304", "0002016205010Xx6304ABCD", "0002016206010500006304ABCD",
        "00020162060103abc6304ABCD", "0002016201x6304ABCD", "0002016203019",
        "00020126100099xxxxxx6304ABCD"}},
      // "63" must close the text; "+5" reads as 5.
      {E::invalidTag, {"000201", "0002016304123459020B", "00+501234"}},
      {E::repeatedTag, {"000201000201", "000201630412346304ABCD", "00020162100101A0101B6304ABCD"}},
      {std::nullopt, {"00020163041234", "00+5012346304ABCD", "00020162070103abc6304ABCD"}},
  });
  // Elements the record refuses, at the top level, in a template and as a template.
  const std::pair<std::string, std::string> refused[] = {{"0002015902AB6304ABCD", "59"},
                                                         {"00020162060102AB6304ABCD", "01"},
                                                         {"00020162060102AB6304ABCD", "62"},
                                                         {"0002012606000201", "26"},
                                                         {"9102AB", "9"}};
  for (const auto& [text, tag] : refused) EXPECT_EQ(decode(text, {tag}), E::invalidTag) << text;
}

TEST(DecodeTLV, CallsTheRecordInTextOrder) {
  RecordingDecoder decoder;
  ASSERT_EQ(decoder.decodeTLV("0002015902AB62190102X10703T0100020226060002ID27050001B"
                              "64190002en0104Cafe0301x6304ABCD"),
            std::nullopt);
  // Sub-tags repeat across templates; the known ones of "62" and "64" are stored by name.
  EXPECT_EQ(decoder.calls,
            (Calls{"01 00 2 01", "01 59 2 AB", "01 62 19 0102X10703T01000202", "01 62/01 2 X1",
                   "01 62/07 3 T01", "01 62/00 2 02", "01 62 19  {billID=X1;terminalID=T01;00=02;}",
                   "01 26 6  {00=ID;}", "01 27 5  {00=B;}",
                   "01 64 19  {languagePreference=en;"
                   "merchantNameAlternateLanguage=Cafe;03=x;}",
                   "01 63 4 ABCD"}));

  // Elements before a failure have been handed over; the broken template has not.
  decoder.calls.clear();
  EXPECT_EQ(decoder.decodeTLV("0002015902AB260400016304ABCD"), E::invalidLength);
  EXPECT_EQ(decoder.calls, (Calls{"01 00 2 01", "01 59 2 AB"}));
}

TEST(DecodeTLV, FormatZero) {
  RecordingDecoder decoder;
  ASSERT_EQ(decoder.decodeTLV("0A12345678901023xyzA0"), std::nullopt);
  EXPECT_EQ(decoder.calls, (Calls{"00 0 10 1234567890", "00 1 0 ", "00 2 3 xyz", "00 a 0 "}));

  // Lengths are one base-36 digit ("z" is 35); tags ignore case. "01" is tag "0" of length 1.
  // Case is Unicode lower case: the Kelvin sign reads as "k" (20), "Σ" and "σ" are one tag.
  expectOutcomes({
      {E::invalidLength, {"0A123456789", "01", "1", "1-", "1é", "1z" + std::string(34, 'z')}},
      {E::repeatedTag, {"0A12345678901010", "A0a0", "A0B0b0", "Σ0σ0"}},
      {std::nullopt, {"10", "1z" + std::string(35, 'z'), "1\u212A" + std::string(20, 'x')}},
  });
}

TEST(DecodeTLV, LengthsCountUserPerceivedCharacters) {
  for (const std::string name :
       {"Café", "Cafe\u0301", "最佳运输", "👍🏽 shop", "🇮🇳 flag", "ភ្នំពេញ"}) {
    const TagDictionary dict{{"00", "01"}, {"59", name}, {"64", TagDictionary{{"01", name}}}};
    RecordingDecoder decoder;
    ASSERT_EQ(decoder.decodeTLV(TLVGenerator::encodeDictToTLV(dict)), std::nullopt) << name;
    EXPECT_EQ(decoder.calls[1], "01 59 " + std::to_string(text::characterCount(name)) + " " + name);
    EXPECT_EQ(decoder.calls[2].substr(decoder.calls[2].find('{')),
              "{merchantNameAlternateLanguage=" + name + ";}");
  }
  EXPECT_LT(text::characterCount("ភ្នំពេញ"), 7u);  // fewer than its code points
}

TEST(DecodeTLV, IllFormedAndHugeInputNeverCrash) {
  EXPECT_EQ(decode("00\xff\xfe\x80"), E::invalidLength);
  EXPECT_TRUE(decode("0002\xc3\x28\xe2\x82"
                     "6304ABCD")
                  .has_value());
  // Megabytes of text: decoding stops at the first broken element.
  EXPECT_EQ(decode("000201" + std::string(4 << 20, '5')), E::repeatedTag);
  EXPECT_EQ(decode("000201" + std::string(4 << 20, '\x80')), E::invalidLength);
  // One character of any size: "e" and a run of combining marks, read across growing windows.
  for (int marks : {15, 16, 17, 200000}) {
    std::string oneLongCharacter = "0002015901e";
    for (int i = 0; i < marks; ++i) oneLongCharacter += "\u0301";
    RecordingDecoder decoder;
    EXPECT_EQ(decoder.decodeTLV(oneLongCharacter), E::invalidTag);  // "59" last
    EXPECT_EQ(decoder.calls.back().size(), 8 + 1 + 2 * static_cast<std::size_t>(marks));
  }
}

}  // namespace
}  // namespace zelto
