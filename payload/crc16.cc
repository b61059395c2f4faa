#include <zelto/payload/crc16.h>

#include "payload/crc16_paths.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// The CRC after the `size` bytes at `data`, starting from `c`.
unsigned tableUpdate(unsigned c, const std::uint8_t* data, std::size_t size) {
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
  return c;
}

const std::uint8_t* bytesOf(std::string_view text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

#if defined(__x86_64__)

// Folding. A 16-byte block B that ends d bits before the end of the text adds B(x) * x^d to the
// text's polynomial, and only its remainder modulo the polynomial P matters. Its high and low
// 64 bits, moved forward by d bits, are congruent to hi * (x^(d+64) mod P) + lo * (x^d mod P):
// two carry-less products of 79 bits at most, which the block d bits further on absorbs. Four
// blocks advance side by side by 512 bits; they then fold into one, which advances 128 bits at
// a time. The last block and the bytes after it are a shorter text with the same CRC from zero,
// which the tables finish.

// x^k mod P.
constexpr std::uint64_t xPowerModP(unsigned k) {
  std::uint64_t r = 1;
  for (unsigned i = 0; i < k; ++i) {
    r <<= 1;
    if ((r & 0x10000) != 0) r ^= 0x10000 | kPolynomial;
  }
  return r;
}

constexpr long long kFold512High = static_cast<long long>(xPowerModP(512 + 64));
constexpr long long kFold512Low = static_cast<long long>(xPowerModP(512));
constexpr long long kFold384High = static_cast<long long>(xPowerModP(384 + 64));
constexpr long long kFold384Low = static_cast<long long>(xPowerModP(384));
constexpr long long kFold256High = static_cast<long long>(xPowerModP(256 + 64));
constexpr long long kFold256Low = static_cast<long long>(xPowerModP(256));
constexpr long long kFold128High = static_cast<long long>(xPowerModP(128 + 64));
constexpr long long kFold128Low = static_cast<long long>(xPowerModP(128));

// The 16 bytes at `data` as a 128-bit number whose most significant byte is the first.
[[gnu::target("ssse3")]] __m128i loadBlock(const std::uint8_t* data) {
  const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data)), reverse);
}

// The 16 bytes of `block` in text order at `out`.
[[gnu::target("ssse3")]] void storeBlock(__m128i block, std::uint8_t* out) {
  const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(block, reverse));
}

// `block` moved forward by the distance of `constants` (x^(d+64) mod P high, x^d mod P low).
[[gnu::target("pclmul")]] __m128i advance(__m128i block, __m128i constants) {
  return _mm_xor_si128(_mm_clmulepi64_si128(block, constants, 0x11),
                       _mm_clmulepi64_si128(block, constants, 0x00));
}

#endif

}  // namespace

std::uint16_t tableChecksum(std::string_view text) {
  return static_cast<std::uint16_t>(tableUpdate(kInitialValue, bytesOf(text), text.size()));
}

#if defined(__x86_64__)

bool hasCarrylessMultiply() {
  static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("ssse3");
  return has;
}

[[gnu::target("pclmul,ssse3")]] std::uint16_t foldedChecksum(std::string_view text) {
  const std::uint8_t* data = bytesOf(text);
  std::size_t size = text.size();
  if (size < 64) return tableChecksum(text);
  const __m128i fold512 = _mm_set_epi64x(kFold512High, kFold512Low);
  const __m128i fold128 = _mm_set_epi64x(kFold128High, kFold128Low);
  // The initial value 0xFFFF is the same as its bits added to the first two bytes.
  const __m128i initial = _mm_set_epi64x(static_cast<long long>(0xFFFF000000000000), 0);
  __m128i lanes[4];
  for (int i = 0; i < 4; ++i) lanes[i] = loadBlock(data + 16 * i);
  lanes[0] = _mm_xor_si128(lanes[0], initial);
  data += 64;
  size -= 64;
  for (; size >= 64; data += 64, size -= 64) {
    for (int i = 0; i < 4; ++i) {
      lanes[i] = _mm_xor_si128(advance(lanes[i], fold512), loadBlock(data + 16 * i));
    }
  }
  // The four lanes move to the end of the last one at once, each by its own distance, rather
  // than one after another.
  __m128i block =
      _mm_xor_si128(_mm_xor_si128(advance(lanes[0], _mm_set_epi64x(kFold384High, kFold384Low)),
                                  advance(lanes[1], _mm_set_epi64x(kFold256High, kFold256Low))),
                    _mm_xor_si128(advance(lanes[2], fold128), lanes[3]));
  for (; size >= 16; data += 16, size -= 16) {
    block = _mm_xor_si128(advance(block, fold128), loadBlock(data));
  }
  std::uint8_t last[16];
  storeBlock(block, last);
  return static_cast<std::uint16_t>(tableUpdate(tableUpdate(0, last, 16), data, size));
}

std::uint16_t checksum(std::string_view text) {
  if (text.size() >= 64 && hasCarrylessMultiply()) return foldedChecksum(text);
  return tableChecksum(text);
}

#else

bool hasCarrylessMultiply() { return false; }

std::uint16_t foldedChecksum(std::string_view text) { return tableChecksum(text); }

std::uint16_t checksum(std::string_view text) { return tableChecksum(text); }

#endif

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
  // The CRC of the payload goes on over "6304", and the object is appended in one piece.
  char object[8] = {'6', '3', '0', '4'};
  const unsigned crc = tableUpdate(checksum(payload), bytesOf(std::string_view(object, 4)), 4);
  writeHex4(static_cast<std::uint16_t>(crc), object + 4);
  payload.append(object, sizeof object);
}

}  // namespace zelto::crc16
