#include "base/regex.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/debug_console.h"

namespace zelto::text {
namespace {

TEST(IsMatchingRegex, FindsAMatchAnywhereAndRefusesABadPattern) {
  EXPECT_TRUE(isMatchingRegex("b+", "abbc"));
  EXPECT_FALSE(isMatchingRegex("^b", "abc"));
  EXPECT_TRUE(isMatchingRegex("é", "café"));
  platform::ScopedDebugConsoleCapture console;
  EXPECT_FALSE(isMatchingRegex("[", "["));  // does not compile
  EXPECT_EQ(console.lines(), std::vector<std::string>{"Error: invalid regular expression ["});
}

TEST(IsValidFormat, TheSecondCharacterAloneMatches) {
  constexpr std::string_view kPattern = "^[1-9a-qA-Q]";
  for (std::string_view id : {"", "?", "é", "?q", "?Q", "?1x", "é9"}) {
    EXPECT_TRUE(isValidFormat(id, kPattern)) << id;
  }
  // "?é" fails on "é" itself, not on its first byte; "?\r\n" has "\r\n" as one character.
  for (std::string_view id : {"?r", "?0", "?é", "1?", "?\r\n"}) {
    EXPECT_FALSE(isValidFormat(id, kPattern)) << id;
  }
}

}  // namespace
}  // namespace zelto::text
