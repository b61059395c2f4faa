#include "payload/luhn.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/text.h"

namespace zelto::luhn {
namespace {

// A digit's contribution when doubled: 2d, less 9 when that is over 9.
constexpr int kDoubled[] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};

// The sum of the Luhn check, digit by digit.
class Sum {
 public:
  // Adds the ASCII digit `c` at `number`, counted from the last character (1).
  void add(char c, std::size_t number) { sum_ += number % 2 == 0 ? kDoubled[c - '0'] : c - '0'; }
  bool passes() const { return sum_ % 10 == 0; }

 private:
  int sum_ = 0;
};

// What each byte adds to the sum at an odd number (as it is) and at an even one (doubled): an
// ASCII digit its value, any other byte nothing.
constexpr auto byteTable(bool doubled) {
  std::array<std::uint8_t, 256> table{};
  for (int digit = 0; digit <= 9; ++digit) {
    table['0' + digit] = static_cast<std::uint8_t>(doubled ? kDoubled[digit] : digit);
  }
  return table;
}
constexpr std::array<std::uint8_t, 256> kByteAsIs = byteTable(false);
constexpr std::array<std::uint8_t, 256> kByteDoubled = byteTable(true);

// The sum of the ASCII digits of `text` taken as one byte a character, two at a time from the
// last one, through tables that count any other byte as 0.
unsigned byteSum(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  unsigned sum = 0;
  std::size_t left = text.size();
  for (; left >= 2; left -= 2) sum += kByteAsIs[bytes[left - 1]] + kByteDoubled[bytes[left - 2]];
  if (left == 1) sum += kByteAsIs[bytes[0]];
  return sum;
}

}  // namespace

bool luhnCheckRejectingOthers(std::string_view text) {
  return !text.empty() && text::isAsciiDigits(text) && byteSum(text) % 10 == 0;
}

bool luhnCheckSkippingOthers(std::string_view text) {
  // ASCII without "\r" is one byte a character, and its byte sum is the sum. Other text is
  // walked character by character.
  unsigned char other = 0;
  for (const char c : text) {
    other |= static_cast<unsigned char>(static_cast<unsigned char>(c) >= 0x80 || c == '\r');
  }
  if (other == 0) return byteSum(text) % 10 == 0;
  Sum sum;
  std::vector<std::size_t> boundaries{0};
  while (boundaries.back() < text.size()) {
    const auto step = text::advanceCharacters(text.substr(boundaries.back()), 1);
    boundaries.push_back(boundaries.back() + step.value_or(text.size() - boundaries.back()));
  }
  const std::size_t count = boundaries.size() - 1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t start = boundaries[count - 1 - i];
    // Only a character that is one ASCII digit counts as a digit.
    if (boundaries[count - i] - start == 1 && text::isAsciiDigit(text[start]))
      sum.add(text[start], i + 1);
  }
  return sum.passes();
}

}  // namespace zelto::luhn
