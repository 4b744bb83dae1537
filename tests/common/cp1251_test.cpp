#include "common/cp1251.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(Cp1251, EveryByteRoundTripsThroughUnicodeAndUtf8) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(UnicodeToCp1251(Cp1251ToUnicode(byte)), b) << b;
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << b;
  }
}

TEST(Cp1251, CyrillicLettersAndSigns) {
  EXPECT_EQ(Utf8ToCp1251("Аая"), std::string("\xC0\xE0\xFF"));
  EXPECT_EQ(Utf8ToCp1251("№Ёё"), std::string("\xB9\xA8\xB8"));
  EXPECT_EQ(Cp1251ToUtf8("\xCF\xE5\xF0\xF1\xEE\xED\xE0\xEB"), "Персонал");
}

TEST(Cp1251, UnmappableAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a€b"), std::string("a\x88"
                                             "b"));
  EXPECT_EQ(Utf8ToCp1251("中"), "?");
  EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");  // cut off in the middle
  EXPECT_EQ(Utf8ToCp1251("\xFF"
                         "b"),
            "?b");                         // no UTF-8 lead byte
  EXPECT_EQ(Utf8ToCp1251("\xD0z"), "?z");  // lead byte without its continuation
  EXPECT_EQ(UnicodeToCp1251(0x4E2D), -1);
}

}  // namespace
}  // namespace zel
