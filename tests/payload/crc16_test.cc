#include "payload/crc16.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace zelto::crc16 {
namespace {

TEST(Crc16, KnownValues) {
  EXPECT_EQ(crcDigits("123456789"), "29B1");
  EXPECT_EQ(crcDigits("6304"), "6007");
  EXPECT_EQ(getCrc("123456789"), "29B1");
  // Non-ASCII text enters as UTF-8 bytes: the accented form differs from the folded one.
  EXPECT_NE(crcDigits("Café6304"), crcDigits("Cafe6304"));
}

TEST(Crc16, TableMatchesBitwiseDefinition) {
  const auto table = genCrc16TableMsb(kPolynomial);
  EXPECT_EQ(table[0], 0x0000);
  EXPECT_EQ(table[1], 0x1021);
  EXPECT_EQ(table[255], 0x1EF0);
  // The table-driven routine agrees with a bit-at-a-time reference on every single byte.
  for (int b = 0; b < 256; ++b) {
    unsigned c = kInitialValue ^ (static_cast<unsigned>(b) << 8);
    for (int i = 0; i < 8; ++i) c = (c & 0x8000) ? ((c << 1) ^ kPolynomial) : (c << 1);
    const std::uint8_t byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(calculateCrcMsb(std::span(&byte, 1)), c & 0xFFFF) << b;
  }
}

// Bit-at-a-time CRC-16/CCITT-FALSE, the definition the fast routine must match.
std::uint16_t referenceCrc(std::string_view text) {
  unsigned c = kInitialValue;
  for (unsigned char byte : text) {
    c ^= static_cast<unsigned>(byte) << 8;
    for (int i = 0; i < 8; ++i) c = (c & 0x8000) ? ((c << 1) ^ kPolynomial) : (c << 1);
    c &= 0xFFFF;
  }
  return static_cast<std::uint16_t>(c);
}

TEST(Crc16, AgreesWithBitwiseReferenceAtEveryLength) {
  std::string text;
  unsigned seed = 12345;
  for (int length = 0; length <= 300; ++length) {
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04X", referenceCrc(text));
    ASSERT_EQ(crcDigits(text), digits) << "length " << length;
    seed = seed * 1103515245 + 12345;
    text += static_cast<char>(seed >> 16);  // every byte value, UTF-8 or not
  }
}

TEST(Crc16, PadsWithLeadingZeros) {
  EXPECT_EQ(prefixZeros("AB"), "00AB");
  EXPECT_EQ(prefixZeros("0"), "0000");
  EXPECT_EQ(prefixZeros("1234"), "1234");
  // Search a text whose CRC is below 0x1000 and check both forms.
  for (int i = 0; i < 100000; ++i) {
    const std::string text = std::to_string(i);
    const std::string raw = getCrc(text);
    if (raw.size() < 4) {
      EXPECT_EQ(crcDigits(text), prefixZeros(raw));
      EXPECT_EQ(crcDigits(text).size(), 4u);
      EXPECT_EQ(crcDigits(text)[0], '0');
      return;
    }
  }
  FAIL() << "no short CRC found";
}

TEST(Crc16, AppendCrcObjectClosesPayload) {
  std::string payload = "000201";
  appendCrcObject(payload);
  EXPECT_EQ(payload, "0002016304AAE6");
  std::string empty;
  appendCrcObject(empty);
  EXPECT_EQ(empty, "63046007");
}

}  // namespace
}  // namespace zelto::crc16
