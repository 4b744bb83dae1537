#include "payment/crc.h"

#include "common/file_io.h"
#include "common/text_lines.h"

namespace zel {

namespace {

// Computed once by the compiler: nothing to refill and no shared state to mutate.
constexpr CrcTable kCrcTable = MakeCrcTable();

static_assert(kCrcTable[1] == 0x77073096u);
static_assert(kCrcTable[255] == 0x2D02EF8Du);

}  // namespace

std::uint32_t UpdateCrc(std::uint8_t byte, std::uint32_t crc) { return kCrcTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8); }

std::uint32_t UpdateCrc(std::string_view bytes, std::uint32_t crc) {
  for (const char c : bytes) crc = UpdateCrc(static_cast<std::uint8_t>(c), crc);
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
  std::string content;
  if (Status read = files::ReadFile(fs, path, content); !read.ok()) return read;
  control = ControlString(content);
  return Status::Ok();
}

}  // namespace zel
