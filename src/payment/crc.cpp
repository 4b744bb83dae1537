#include "payment/crc.h"

#include <array>
#include <cstdint>

#include "common/text_lines.h"

namespace zel {

namespace {

constexpr std::uint32_t kCrcSeed = 0xFFFFFFFFu;

// Slicing by 8: table 0 is the usual one (entry n: n put through eight rounds
// of "shift right, and xor with 0xEDB88320 when the bit shifted out was 1");
// table k gives the checksum of a byte followed by k zero bytes, so that
// eight bytes are taken in one step of eight independent look-ups instead of
// eight steps that wait on each other. Computed once by the compiler.
using CrcTable = std::array<std::uint32_t, 256>;
using CrcTables = std::array<CrcTable, 8>;

constexpr CrcTables MakeCrcTables() {
  CrcTables t{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int round = 0; round < 8; ++round) c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    t[0][n] = c;
  }
  for (std::size_t k = 1; k < 8; ++k) {
    for (std::uint32_t n = 0; n < 256; ++n) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFu];
  }
  return t;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

static_assert(kCrcTables[0][1] == 0x77073096u);
static_assert(kCrcTables[0][128] == 0xEDB88320u);
static_assert(kCrcTables[0][255] == 0x2D02EF8Du);

// Four bytes as a number, the first the least significant (the CRC is reflected).
std::uint32_t LittleEndian32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t UpdateCrc(std::string_view bytes, std::uint32_t crc) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  const CrcTables& t = kCrcTables;
  for (; n >= 8; p += 8, n -= 8) {
    const std::uint32_t low = crc ^ LittleEndian32(p);
    const std::uint32_t high = LittleEndian32(p + 4);
    crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^ t[4][low >> 24] ^
          t[3][high & 0xFFu] ^ t[2][(high >> 8) & 0xFFu] ^ t[1][(high >> 16) & 0xFFu] ^ t[0][high >> 24];
  }
  for (; n > 0; ++p, --n) crc = t[0][(crc ^ *p) & 0xFFu] ^ (crc >> 8);
  return crc;
}

}  // namespace

std::string ControlString(std::string_view content) {
  std::uint32_t crc = kCrcSeed;
  ForEachLine(content, [&crc](std::string_view line) { crc = UpdateCrc(line, crc); });
  crc ^= kCrcSeed;
  // Least significant byte first, whatever the machine's byte order.
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (int shift = 0; shift < 32; shift += 8) {
    hex.push_back(kDigits[(crc >> (shift + 4)) & 0x0Fu]);
    hex.push_back(kDigits[(crc >> shift) & 0x0Fu]);
  }
  return hex;
}

}  // namespace zel
