#include "base/json_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "payload/tag_dictionary_json.h"

namespace zelto::json {
namespace {

using Json = nlohmann::ordered_json;

std::string nested(std::size_t levels, std::string_view open = "[", std::string_view close = "]") {
  std::string text;
  for (std::size_t i = 0; i < levels; ++i) text += open;
  text += "1";
  for (std::size_t i = 0; i < levels; ++i) text += close;
  return text;
}

// Objects nested `levels` deep under the key "a", built by hand as a host might.
Json handBuiltObjects(std::size_t levels) {
  Json root = Json::object();
  Json* inner = &root;
  for (std::size_t i = 1; i < levels; ++i) inner = &((*inner)["a"] = Json::object());
  return root;
}

TEST(JsonRead, DepthIsBoundedWhateverTheNesting) {
  const auto atLimit = read(nested(kMaxDepth));
  ASSERT_TRUE(atLimit.value) << atLimit.message();
  EXPECT_EQ(depth(*atLimit.value), kMaxDepth);

  struct Case {
    std::string text;
    std::size_t byte;  // of the bracket opening level 65
  };
  const Case cases[] = {
      {nested(kMaxDepth + 1), kMaxDepth + 1},
      {nested(100000), kMaxDepth + 1},
      {nested(100000, "{\"a\":", "}"), 5 * kMaxDepth + 1},
      // Brackets inside strings are text, not nesting.
      {"[\"[[\\\"[\"," + nested(kMaxDepth), 9 + kMaxDepth},
  };
  for (const auto& c : cases) {
    const auto result = read(c.text);
    EXPECT_FALSE(result.value);
    EXPECT_EQ(result.error, ReadResult::Error::kTooDeep) << c.text.substr(0, 20);
    EXPECT_EQ(result.byte, c.byte) << c.text.substr(0, 20);
  }
  EXPECT_EQ(read(nested(kMaxDepth + 1)).message("x.json"),
            "JSON in x.json nested more than 64 levels deep at byte 65");
  // A tree built by hand may be deeper than any text read; measuring it must not recurse.
  EXPECT_GT(depth(handBuiltObjects(100000)), kMaxDepth);
  EXPECT_EQ(depth(handBuiltObjects(3)), 3u);
}

TEST(JsonRead, MembersKeepTheirOrderAndRepeatedKeysTheirFirstPlace) {
  // Large enough for the key index: the repeat of "k0" comes after 40 members.
  std::string text = "{";
  for (int i = 0; i < 40; ++i) text += "\"k" + std::to_string(i) + "\": " + std::to_string(i) + ",";
  text += R"("k0": "last", "k39": null, "small": {"x": 1, "y": 2, "x": 3}})";
  const auto result = read(text);
  ASSERT_TRUE(result.value) << result.message();
  const Json& json = *result.value;
  ASSERT_EQ(json.size(), 41u);
  EXPECT_EQ(json.begin().key(), "k0");
  EXPECT_EQ(json.begin().value(), "last");
  EXPECT_EQ(json["k39"], nullptr);
  EXPECT_EQ(json["k38"], 38);
  EXPECT_EQ(json["small"].dump(), R"({"x":3,"y":2})");
  // The same tree as nlohmann's own reader.
  EXPECT_EQ(json, Json::parse(text));
}

TEST(JsonRead, SyntaxErrorsNameTheByte) {
  const std::pair<std::string, std::size_t> cases[] = {
      {R"({"a": 1,})", 9}, {"", 1}, {"[1] x", 5}, {"1e999", 5}, {"\"\xFF\"", 2}};
  for (const auto& [text, byte] : cases) {
    const auto result = read(text);
    EXPECT_FALSE(result.value) << text;
    EXPECT_EQ(result.error, ReadResult::Error::kSyntax) << text;
    EXPECT_EQ(result.byte, byte) << text;
  }
  EXPECT_EQ(read("[").message("standard input"),
            "invalid JSON in standard input at byte 2: parse error at line 1, column 2: syntax "
            "error while parsing value - unexpected end of input; expected '[', '{', or a literal");
  EXPECT_EQ(read("  {\"a\": [true, null, -1.5, \"é\"]} ").value->dump(),
            R"({"a":[true,null,-1.5,"é"]})");
}

// Both readers of JSON text, the tree builder and the direct tag-dictionary reader, refuse the
// same texts at the same byte.
TEST(JsonRead, NulBytesAndControlCharactersAreRefusedAtTheirByteByEveryReader) {
  using E = ReadResult::Error;
  struct Case {
    std::string text;
    E error;
    std::size_t byte;
    std::string reason;
  };
  const std::string afterValue =
      "a NUL byte after the JSON value, where only white space may follow";
  const std::string inText = "a NUL byte, which JSON text cannot hold";
  const Case cases[] = {
      {std::string("{}\0", 3), E::kSyntax, 3, afterValue},
      {std::string("{\"a\": \"b\"} \t\0{\"c\": 1}", 21), E::kSyntax, 13, afterValue},
      {std::string("{\"a\": \0\"b\"}", 11), E::kSyntax, 7, inText},
      {std::string("{\"a\": \"b\0\"}", 11), E::kSyntax, 9, inText},
      {std::string("{\"a\": [1,\0]}", 12), E::kSyntax, 10, inText},
      {"{\"a\": \"A\\u0000B\"}", E::kControlCharacter, 9, "U+0000"},
      {"{\"a\": \"A\\u001F\"}", E::kControlCharacter, 9, "U+001F"},
      {"{\"a\": \"ok \\\\n\", \"b\": \"\\n\"}", E::kControlCharacter, 23, "U+000A"},
      {"{\"a\\r\": 1}", E::kControlCharacter, 4, "U+000D"},
      {"{\"a\": [{\"b\": \"\\u009f\"}]}", E::kControlCharacter, 15, "U+009F"},
      {"{\"a\": \"\x7f\"}", E::kControlCharacter, 8, "U+007F"},
      {"{\"a\": \"\xc2\x80\"}", E::kControlCharacter, 8, "U+0080"},
  };
  for (const Case& c : cases) {
    const ReadResult tree = read(c.text);
    EXPECT_FALSE(tree.value) << c.text;
    EXPECT_EQ(tree.error, c.error) << c.text;
    EXPECT_EQ(tree.byte, c.byte) << c.text;
    EXPECT_EQ(tree.reason, c.reason) << c.text;
    const TagDictionaryFromJson dictionary = readTagDictionary(c.text, "x.json");
    EXPECT_FALSE(dictionary.dictionary) << c.text;
    EXPECT_TRUE(dictionary.invalidJson) << c.text;
    EXPECT_EQ(dictionary.error, tree.message("x.json")) << c.text;
  }
  EXPECT_EQ(read("{\"a\": \"\\t\"}").message("x.json"),
            "JSON in x.json at byte 8: a string holds U+0009, a control character, which no value "
            "may hold");
  // Their printable neighbours, escaped or not, and white space after the value are read.
  for (const std::string text :
       {"{\"a\": \" ~\\u0020\\u007e\\u00a0\xc2\xa0\"} \n\t\r ", "[\"\\\\n\", \"\\\\u0000\"]"}) {
    EXPECT_TRUE(read(text).value) << text << read(text).message();
    EXPECT_EQ(read(text).value->dump(), Json::parse(text).dump()) << text;
  }
}

}  // namespace
}  // namespace zelto::json
