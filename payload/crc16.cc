#include <zelto/payload/crc16.h>

namespace zelto::crc16 {
namespace {

constexpr std::array<std::uint16_t, 256> tableFor(std::uint16_t poly) {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned c = i << 8;
    for (int bit = 0; bit < 8; ++bit) {
      c = (c & 0x8000) ? ((c << 1) ^ poly) : (c << 1);
    }
    table[i] = static_cast<std::uint16_t>(c & 0xFFFF);
  }
  return table;
}

// Slicing-by-16 tables for the default polynomial, built at compile time: kSlices[k][i] is the CRC
// contribution of byte value i followed by k zero bytes, so sixteen bytes fold into the CRC with
// sixteen independent lookups instead of a chain of sixteen dependent ones. kSlices[0] is the
// plain byte-at-a-time table.
constexpr std::size_t kSlice = 16;
using SliceTables = std::array<std::array<std::uint16_t, 256>, kSlice>;

constexpr SliceTables kSlices = [] {
  SliceTables t{};
  t[0] = tableFor(kPolynomial);
  for (std::size_t k = 1; k < t.size(); ++k) {
    for (unsigned i = 0; i < 256; ++i) {
      const unsigned previous = t[k - 1][i];
      t[k][i] = static_cast<std::uint16_t>(((previous << 8) ^ t[0][previous >> 8]) & 0xFFFF);
    }
  }
  return t;
}();

// The CRC after the `n` bytes at `data` (n from 2 to kSlice): the CRC so far meets the first two
// bytes, the others only need their own lookups.
template <std::size_t n>
unsigned fold(unsigned crc, const std::uint8_t* data) {
  static_assert(n >= 2 && n <= kSlice);
  unsigned folded = kSlices[n - 1][data[0] ^ (crc >> 8)] ^ kSlices[n - 2][data[1] ^ (crc & 0xFF)];
  for (std::size_t k = 2; k < n; ++k) folded ^= kSlices[n - 1 - k][data[k]];
  return folded;
}

unsigned updateByte(const std::array<std::uint16_t, 256>& table, unsigned crc, std::uint8_t byte) {
  return table[((crc >> 8) ^ byte) & 0xFF] ^ ((crc & 0xFF) << 8);
}

void writeHex4(std::uint16_t value, char* out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out[0] = kDigits[(value >> 12) & 0xF];
  out[1] = kDigits[(value >> 8) & 0xF];
  out[2] = kDigits[(value >> 4) & 0xF];
  out[3] = kDigits[value & 0xF];
}

}  // namespace

std::uint16_t checksum(std::string_view text) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  std::size_t size = text.size();
  unsigned c = kInitialValue;
  while (size >= kSlice) {
    c = fold<kSlice>(c, data);
    data += kSlice;
    size -= kSlice;
  }
  // The rest in slices of eight, four and two bytes, then the last byte alone.
  if (size & 8) {
    c = fold<8>(c, data);
    data += 8;
  }
  if (size & 4) {
    c = fold<4>(c, data);
    data += 4;
  }
  if (size & 2) {
    c = fold<2>(c, data);
    data += 2;
  }
  if (size & 1) c = updateByte(kSlices[0], c, *data);
  return static_cast<std::uint16_t>(c & 0xFFFF);
}

std::array<std::uint16_t, 256> genCrc16TableMsb(std::uint16_t poly) { return tableFor(poly); }

std::uint16_t calculateCrcMsb(std::span<const std::uint8_t> data, std::uint16_t poly,
                              std::uint16_t initialCrcValue) {
  const auto& table = poly == kPolynomial ? kSlices[0] : [&]() -> const auto& {
    thread_local std::array<std::uint16_t, 256> other;
    other = tableFor(poly);
    return other;
  }
  ();
  unsigned c = initialCrcValue;
  for (std::uint8_t b : data) c = updateByte(table, c, b);
  return static_cast<std::uint16_t>(c & 0xFFFF);
}

std::string getCrc(std::string_view tlvStr) {
  char digits[4];
  writeHex4(checksum(tlvStr), digits);
  std::string_view hex(digits, 4);
  const auto first = hex.find_first_not_of('0');
  return std::string(first == std::string_view::npos ? "0" : hex.substr(first));
}

std::string prefixZeros(std::string_view crc) {
  if (crc.size() >= 4) return std::string(crc);
  return std::string(4 - crc.size(), '0') + std::string(crc);
}

std::string crcDigits(std::string_view textThroughCrcTag) {
  std::string digits(4, '0');
  writeHex4(checksum(textThroughCrcTag), digits.data());
  return digits;
}

void appendCrcObject(std::string& payload) {
  payload += "6304";
  const std::uint16_t crc = checksum(payload);
  const std::size_t at = payload.size();
  payload.resize(at + 4);
  writeHex4(crc, payload.data() + at);
}

}  // namespace zelto::crc16
