#include "payment/crc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/fakes.h"

namespace zel {
namespace {

std::string ControlOf(const std::string& content) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("pay.txt"), content);
  std::string control = "junk";
  const Status s = TextFileCrc(SystemFileSystem(), dir.File("pay.txt"), control);
  EXPECT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(ControlString(content), control);  // the file as read back, and the bytes in memory
  return control;
}

TEST(Crc, TableAndRunningChecksumAreStandardCrc32) {
  constexpr CrcTable table = MakeCrcTable();
  EXPECT_EQ(table[0], 0u);
  EXPECT_EQ(table[1], 0x77073096u);
  EXPECT_EQ(table[128], 0xEDB88320u);
  std::uint32_t crc = kCrcSeed;
  for (const char c : std::string("123456789")) crc = UpdateCrc(static_cast<std::uint8_t>(c), crc);
  EXPECT_EQ(crc ^ kCrcSeed, 0xCBF43926u);
}

TEST(Crc, ARunGivesWhatItsBytesGiveOneByOne) {
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += static_cast<char>(i * 37 + 200);
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    std::uint32_t one = kCrcSeed;
    for (std::size_t i = 0; i < n; ++i) one = UpdateCrc(static_cast<std::uint8_t>(bytes[i]), one);
    EXPECT_EQ(UpdateCrc(std::string_view(bytes).substr(0, n), kCrcSeed), one) << n;
  }
}

TEST(Crc, HexDigitsHighNibbleFirstInMemoryOrder) {
  const unsigned char bytes[] = {0x00, 0xAB, 0x0F, 0xF0, 0x09};
  EXPECT_EQ(BytesToHex(bytes, 5), "00AB0FF009");
  EXPECT_EQ(BytesToHex(bytes, 0), "");
  const unsigned char lowFirst[] = {0xFF, 0xFF, 0x00, 0x00};  // 0x0000FFFF
  EXPECT_EQ(BytesToHex(lowFirst, 4), "FFFF0000");
}

TEST(Crc, WorkedValues) {
  EXPECT_EQ(ControlOf("abc\r\n"), "C2412435");
  EXPECT_EQ(ControlOf("123456789\r\n"), "2639F4CB");
  EXPECT_EQ(ControlOf("ab\r\nc\r\n"), "C2412435");
  EXPECT_EQ(ControlOf(""), "00000000");
  EXPECT_EQ(ControlOf("\r\n\r\n\r\n"), "00000000");
}

TEST(Crc, LineEndsOfEveryKindAreLeftOut) {
  EXPECT_EQ(ControlOf("a\nb\rc"), "C2412435");
  EXPECT_EQ(ControlOf("\r\nab\r\n\r\nc"), "C2412435");
}

TEST(Crc, CtrlZEndsTheFile) {
  EXPECT_EQ(ControlOf("abc\r\n\x1A"
                      "def\r\n"),
            "C2412435");
  EXPECT_EQ(ControlOf("\x1A"
                      "abc"),
            "00000000");
}

TEST(Crc, EveryByteIsFedUnchanged) {
  std::string high;
  for (int b = 128; b < 256; ++b) high.push_back(static_cast<char>(b));
  EXPECT_EQ(ControlOf(high + "\r\n"), "9DF04946");  // zlib.crc32 of bytes 128..255
}

TEST(Crc, LongLinesCountWhole) {
  // One line of 200000 bytes, beyond any line buffer and several read chunks.
  EXPECT_EQ(ControlOf(std::string(200000, 'a') + "\r\n"), "9B5369E0");
  std::string split;
  for (int i = 0; i < 200; ++i) split += std::string(1000, 'a') + "\r\n";
  EXPECT_EQ(ControlOf(split), "9B5369E0");
  // A line end split between two read pieces, and a Ctrl-Z in a later piece.
  ControlOf(std::string(131071, 'a') + "\r\n" + std::string(10, 'b') + "\x1a" + std::string(140000, 'c'));
}

TEST(Crc, MissingFileIsAnErrorWithoutControlString) {
  test::TempDir dir;
  std::string control = "old";
  const Status s = TextFileCrc(SystemFileSystem(), dir.File("none.txt"), control);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find(dir.File("none.txt")), std::string::npos);
  EXPECT_TRUE(control.empty());
}

}  // namespace
}  // namespace zel
