#include "common/text.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"

namespace zel {
namespace {

TEST(CodePages, WinToMikMovesOnlyCyrillicLetters) {
  EXPECT_EQ(WinToMik(Cp("Ая")), std::string("\x80\xBF"));
  EXPECT_EQ(WinToMik(Cp("Иван Петров")), std::string("\x88\xA2\xA0\xAD \x8F\xA5\xB2\xB0\xAE\xA2"));
  EXPECT_EQ(WinToMik(Cp("09azAZ №")), Cp("09azAZ №"));
  EXPECT_EQ(WinToMik(std::string("\x80\xBF", 2)), std::string("\x80\xBF", 2));
}

TEST(CodePages, MikToWinReversesWinToMik) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (b < 0x80 || b > 0xBF) all += static_cast<char>(b);
  }
  EXPECT_EQ(MikToWin(WinToMik(all)), all);
  EXPECT_EQ(MikToWin(std::string("\x80\xBF\xC0\x7F", 4)), std::string("\xC0\xFF\xC0\x7F", 4));
  EXPECT_EQ(MikToWin(WinToMik(Cp("Ая"))), Cp("Ая"));
}

TEST(Fields, RepeatCharOfAnyCount) {
  EXPECT_EQ(RepeatChar(3, '-'), "---");
  EXPECT_EQ(RepeatChar(0, '-'), "");
  EXPECT_EQ(RepeatChar(-5, '-'), "");
}

TEST(Fields, AlignRightTrimsThenPadsOrKeepsTheEnd) {
  EXPECT_EQ(AlignRight(" 12 ", 6), "    12");
  EXPECT_EQ(AlignRight("\t12\r\n", 4), "  12");
  EXPECT_EQ(AlignRight("1234567", 5), "34567");
  EXPECT_EQ(AlignRight("12345", 5), "12345");
  EXPECT_EQ(AlignRight("", 3), "   ");
  EXPECT_EQ(AlignRight("", 0), "");
  EXPECT_EQ(AlignRight("abc", 0), "");
  EXPECT_EQ(AlignRight("abc", -2), "");
}

TEST(Fields, AlignLeftKeepsBlanksAndCutsTheEnd) {
  EXPECT_EQ(AlignLeft(" ab", 5), " ab  ");
  EXPECT_EQ(AlignLeft("1234567", 5), "12345");
  EXPECT_EQ(AlignLeft("", 2), "  ");
  EXPECT_EQ(AlignLeft("abc", 0), "");
  EXPECT_EQ(AlignLeft("abc", -1), "");
}

TEST(Fields, APadCharacterGivenForOneCallFillsThatCallOnly) {
  EXPECT_EQ(AlignRight(" 12 ", 6, '0'), "000012");
  EXPECT_EQ(AlignLeft("12", 4, '0'), "1200");
  EXPECT_EQ(AlignRight("12", 4), "  12");
}

TEST(Fields, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t\x01 ab c\r\n\x1F "), "ab c");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(Cp(" Я ")), Cp("Я"));  // 0xDF is a letter, not a blank
  EXPECT_EQ(TrimLeft("  ab  "), "ab  ");
}

TEST(FormatAmount, RoundsHalfAwayFromZeroOnDecimalDigits) {
  EXPECT_EQ(FormatAmount(1234.5), "1234.50");
  EXPECT_EQ(FormatAmount(5), "5.00");
  EXPECT_EQ(FormatAmount(7.125), "7.13");  // printf would give 7.12
  EXPECT_EQ(FormatAmount(-7.125), "-7.13");
  EXPECT_EQ(FormatAmount(0.125), "0.13");
  // The nearest double to 1.005 lies below it, and its 18 digits say so.
  EXPECT_EQ(FormatAmount(1.005), "1.00");
}

TEST(FormatAmount, CarriesThroughNines) {
  EXPECT_EQ(FormatAmount(9.999), "10.00");
  EXPECT_EQ(FormatAmount(999999.999), "1000000.00");
  EXPECT_EQ(FormatAmount(-0.996), "-1.00");
  EXPECT_EQ(FormatAmount(0.005), "0.01");
}

