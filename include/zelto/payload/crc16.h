// The payload checksum: CRC-16/CCITT-FALSE (polynomial 0x1021, initial value 0xFFFF, no
// reflection, no final XOR; "123456789" gives 0x29B1) over the UTF-8 bytes of the payload up
// to and including the "6304" of the CRC object. One routine serves every encoder; its lookup
// tables are built at compile time.
//
// Thread-safety: every function may be called from any thread.
#ifndef ZELTO_PAYLOAD_CRC16_H_
#define ZELTO_PAYLOAD_CRC16_H_

#include <zelto/export.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelto::crc16 {

inline constexpr std::uint16_t kPolynomial = 0x1021;
inline constexpr std::uint16_t kInitialValue = 0xFFFF;

// The 256-entry MSB-first lookup table for `poly`.
ZELTO_EXPORT std::array<std::uint16_t, 256> genCrc16TableMsb(std::uint16_t poly);

// CRC of `data`, MSB first, starting from `initialCrcValue`.
ZELTO_EXPORT std::uint16_t calculateCrcMsb(std::span<const std::uint8_t> data,
                                           std::uint16_t poly = kPolynomial,
                                           std::uint16_t initialCrcValue = kInitialValue);

// CRC of the UTF-8 bytes of `text` with the payload's polynomial and initial value.
std::uint16_t checksum(std::string_view text);

// CRC of the UTF-8 bytes of `tlvStr` as upper-case hexadecimal without leading zeros.
ZELTO_EXPORT std::string getCrc(std::string_view tlvStr);

// `crc` padded on the left with "0" to four characters.
ZELTO_EXPORT std::string prefixZeros(std::string_view crc);

// The four upper-case hexadecimal digits that close a payload whose text, up to and including
// "6304", is `textThroughCrcTag`.
ZELTO_EXPORT std::string crcDigits(std::string_view textThroughCrcTag);

// Appends "6304" and the four CRC digits to `payload`.
ZELTO_EXPORT void appendCrcObject(std::string& payload);

}  // namespace zelto::crc16

#endif  // ZELTO_PAYLOAD_CRC16_H_
