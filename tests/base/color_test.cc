#include <gtest/gtest.h>
#include <zelto/base/color.h>

namespace zelto::platform {
namespace {

TEST(ColorTest, HexRule) {
  const Color navy{0x15 / 255.0, 0x19 / 255.0, 0x5A / 255.0, 1};
  const std::pair<const char*, Color> cases[] = {
      {"#15195A", navy},           {"#15195a", navy},      {"15195A", navy},
      {"  #15195a \n", navy},      {"\t15195A\r\n", navy}, {"#1519A", Color::gray()},
      {"#15195A0", Color::gray()},  // seven digits
      {"##15195A", Color::gray()},  // only one "#" is dropped
      {"#15195G", Color::gray()},   // not hexadecimal
      {"#15 95A", Color::gray()},   // inner space
      {"", Color::gray()},         {"#", Color::gray()},
  };
  for (const auto& [hex, expected] : cases) {
    EXPECT_EQ(Color::fromHex(hex), expected) << '"' << hex << '"';
  }
}

}  // namespace
}  // namespace zelto::platform