TEST(FormatAmount, NegativeZeroIsHidden) {
  EXPECT_EQ(FormatAmount(-0.004), "0.00");
  EXPECT_EQ(FormatAmount(-0.001), "0.00");
  EXPECT_EQ(FormatAmount(0), "0.00");
  EXPECT_EQ(FormatAmount(-0.0), "0.00");
}

TEST(FormatAmount, KeepsEighteenSignificantDigitsOfLargeValues) {
  const std::string big = FormatAmount(1e300);
  ASSERT_EQ(big.size(), 301u + 3u);
  EXPECT_EQ(big.substr(0, 18), "100000000000000005");
  EXPECT_EQ(big.find_first_not_of('0', 18), 301u);
  EXPECT_EQ(big.substr(301), ".00");
  EXPECT_EQ(FormatAmount(123456789012345678.0), "123456789012345680.00");
  EXPECT_EQ(FormatAmount(-1.7976931348623157e308).size(), 1u + 309u + 3u);
}

TEST(FormatAmount, EveryTwoDecimalAmountComesBackAsWritten) {
  for (long long cents = -100000; cents <= 2000000; cents += 7) {
    const long long whole = (cents < 0 ? -cents : cents) / 100;
    const long long part = (cents < 0 ? -cents : cents) % 100;
    const std::string expected =
        (cents < 0 ? "-" : "") + std::to_string(whole) + "." + (part < 10 ? "0" : "") + std::to_string(part);
    ASSERT_EQ(FormatAmount(static_cast<double>(cents) / 100.0), expected) << cents;
  }
}

TEST(FormatAmount, SumOfAmountsFormatsToTheExactTotal) {
  double total = 0;
  for (int i = 0; i < 100000; ++i) total += 0.10;
  EXPECT_EQ(FormatAmount(total), "10000.00");
  EXPECT_EQ(FormatAmount(0.1 + 0.2), "0.30");
}

TEST(NthField, RunsOfSeparatorsCountAsOne) {
  const std::string name = Cp("Име  Презиме Фамилия");
  EXPECT_EQ(NthFieldView(name, 1, ' '), Cp("Име"));
  EXPECT_EQ(NthFieldView(name, 2, ' '), Cp("Презиме"));
  EXPECT_EQ(NthFieldView(name, 3, ' '), Cp("Фамилия"));
  EXPECT_EQ(NthFieldView(name, 4, ' '), "");
  EXPECT_EQ(NthFieldView(Cp("Име Презиме"), 3, ' '), "");
  EXPECT_EQ(NthFieldView("12 34", 1, ' '), "12");
  EXPECT_EQ(NthFieldView("a;b;;c", 3, ';'), "c");
}

TEST(NthField, EdgesOfTheInput) {
  EXPECT_EQ(NthFieldView(" ab cd", 1, ' '), "");
  EXPECT_EQ(NthFieldView(" ab cd", 2, ' '), "ab");
  EXPECT_EQ(NthFieldView("ab cd  ", 2, ' '), "cd");
  EXPECT_EQ(NthFieldView("ab cd  ", 3, ' '), "");
  EXPECT_EQ(NthFieldView("", 1, ' '), "");
  EXPECT_EQ(NthFieldView("", 5, ' '), "");
  EXPECT_EQ(NthFieldView("ab", 0, ' '), "");
  EXPECT_EQ(NthFieldView("ab", -1, ' '), "");
  EXPECT_EQ(NthFieldView("ab cd", 1000000000, ' '), "");
}

TEST(MakeShortName, InitialsAndFamilyName) {
  EXPECT_EQ(MakeShortName(Cp("Име Презиме Фамилия")), Cp("И.П.Фамилия"));
  EXPECT_EQ(MakeShortName(Cp("  Име   Презиме Фамилия Друго ")), Cp("И.П.Фамилия"));
  EXPECT_EQ(MakeShortName(Cp("Име Презиме")), Cp("И.П."));
  EXPECT_EQ(MakeShortName(Cp("Име")), Cp("И."));
  EXPECT_EQ(MakeShortName(""), "");
  EXPECT_EQ(MakeShortName(" \t "), "");
}

}  // namespace
}  // namespace zel
