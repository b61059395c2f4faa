#include <zelto/base/color.h>

#include <optional>

namespace zelto::platform {
namespace {

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

bool isSpaceOrLineBreak(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

Color Color::gray() { return {0.5, 0.5, 0.5, 1}; }
Color Color::white() { return {1, 1, 1, 1}; }
Color Color::black() { return {0, 0, 0, 1}; }
Color Color::clear() { return {0, 0, 0, 0}; }

Color Color::fromHex(std::string_view hex) {
  while (!hex.empty() && isSpaceOrLineBreak(hex.front())) hex.remove_prefix(1);
  while (!hex.empty() && isSpaceOrLineBreak(hex.back())) hex.remove_suffix(1);
  if (hex.starts_with('#')) hex.remove_prefix(1);
  if (hex.size() != 6) return gray();
  double channels[3];
  for (int i = 0; i < 3; ++i) {
    const auto high = hexDigit(hex[2 * i]);
    const auto low = hexDigit(hex[2 * i + 1]);
    if (!high || !low) return gray();
    channels[i] = (*high * 16 + *low) / 255.0;
  }
  return {channels[0], channels[1], channels[2], 1};
}

}  // namespace zelto::platform
