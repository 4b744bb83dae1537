#include "payment/crc.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/file_io.h"

namespace zel {

namespace {

// Computed once by the compiler: nothing to refill and no shared state to mutate.
constexpr CrcTable kCrcTable = MakeCrcTable();

static_assert(kCrcTable[1] == 0x77073096u);
static_assert(kCrcTable[255] == 0x2D02EF8Du);

constexpr unsigned char kEndOfText = 26;  // Ctrl-Z

Status FileError(const char* what, const std::string& path, int err) {
  return Status::Fail(std::string(what) + " " + files::FullPath(path) + " ! (" + files::SystemErrorText(err) + ")");
}

}  // namespace

std::uint32_t UpdateCrc(std::uint8_t byte, std::uint32_t crc) {
  return kCrcTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
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

Status TextFileCrc(const std::string& path, std::string& control) {
  control.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return FileError("Cannot open file", path, errno);

  // Streamed in chunks, so a line of any length counts whole without being held.
  std::vector<unsigned char> chunk(1 << 16);
  std::uint32_t crc = kCrcSeed;
  bool end = false;
  while (!end) {
    const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), file);
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned char c = chunk[i];
      if (c == kEndOfText) {
        end = true;
        break;
      }
      if (c != '\r' && c != '\n') crc = UpdateCrc(c, crc);
    }
    if (n < chunk.size()) {
      if (std::ferror(file)) {
        const int err = errno;
        std::fclose(file);
        return FileError("Error reading file", path, err);
      }
      end = true;
    }
  }
  std::fclose(file);
  crc ^= kCrcSeed;

  // Least significant byte first, whatever the machine's byte order.
  const unsigned char bytes[4] = {static_cast<unsigned char>(crc), static_cast<unsigned char>(crc >> 8),
                                  static_cast<unsigned char>(crc >> 16), static_cast<unsigned char>(crc >> 24)};
  control = BytesToHex(bytes, 4);
  return Status::Ok();
}

}  // namespace zel
