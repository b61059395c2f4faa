#include "payload/luhn.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "base/text.h"

namespace zelto::luhn {
namespace {

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

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

}  // namespace

bool luhnCheckRejectingOthers(std::string_view text) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), isAsciiDigit)) return false;
  Sum sum;
  for (std::size_t i = 0; i < text.size(); ++i) sum.add(text[text.size() - 1 - i], i + 1);
  return sum.passes();
}

bool luhnCheckSkippingOthers(std::string_view text) {
  // ASCII without "\r" is one byte a character: one pass sums its digits and notes any other
  // byte; other text is walked character by character.
  int asciiSum = 0;
  unsigned char other = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[text.size() - 1 - i]);
    other |= static_cast<unsigned char>(c >= 0x80) | static_cast<unsigned char>(c == '\r');
    const unsigned digit = c - unsigned{'0'};
    if (digit <= 9) asciiSum += (i & 1) != 0 ? kDoubled[digit] : static_cast<int>(digit);
  }
  if (other == 0) return asciiSum % 10 == 0;
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
    if (boundaries[count - i] - start == 1 && isAsciiDigit(text[start]))
      sum.add(text[start], i + 1);
  }
  return sum.passes();
}

}  // namespace zelto::luhn
