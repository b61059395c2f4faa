// The number helpers of base/text.h: integers, decimals and hexadecimal digits read from text,
// and two-digit lengths written.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/text.h"

namespace zelto::text {

std::optional<std::int64_t> parseInteger(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '-') return std::nullopt;
  }
  if (digits.empty()) return std::nullopt;
  for (char c : digits.substr(digits.front() == '-' ? 1 : 0)) {
    if (!isAsciiDigit(c)) return std::nullopt;
  }
  if (digits == "-") return std::nullopt;
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::optional<std::uint64_t> parseUnsignedInteger(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  for (char c : digits) {
    if (!isAsciiDigit(c)) return std::nullopt;
  }
  std::uint64_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// Its digits form an integer below 2^53 and its decimals a power of ten below 10^16, both exact
// doubles, so their quotient is the correctly rounded value from_chars would give, without its
// cost.
std::optional<PlainDecimal> parsePlainDecimal(std::string_view text) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  // At most 15 digits and a point; the digits of 16 bytes fit 64 bits while they are read.
  if (text.empty() || text.size() > 16) return std::nullopt;
  std::int64_t digits = 0;
  std::size_t point = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
    if (digit <= 9) {
      digits = digits * 10 + digit;
    } else if (text[i] == '.' && point == std::string_view::npos) {
      point = i;
    } else {
      return std::nullopt;
    }
  }
  const bool hasPoint = point != std::string_view::npos;
  const std::size_t count = text.size() - (hasPoint ? 1 : 0);
  if (count == 0 || count > 15) return std::nullopt;
  const std::size_t decimals = hasPoint ? text.size() - 1 - point : 0;
  return PlainDecimal{static_cast<double>(digits) / kPowersOfTen[decimals], hasPoint};
}

std::optional<double> parseDouble(std::string_view text) {
  if (const auto plain = parsePlainDecimal(text)) return plain->value;
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digitCount = 0;
  while (i < n && isAsciiDigit(text[i])) ++i, ++digitCount;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && isAsciiDigit(text[i])) ++i, ++digitCount;
  }
  if (digitCount == 0) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < n && isAsciiDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  double value = 0;
  // from_chars rejects a leading "+"; the grammar above has already been checked.
  std::string_view body = text;
  if (body.front() == '+') body.remove_prefix(1);
  auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is not a number.
    const std::string copy(body);
    value = std::strtod(copy.c_str(), nullptr);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
  }
  if (error != std::errc() || end != body.data() + body.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

int parseHex(std::string_view text) {
  // Each byte's value as a hexadecimal digit, or -1.
  static constexpr std::array<std::int8_t, 256> kValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < 16; ++digit) {
      values["0123456789abcdef"[digit]] = static_cast<std::int8_t>(digit);
      values["0123456789ABCDEF"[digit]] = static_cast<std::int8_t>(digit);
    }
    return values;
  }();
  if (text.empty() || text.size() > 4) return -1;
  int value = 0;
  int invalid = 0;
  for (const char c : text) {
    const int digit = kValues[static_cast<unsigned char>(c)];
    invalid |= digit;
    value = value * 16 + digit;
  }
  return invalid < 0 ? -1 : value;
}

std::string twoDigitLength(std::size_t value) {
  if (value < 10) return std::string{'0', static_cast<char>('0' + value)};
  return std::to_string(value);
}

}  // namespace zelto::text
