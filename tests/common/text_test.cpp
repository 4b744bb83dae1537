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

TEST(Fields, PadAndTake) {
  EXPECT_EQ(PadString(0), "");
  EXPECT_EQ(PadString(-3), "");
  EXPECT_EQ(PadString(255), std::string(255, ' '));
  EXPECT_EQ(TakeRight("abcdef", 2), "ef");
  EXPECT_EQ(TakeRight("ab", 5), "ab");
  EXPECT_EQ(TakeRight("ab", 0), "");
  EXPECT_EQ(TakeRight("ab", -1), "");
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
  EXPECT_EQ(PadString(3, '0'), "000");
  EXPECT_EQ(AlignRight("12", 4), "  12");
}

TEST(Fields, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t\x01 ab c\r\n\x1F "), "ab c");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(Cp(" Я ")), Cp("Я"));  // 0xDF is a letter, not a blank
  EXPECT_EQ(TrimLeft("  ab  "), "ab  ");
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnDecimalDigits) {
  EXPECT_EQ(FormatFixed(2, 1234.5), "1234.50");
  EXPECT_EQ(FormatFixed(2, 7.125), "7.13");  // printf would give 7.12
  EXPECT_EQ(FormatFixed(2, -7.125), "-7.13");
  EXPECT_EQ(FormatFixed(4, 0.90625), "0.9063");
  EXPECT_EQ(FormatFixed(0, 2.5), "3");
  EXPECT_EQ(FormatFixed(0, -2.5), "-3");
  EXPECT_EQ(FormatFixed(0, 0.5), "1");
  EXPECT_EQ(FormatFixed(0, 0.49), "0");
  EXPECT_EQ(FormatFixed(1, 0.05), "0.1");
  EXPECT_EQ(FormatFixed(2, 0.125), "0.13");
  // The nearest double to 1.005 lies below it, and its 18 digits say so.
  EXPECT_EQ(FormatFixed(2, 1.005), "1.00");
}

TEST(FormatFixed, CarriesThroughNines) {
  EXPECT_EQ(FormatFixed(2, 9.999), "10.00");
  EXPECT_EQ(FormatFixed(0, 99.5), "100");
  EXPECT_EQ(FormatFixed(2, 999999.999), "1000000.00");
  EXPECT_EQ(FormatFixed(2, -0.996), "-1.00");
  EXPECT_EQ(FormatFixed(2, 0.005), "0.01");
  EXPECT_EQ(FormatFixed(3, 0.0005), "0.001");
}

TEST(FormatFixed, NegativeZeroOnlyHiddenAtTwoDecimals) {
  EXPECT_EQ(FormatFixed(2, -0.004), "0.00");
  EXPECT_EQ(FormatFixed(2, -0.001), "0.00");
  EXPECT_EQ(FormatFixed(3, -0.0001), "-0.000");
  EXPECT_EQ(FormatFixed(0, -0.4), "-0");
  EXPECT_EQ(FormatFixed(2, 0), "0.00");
  EXPECT_EQ(FormatFixed(2, -0.0), "0.00");
}

TEST(FormatFixed, DecimalsAreExact) {
  EXPECT_EQ(FormatFixed(2, 5), "5.00");
  EXPECT_EQ(FormatFixed(0, 5), "5");
  EXPECT_EQ(FormatFixed(5, 1.5), "1.50000");
  EXPECT_EQ(FormatFixed(-3, 1.5), "2");
  EXPECT_EQ(FormatFixed(30, 0.1), "0.100000000000000006000000000000");
}

TEST(FormatFixed, KeepsEighteenSignificantDigitsOfLargeValues) {
  const std::string big = FormatFixed(2, 1e300);
  ASSERT_EQ(big.size(), 301u + 3u);
  EXPECT_EQ(big.substr(0, 18), "100000000000000005");
  EXPECT_EQ(big.find_first_not_of('0', 18), 301u);
  EXPECT_EQ(big.substr(301), ".00");
  EXPECT_EQ(FormatFixed(2, 123456789012345678.0), "123456789012345680.00");
  EXPECT_EQ(FormatFixed(2, -1.7976931348623157e308).size(), 1u + 309u + 3u);
  EXPECT_EQ(FormatFixed(255, 5e-324).size(), 2u + 255u);
}

TEST(FormatFixed, EveryTwoDecimalAmountComesBackAsWritten) {
  for (long long cents = -100000; cents <= 2000000; cents += 7) {
    const long long whole = (cents < 0 ? -cents : cents) / 100;
    const long long part = (cents < 0 ? -cents : cents) % 100;
    const std::string expected =
        (cents < 0 ? "-" : "") + std::to_string(whole) + "." + (part < 10 ? "0" : "") + std::to_string(part);
    ASSERT_EQ(FormatAmount(static_cast<double>(cents) / 100.0), expected) << cents;
  }
}

TEST(FormatFixed, SumOfAmountsFormatsToTheExactTotal) {
  double total = 0;
  for (int i = 0; i < 100000; ++i) total += 0.10;
  EXPECT_EQ(FormatAmount(total), "10000.00");
  EXPECT_EQ(FormatAmount(0.1 + 0.2), "0.30");
}

TEST(NthField, RunsOfSeparatorsCountAsOne) {
  const std::string name = Cp("Име  Презиме Фамилия");
  EXPECT_EQ(NthField(name, 1, ' '), Cp("Име"));
  EXPECT_EQ(NthField(name, 2, ' '), Cp("Презиме"));
  EXPECT_EQ(NthField(name, 3, ' '), Cp("Фамилия"));
  EXPECT_EQ(NthField(name, 4, ' '), "");
  EXPECT_EQ(NthField(Cp("Име Презиме"), 3, ' '), "");
  EXPECT_EQ(NthField("12 34", 1, ' '), "12");
  EXPECT_EQ(NthField("a;b;;c", 3, ';'), "c");
}

TEST(NthField, EdgesOfTheInput) {
  EXPECT_EQ(NthField(" ab cd", 1, ' '), "");
  EXPECT_EQ(NthField(" ab cd", 2, ' '), "ab");
  EXPECT_EQ(NthField("ab cd  ", 2, ' '), "cd");
  EXPECT_EQ(NthField("ab cd  ", 3, ' '), "");
  EXPECT_EQ(NthField("", 1, ' '), "");
  EXPECT_EQ(NthField("", 5, ' '), "");
  EXPECT_EQ(NthField("ab", 0, ' '), "");
  EXPECT_EQ(NthField("ab", -1, ' '), "");
  EXPECT_EQ(NthField("ab cd", 1000000000, ' '), "");
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
