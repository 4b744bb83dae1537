#include "common/fixed_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zel {
namespace {

TEST(FixedText, StoresAndCutsToCapacity) {
  FixedText<5> t;
  std::memset(&t, 0, sizeof t);
  t = "abc";
  EXPECT_EQ(t.str(), "abc");
  t = "abcdefgh";
  EXPECT_EQ(t.str(), "abcde");
  EXPECT_EQ(t.length, 5);
}

TEST(FixedText, CorruptLengthByteIsClampedAndBytesKept) {
  FixedText<3> t;
  const unsigned char raw[4] = {200, 'x', 'y', 'z'};
  std::memcpy(&t, raw, sizeof raw);
  EXPECT_EQ(t.size(), 3u);
  EXPECT_EQ(t.str(), "xyz");
  EXPECT_EQ(0, std::memcmp(&t, raw, sizeof raw));  // nothing rewritten by reading
}

TEST(FixedText, ShorteningKeepsOldBytesBehindTheLength) {
  FixedText<4> t;
  std::memset(&t, 0, sizeof t);
  t = "abcd";
  t = "x";
  EXPECT_EQ(t.str(), "x");
  EXPECT_EQ(t.bytes[1], 'b');
}

}  // namespace
}  // namespace zel
