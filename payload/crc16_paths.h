// The two ways the payload checksum is computed, apart so that tests can hold each against the
// bit-at-a-time definition on every machine: lookup tables sixteen bytes at a time, and, on x86-64
// processors with a carry-less multiply, folding sixty-four bytes at a time. checksum() picks the
// second for texts of 64 bytes or more when the processor has it.
//
// Thread-safety: every function may be called from any thread.
#ifndef ZELTO_PAYLOAD_CRC16_PATHS_H_
#define ZELTO_PAYLOAD_CRC16_PATHS_H_

#include <cstdint>
#include <string_view>

namespace zelto::crc16 {

// CRC of `text` through the lookup tables alone.
std::uint16_t tableChecksum(std::string_view text);

// Whether this processor has the carry-less multiply foldedChecksum needs.
bool hasCarrylessMultiply();

// CRC of `text` by carry-less multiplication; only when hasCarrylessMultiply().
std::uint16_t foldedChecksum(std::string_view text);

}  // namespace zelto::crc16

#endif  // ZELTO_PAYLOAD_CRC16_PATHS_H_
