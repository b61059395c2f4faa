// The two Luhn rules: the same sums over ASCII digits, different answers for other characters.
#include "payload/luhn.h"

#include <gtest/gtest.h>

#include <string>

namespace zelto::luhn {
namespace {

struct LuhnCase {
  std::string text;
  bool rejectingOthers;
  bool skippingOthers;
};

TEST(LuhnTest, TheTwoRulesDifferOnlyWhereACharacterIsNotAnAsciiDigit) {
  const LuhnCase cases[] = {
      {"18", true, true},
      {"79927398713", true, true},
      {"4111111111111111", true, true},
      {"4111111111111112", false, false},
      {"0", true, true},
      {"", false, true},
      {"abc", false, true},
      // "x" takes number 2, so the 1 is no longer doubled: 8 + 1 = 9.
      {"1x8", false, false},
      {"x18", false, true},
      // Arabic-Indic digits are decimal digits but not ASCII ones: skipped, each one character.
      {"\u0661\u0668", false, true},
      {"1\u0661"
       "8",
       false, false},
      // "\r\n" is one character: 8 at 1, "\r\n" at 2, 1 at 3 gives 9.
      {"1\r\n8", false, false},
      {"\r\n18", false, true},
      // "e" with a combining acute accent is one character.
      {"1e\u03018", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(luhnCheckRejectingOthers(c.text), c.rejectingOthers) << c.text;
    EXPECT_EQ(luhnCheckSkippingOthers(c.text), c.skippingOthers) << c.text;
  }
}

}  // namespace
}  // namespace zelto::luhn
