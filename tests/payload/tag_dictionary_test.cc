#include <gtest/gtest.h>
#include <zelto/payload/tag_dictionary.h>
#include <zelto/payload/tlv_generator.h>

#include <nlohmann/json.hpp>
#include <string>

#include "base/json_reader.h"
#include "payload/tag_dictionary_json.h"

namespace zelto {
namespace {

// Dictionaries large enough to be indexed must answer as small ones do.
TEST(TagDictionary, LargeDictionariesFindReplaceAndErase) {
  TagDictionary dict;
  for (int i = 0; i < 100; ++i) dict.set("k" + std::to_string(i), std::to_string(i));
  dict.set("k7", "seven");
  ASSERT_EQ(dict.size(), 100u);
  EXPECT_EQ(*dict.findString("k7"), "seven");
  EXPECT_EQ(dict.entries()[7].first, "k7");
  EXPECT_TRUE(dict.erase("k3"));
  EXPECT_FALSE(dict.erase("k3"));
  EXPECT_EQ(dict.find("k3"), nullptr);
  EXPECT_EQ(*dict.findString("k99"), "99");
  EXPECT_EQ(dict.entries()[3].first, "k4");
  for (int i = 4; i < 100; ++i) dict.erase("k" + std::to_string(i));
  EXPECT_EQ(dict.size(), 3u);
  EXPECT_EQ(*dict.findString("k2"), "2");
  const TagDictionary copy = dict;
  EXPECT_EQ(copy, dict);
  EXPECT_EQ(*copy.findString("k1"), "1");
}

TEST(TagDictionary, FromJsonRefusesWhatIsNotAShallowObject) {
  EXPECT_EQ(tagDictionaryFromJson(nlohmann::ordered_json::array()).error,
            "expected a JSON object of tags and values");
  // Built by hand, deeper than any text json::read accepts.
  nlohmann::ordered_json deep = nlohmann::ordered_json::object();
  nlohmann::ordered_json* inner = &deep;
  for (int i = 0; i < 100000; ++i) inner = &((*inner)["62"] = nlohmann::ordered_json::object());
  EXPECT_EQ(tagDictionaryFromJson(deep).error, "JSON nested more than 64 levels deep");
  // Arrays count too: an opaque value is written out as JSON text.
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (int i = 0; i < 100000; ++i) array = nlohmann::ordered_json::array({std::move(array)});
  EXPECT_FALSE(tagDictionaryFromJson({{"59", std::move(array)}}).dictionary);

  const auto limit = json::read(std::string(63, '[') + "1" + std::string(63, ']'));
  const auto shallow = tagDictionaryFromJson({{"x", *limit.value}});
  ASSERT_TRUE(shallow.dictionary) << shallow.error;
  EXPECT_EQ(shallow.dictionary->find("x")->opaque()->json.size(), 127u);
}

// Reading a dictionary straight from text must give what reading the JSON tree and converting it
// gives: the same entries in the same order, the same opaque texts, the same errors.
TEST(TagDictionary, ReadFromTextAgreesWithTheTreeRoute) {
  const std::string deepObjects = [] {
    std::string text;
    for (int i = 0; i < 64; ++i) text += R"({"62": )";
    return text + "1" + std::string(64, '}');
  }();
  const std::string arrayAtLimit =
      R"({"a": {"b": )" + std::string(62, '[') + "1" + std::string(62, ']') + "}}";
  const std::string arrayPastLimit =
      R"({"a": {"b": )" + std::string(63, '[') + "1" + std::string(63, ']') + "}}";
  const std::string cases[] = {
      R"({"59": "Café", "26": {"00": "com.x", "01": "id"}, "n": 12, "f": 1.50, "u": 18446744073709551615})",
      R"({"59": "A", "60": "B", "59": "C", "26": {"a": 1}, "26": "flat"})",
      R"({"x": [1, {"k": "v", "k": [true, null]}, [], "s"], "y": {}, "z": [[{"62": {}}]]})",
      R"({"t": true, "f": false, "z": null, "e": -0.0, "big": 1e308, "small": -12})",
      R"(["not", "an", "object"])",
      R"("text")",
      "42",
      R"({"a": 1} x)",
      R"({"a": )",
      "",
      R"({"a": "\ud800"})",
      deepObjects,
      "[" + deepObjects + "]",
      R"({"x": )" + deepObjects + "}",
      arrayAtLimit,
      arrayPastLimit,
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text.substr(0, 80));
    const TagDictionaryFromJson direct = readTagDictionary(text, "input");
    const json::ReadResult tree = json::read(text);
    if (!tree.value) {
      EXPECT_FALSE(direct.dictionary);
      EXPECT_TRUE(direct.invalidJson);
      EXPECT_EQ(direct.error, tree.message("input"));
      continue;
    }
    const TagDictionaryFromJson converted = tagDictionaryFromJson(*tree.value);
    EXPECT_EQ(direct.dictionary, converted.dictionary);
    EXPECT_EQ(direct.error, converted.error);
    EXPECT_FALSE(direct.invalidJson);
  }
}

TEST(TagDictionary, EncoderKeepsTheTagOverItsNameInLargeDictionaries) {
  TagDictionary before{{"merchantName", "Name"}};
  TagDictionary after{{"00", "01"}, {"59", "Tag"}};
  for (int i = 0; i < 40; ++i) {
    before.set("filler" + std::to_string(i), "skipped");
    after.set("filler" + std::to_string(i), "skipped");
  }
  before.set("59", "Tag");
  after.set("merchantName", "Name");
  const auto body = [](const TagDictionary& dict) {
    const std::string payload = TLVGenerator::encodeDictToTLV(dict);
    return payload.substr(0, payload.size() - 8);
  };
  EXPECT_EQ(body(before), "5903Tag");
  EXPECT_EQ(body(after), "0002015903Tag");
}

}  // namespace
}  // namespace zelto
