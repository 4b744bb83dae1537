#include "payment/crc.h"

#include <gtest/gtest.h>

#include <string>

namespace zel {
namespace {

TEST(Crc, WorkedValues) {
  EXPECT_EQ(ControlString("abc\r\n"), "C2412435");
  EXPECT_EQ(ControlString("123456789\r\n"), "2639F4CB");
  EXPECT_EQ(ControlString("ab\r\nc\r\n"), "C2412435");
  EXPECT_EQ(ControlString(""), "00000000");
  EXPECT_EQ(ControlString("\r\n\r\n\r\n"), "00000000");
}

TEST(Crc, LineEndsOfEveryKindAreLeftOut) {
  EXPECT_EQ(ControlString("a\nb\rc"), "C2412435");
  EXPECT_EQ(ControlString("\r\nab\r\n\r\nc"), "C2412435");
}

TEST(Crc, CtrlZEndsTheFile) {
  EXPECT_EQ(ControlString("abc\r\n\x1A"
                          "def\r\n"),
            "C2412435");
  EXPECT_EQ(ControlString("\x1A"
                          "abc"),
            "00000000");
}

TEST(Crc, EveryByteIsFedUnchanged) {
  std::string high;
  for (int b = 128; b < 256; ++b) high.push_back(static_cast<char>(b));
  EXPECT_EQ(ControlString(high + "\r\n"), "9DF04946");  // zlib.crc32 of bytes 128..255
}

// Lines of one byte take each byte alone; a whole line of n bytes takes them
// eight at a time and then the rest, so the two agree at every length.
TEST(Crc, EightBytesAtATimeGiveWhatTheBytesGiveOneByOne) {
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += static_cast<char>(i * 37 + 27);
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    std::string oneByLine;
    for (std::size_t i = 0; i < n; ++i) oneByLine += bytes.substr(i, 1) + "\n";
    EXPECT_EQ(ControlString(bytes.substr(0, n)), ControlString(oneByLine)) << n;
  }
}

TEST(Crc, LongLinesCountWhole) {
  EXPECT_EQ(ControlString(std::string(200000, 'a') + "\r\n"), "9B5369E0");
  std::string split;
  for (int i = 0; i < 200; ++i) split += std::string(1000, 'a') + "\r\n";
  EXPECT_EQ(ControlString(split), "9B5369E0");
}

}  // namespace
}  // namespace zel
