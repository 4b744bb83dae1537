#include "payment/crc.h"

#include "common/file_io.h"
#include "common/text_lines.h"
#include "common/whole_file.h"

namespace zel {

namespace {

// Computed once by the compiler: nothing to refill and no shared state to mutate.
constexpr CrcTable kCrcTable = MakeCrcTable();

static_assert(kCrcTable[1] == 0x77073096u);
static_assert(kCrcTable[255] == 0x2D02EF8Du);

// Slicing by 8: table k gives the checksum of a byte followed by k zero
// bytes, so that eight bytes are taken in one step of eight independent
// look-ups instead of eight steps that wait on each other.
using CrcTables = std::array<CrcTable, 8>;

constexpr CrcTables MakeCrcTables() {
  CrcTables t{};
  t[0] = MakeCrcTable();
  for (std::size_t k = 1; k < 8; ++k) {
    for (std::uint32_t n = 0; n < 256; ++n) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFu];
  }
  return t;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

// Four bytes as a number, the first the least significant (the CRC is reflected).
std::uint32_t LittleEndian32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::uint32_t UpdateCrc(std::uint8_t byte, std::uint32_t crc) { return kCrcTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8); }

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
  for (; n > 0; ++p, --n) crc = UpdateCrc(*p, crc);
  return crc;
}

std::string BytesToHex(const void* data, std::uint16_t count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::string hex;
  hex.reserve(2u * count);
  for (std::uint16_t i = 0; i < count; ++i) {
    hex.push_back(kDigits[bytes[i] >> 4]);
    hex.push_back(kDigits[bytes[i] & 0x0F]);
  }
  return hex;
}

std::string FinishControlString(std::uint32_t crc) {
  crc ^= kCrcSeed;
  // Least significant byte first, whatever the machine's byte order.
  const unsigned char bytes[4] = {static_cast<unsigned char>(crc), static_cast<unsigned char>(crc >> 8),
                                  static_cast<unsigned char>(crc >> 16), static_cast<unsigned char>(crc >> 24)};
  return BytesToHex(bytes, 4);
}

std::string ControlString(std::string_view content) {
  std::uint32_t crc = kCrcSeed;
  ForEachLine(content, [&crc](std::string_view line) { crc = UpdateCrc(line, crc); });
  return FinishControlString(crc);
}

Status TextFileCrc(FileSystem& fs, const std::string& path, std::string& control) {
  control.clear();
  // Read in pieces that stay in the processor's cache. The checksum takes the
  // lines without their ends, so it is that of every byte but CR and LF up to
  // a Ctrl-Z: a piece may end anywhere, even between the CR and LF of one
  // line end, and give the same checksum as the whole file.
  constexpr std::size_t kChunk = 128 * 1024;
  constexpr char kEndOfText = 26;  // Ctrl-Z
  std::uint32_t crc = kCrcSeed;
  bool ended = false;
  const Status read = files::ReadFileInChunks(fs, path, kChunk, [&](std::string_view piece, std::size_t) {
    if (ended) return;
    ended = piece.find(kEndOfText) != std::string_view::npos;
    ForEachLine(piece, [&crc](std::string_view line) { crc = UpdateCrc(line, crc); });
  });
  if (!read.ok()) return read;
  control = FinishControlString(crc);
  return Status::Ok();
}

}  // namespace zel
