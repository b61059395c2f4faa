// parseDouble reads short decimals (amounts, fees) without from_chars; the value must be the
// same correctly rounded double that from_chars gives, for every length and point position.
#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

#include "base/text.h"

namespace zelto::text {
namespace {

double fromChars(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

TEST(ParseDouble, ShortDecimalsAreTheCorrectlyRoundedValue) {
  std::mt19937 random(15);
  for (int i = 0; i < 100000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 17);
    std::string text;
    for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
    text.insert(random() % (text.size() + 1), ".");
    if (random() % 4 == 0) text.insert(0, "-");
    const auto parsed = parseDouble(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    // Bit for bit: 0.1 + 0.2 style errors and the sign of zero both show.
    ASSERT_EQ(std::signbit(*parsed), std::signbit(fromChars(text))) << text;
    ASSERT_EQ(*parsed, fromChars(text)) << text;
  }
}

}  // namespace
}  // namespace zelto::text
