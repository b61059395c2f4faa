#include <gtest/gtest.h>
#include <zelto/payload/tlv_generator.h>

#include "base/text.h"

namespace zelto {
namespace {

std::string withoutCrc(const std::string& payload) { return payload.substr(0, payload.size() - 8); }

TEST(EncodeDictToTLV, EmptyDictionaryIsTheCrcObjectAlone) {
  EXPECT_EQ(TLVGenerator::encodeDictToTLV({}), "63046007");
}

TEST(EncodeDictToTLV, WritesEmptyStringsAndNestedSubTags) {
  const TagDictionary dict{{"00", "01"}, {"59", ""}, {"62", TagDictionary{{"05", "REF"}}}};
  const std::string payload = TLVGenerator::encodeDictToTLV(dict);
  EXPECT_EQ(withoutCrc(payload), "000201590062070503REF");
  EXPECT_EQ(payload.substr(payload.size() - 8, 4), "6304");
}

TEST(EncodeDictToTLV, NamesAndTagsGiveTheSameObjects) {
  const TagDictionary byTag{{"00", "01"}, {"59", "X"}, {"26", TagDictionary{{"00", "GUID"}}}};
  const TagDictionary byName{{"payloadFormatIndicator", "01"},
                             {"merchantName", "X"},
                             {"tag26", TagDictionary{{"00", "GUID"}}}};
  EXPECT_EQ(TLVGenerator::encodeDictToTLV(byTag), TLVGenerator::encodeDictToTLV(byName));
  EXPECT_EQ(withoutCrc(TLVGenerator::encodeDictToTLV(byTag)), "0002015901X26080004GUID");
}

TEST(EncodeDictToTLV, IndicatorFirstThenTheMapsOwnOrder) {
  const TagDictionary dict{{"60", "Pune"}, {"63", "FFFF"}, {"00", "01"}, {"52", "5411"}};
  EXPECT_EQ(withoutCrc(TLVGenerator::encodeDictToTLV(dict)), "0002016004Pune52045411");
}

TEST(EncodeDictToTLV, SkipsWhatItCannotWrite) {
  const TagDictionary dict{
      {"59", OpaqueValue{"42"}},           // not a string
      {"billID", "B"},                     // sub-field tag at the root
      {"tag26", "plain"},                  // string under a template name: written
      {"AB", TagDictionary{{"01", "x"}}},  // map under an unknown key
      {"billID2", "x"},                    // unknown long key
      {"ZZ", "free"},                      // unknown two-character key
      {"62", TagDictionary{{"01", OpaqueValue{"1"}}, {"07", "T1"}}},
  };
  EXPECT_EQ(withoutCrc(TLVGenerator::encodeDictToTLV(dict)), "2605plainZZ04free62060702T1");
}

TEST(EncodeDictToTLV, KeysAreTagsByUserPerceivedCharacters) {
  // Two characters of any byte length are a tag; one character of two or more bytes is not.
  const std::pair<std::string, bool> keys[] = {
      {"é1", true},  {"最佳", true},     {"e\u0301x", true}, {"🇮🇳🇮🇳", true}, {"é", false},
      {"最", false}, {"e\u0301", false}, {"\r\n", false},    {"🇮🇳", false},  {"abc", false},
  };
  for (const auto& [key, isTag] : keys) {
    const std::string payload = TLVGenerator::encodeDictToTLV({{key, "v"}, {"60", "C"}});
    EXPECT_EQ(withoutCrc(payload), (isTag ? key + "01v" : "") + "6001C") << key;
  }
}

TEST(EncodeDictToTLV, LanguageTemplateNamesAndEmptyTemplates) {
  const TagDictionary dict{
      {"64", TagDictionary{{"languagePreference", "ZH"},
                           {"merchantNameAlternateLanguage", "最佳运输"},
                           {"unknownName", "dropped-tag"}}},
      {"80", TagDictionary{}},
  };
  EXPECT_EQ(withoutCrc(TLVGenerator::encodeDictToTLV(dict)),
            "64270002ZH0104最佳运输11dropped-tag8000");
}

TEST(EncodeDictToTLV, TagWinsOverTheSameName) {
  const TagDictionary dict{{"merchantName", "Name"}, {"59", "Tag"}};
  EXPECT_EQ(withoutCrc(TLVGenerator::encodeDictToTLV(dict)), "5903Tag");
}

TEST(EncodeDictToTLV, LeavesOutObjectsOf100CharactersOrMore) {
  const TagDictionary dict{{"59", std::string(100, 'x')},
                           {"60", "C"},
                           {"62", TagDictionary{{"01", std::string(97, 'b')}}}};
  EXPECT_EQ(withoutCrc(TLVGenerator::encodeDictToTLV(dict)), "6001C");
}

TEST(EncodeDictToTLV, LeavesOutValuesAndTagsHoldingControlCharacters) {
  struct Case {
    std::string value;
    bool written;
  };
  const Case cases[] = {
      {std::string("A\0B", 3), false},
      {"\x01", false},
      {"a\r\nb", false},
      {"\x1f", false},
      {"\x7f", false},
      {"\xc2\x80", false},
      {"\xc2\x9f", false},
      {std::string(20, 'x') + "\t", false},
      {" ", true},
      {"~", true},
      {"\xc2\xa0", true},
      {"最佳運輸\x02", false},
      {"最佳運輸", true},
  };
  for (const Case& c : cases) {
    const std::string payload =
        TLVGenerator::encodeDictToTLV({{"59", c.value}, {"62", TagDictionary{{"01", c.value}}}});
    const std::string count = text::twoDigitLength(text::characterCount(c.value));
    const std::string inner = "01" + count + c.value;
    EXPECT_EQ(withoutCrc(payload),
              c.written ? "59" + count + c.value + "62" +
                              text::twoDigitLength(text::characterCount(inner)) + inner
                        : "6200")  // a template whose every entry is left out is empty
        << c.value;
  }
  EXPECT_EQ(withoutCrc(TLVGenerator::encodeDictToTLV({{"\x01\x02", "v"}, {"60", "C"}})), "6001C");
}

}  // namespace
}  // namespace zelto
