#pragma once
// The control string of a text file: the CRC-32 (reflected, polynomial
// 0xEDB88320, seed and final mask 0xFFFFFFFF) of its lines without their line
// ends, shown as eight upper-case hex digits, least significant byte first.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_system.h"
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

// The running checksum after one more byte, and after a run of bytes.
std::uint32_t UpdateCrc(std::uint8_t byte, std::uint32_t crc);
std::uint32_t UpdateCrc(std::string_view bytes, std::uint32_t crc);

// Two upper-case hex digits per byte, high nibble first, in memory order.
std::string BytesToHex(const void* data, std::uint16_t count);

// The control string of a running checksum that started at kCrcSeed: the
// final mask applied, least significant byte first.
std::string FinishControlString(std::uint32_t crc);

// The control string of a text file's content: its lines without their ends
// (CR, LF), up to a Ctrl-Z; lines of any length count whole.
std::string ControlString(std::string_view content);

// The control string of the file at `path`. On failure `control` is empty
// and the status names the file and the system's reason.
Status TextFileCrc(FileSystem& fs, const std::string& path, std::string& control);

}  // namespace zel
