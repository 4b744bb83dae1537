#pragma once
// The control string of a text file: the CRC-32 (reflected, polynomial
// 0xEDB88320, seed and final mask 0xFFFFFFFF) of its lines without their line
// ends, shown as eight upper-case hex digits, least significant byte first.

#include <array>
#include <cstdint>
#include <string>

#include "common/status.h"

namespace zel {

using CrcTable = std::array<std::uint32_t, 256>;

inline constexpr std::uint32_t kCrcSeed = 0xFFFFFFFFu;

// Entry n: n put through eight rounds of "shift right, and xor with
// 0xEDB88320 when the bit shifted out was 1".
constexpr CrcTable MakeCrcTable() {
  CrcTable table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int round = 0; round < 8; ++round) c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    table[n] = c;
  }
  return table;
}

// The running checksum after one more byte.
std::uint32_t UpdateCrc(std::uint8_t byte, std::uint32_t crc);

// Two upper-case hex digits per byte, high nibble first, in memory order.
std::string BytesToHex(const void* data, std::uint16_t count);

// The control string of the file at `path` (a full path). Line ends (CR, LF)
// are left out, a Ctrl-Z ends the file, lines of any length count whole.
// On failure `control` is empty and the status carries the system's description.
Status TextFileCrc(const std::string& path, std::string& control);

}  // namespace zel
