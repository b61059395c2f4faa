#include <gtest/gtest.h>
#include <zelto/payload/crc16.h>

#include <cstdio>

#include "payload/crc16_paths.h"

namespace zelto::crc16 {
namespace {

// Bit-at-a-time CRC-16/CCITT-FALSE, the definition the table-driven routine must match.
std::uint16_t referenceCrc(std::string_view text) {
  unsigned c = kInitialValue;
  for (unsigned char byte : text) {
    c ^= static_cast<unsigned>(byte) << 8;
    for (int i = 0; i < 8; ++i) c = (c & 0x8000) ? ((c << 1) ^ kPolynomial) : (c << 1);
    c &= 0xFFFF;
  }
  return static_cast<std::uint16_t>(c);
}

TEST(Crc16, KnownValuesAndUtf8Input) {
  EXPECT_EQ(crcDigits("123456789"), "29B1");
  EXPECT_EQ(getCrc("123456789"), "29B1");
  EXPECT_NE(crcDigits("Café6304"), crcDigits("Cafe6304"));
  std::string payload = "000201";
  appendCrcObject(payload);
  EXPECT_EQ(payload, "0002016304AAE6");
  std::string empty;
  appendCrcObject(empty);
  EXPECT_EQ(empty, "63046007");
}

// Up to eleven 64-byte rounds of the folding path, with every tail length after them.
TEST(Crc16, BothPathsAgreeWithBitwiseReferenceAtEveryLength) {
  std::string text;
  unsigned seed = 12345;
  for (int length = 0; length <= 700; ++length) {
    const std::uint16_t expected = referenceCrc(text);
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04X", expected);
    ASSERT_EQ(crcDigits(text), digits) << "length " << length;
    ASSERT_EQ(tableChecksum(text), expected) << "length " << length;
    if (hasCarrylessMultiply()) {
      ASSERT_EQ(foldedChecksum(text), expected) << "length " << length;
    }
    seed = seed * 1103515245 + 12345;
    text += static_cast<char>(seed >> 16);  // every byte value, UTF-8 or not
  }
}

TEST(Crc16, ShortValuesArePaddedWithLeadingZeros) {
  EXPECT_EQ(prefixZeros("AB"), "00AB");
  EXPECT_EQ(prefixZeros("1234"), "1234");
  // "11" has the CRC 0x0DD9: getCrc drops the leading zero, crcDigits keeps it.
  EXPECT_EQ(getCrc("11"), "DD9");
  EXPECT_EQ(crcDigits("11"), "0DD9");
}

}  // namespace
}  // namespace zelto::crc16
