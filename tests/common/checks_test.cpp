#include "common/checks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/cp1251.h"

namespace zel {
namespace {

TEST(Checks, IsDigits) {
  EXPECT_TRUE(IsDigits(""));
  EXPECT_TRUE(IsDigits("0123456789"));
  EXPECT_FALSE(IsDigits("12 "));
  EXPECT_FALSE(IsDigits("-1"));
  EXPECT_FALSE(IsDigits("1.0"));
  EXPECT_FALSE(IsDigits(std::string("1\0", 2)));
  EXPECT_FALSE(IsDigits("\xB9"));
}

TEST(Checks, IsValidDateWantsARealCalendarDate) {
  for (const char* date : {"15.03.1975", "15/03/1975", "29.02.2000", "01/12/1999", "29.02.2004", "31.12.9999",
                           "01.01.0001", "31.01.2005", "30.04.2005", "28.02.1900"}) {
    EXPECT_TRUE(IsValidDate(date)) << date;
  }
  for (const char* date : {"31.04.2005", "00.01.2005", "1.1.2005", "29.02.1900", "29.02.2100", "29.02.2001",
                           "15.3.1975", "15.03.75", "32.01.2005", "15.00.2005", "15.13.2005", "01.01.0000", "",
                           "15.03.19755", "1a.03.1975", "15.03.197 ", "+1.03.1975", "15.03.-975"}) {
    EXPECT_FALSE(IsValidDate(date)) << date;
  }
}

TEST(Checks, IsCyrillicAllowsOnlySpacesAndLetters) {
  EXPECT_TRUE(IsCyrillic(""));
  EXPECT_TRUE(IsCyrillic(Cp("Иван Петров Иванов")));
  EXPECT_TRUE(IsCyrillic(Cp("АЯаяЪЬ")));
  EXPECT_FALSE(IsCyrillic(Cp("Ёлка")));
  EXPECT_FALSE(IsCyrillic(Cp("ёж")));
  EXPECT_FALSE(IsCyrillic(Cp("Петров-Иванов")));
  EXPECT_FALSE(IsCyrillic(Cp("Иван\tПетров")));
  EXPECT_FALSE(IsCyrillic(Cp("Ivan")));
  EXPECT_FALSE(IsCyrillic(Cp("Иван1")));
}

TEST(Checks, HasWordsCountsSeparatorsAfterTrimming) {
  EXPECT_TRUE(HasWords(Cp(" Име Презиме Фамилия "), 3, ' '));
  EXPECT_FALSE(HasWords(Cp("Име Презиме Фамилия1"), 3, ' '));
  EXPECT_TRUE(HasWords(Cp("Име  Фамилия"), 3, ' '));
  EXPECT_FALSE(HasWords(Cp("Име Презиме"), 3, ' '));
  EXPECT_FALSE(HasWords(Cp("   Име Презиме   "), 3, ' '));
  EXPECT_TRUE(HasWords(Cp("Име"), 1, ' '));
  EXPECT_TRUE(HasWords("", 1, ' '));
  EXPECT_FALSE(HasWords("", 2, ' '));
  EXPECT_TRUE(HasWords(Cp("Име"), -2147483647 - 1, ' '));
}

TEST(Checks, IsAtLeast) {
  EXPECT_TRUE(IsAtLeast("802.00", 10));
  EXPECT_TRUE(IsAtLeast("10", 10));
  EXPECT_TRUE(IsAtLeast(" 2.0 ", 2));
  EXPECT_FALSE(IsAtLeast("9.99", 10));
  EXPECT_FALSE(IsAtLeast("1,5", 1));
  EXPECT_FALSE(IsAtLeast("", 1));
  EXPECT_FALSE(IsAtLeast("12abc", 1));
  EXPECT_FALSE(IsAtLeast("inf", 1));
  EXPECT_FALSE(IsAtLeast("nan", 1));
  EXPECT_FALSE(IsAtLeast("1e999", 1));
}

TEST(Checks, AccountCheckDigit) {
  EXPECT_EQ(AccountCheckDigit("101234567"), 5);
  EXPECT_EQ(AccountCheckDigit("000000000"), 0);
  EXPECT_EQ(AccountCheckDigit("100000005"), 0);  // weighted sum 32, remainder 10
  EXPECT_EQ(AccountCheckDigit("10000000"), -1);
  EXPECT_EQ(AccountCheckDigit("10000000a"), -1);
  EXPECT_EQ(AccountCheckDigit(""), -1);
}

TEST(Checks, IsValidAccount) {
  EXPECT_TRUE(IsValidAccount("1012345675"));
  EXPECT_FALSE(IsValidAccount("1012345670"));
  EXPECT_TRUE(IsValidAccount("1000000050"));
  for (char last = '1'; last <= '9'; ++last) {
    EXPECT_FALSE(IsValidAccount(std::string("100000005") + last)) << last;
  }
  EXPECT_FALSE(IsValidAccount("101234567"));
  EXPECT_FALSE(IsValidAccount("10123456755"));
  EXPECT_FALSE(IsValidAccount(" 012345675"));
  EXPECT_FALSE(IsValidAccount(""));
}

TEST(Checks, IsValidIbanOnTheRegistryExample) {
  EXPECT_TRUE(IsValidIban("BG80BNBG96611020345678"));
  EXPECT_TRUE(IsValidIban("BG80 BNBG 9661 1020 3456 78"));
  EXPECT_TRUE(IsValidIban("bg80bnbg96611020345678"));
  EXPECT_TRUE(IsValidIban("IBAN BG80 BNBG 9661 1020 3456 78"));
  EXPECT_TRUE(IsValidIban("NO9386011117947"));  // the length plays no part
  EXPECT_FALSE(IsValidIban("BG80-BNBG-9661-1020-3456-78"));
  EXPECT_FALSE(IsValidIban("BG80BNBG9661102034567\xC0"));
  EXPECT_FALSE(IsValidIban("BG80BNBG96611020345678\t"));
  EXPECT_FALSE(IsValidIban(""));
  EXPECT_FALSE(IsValidIban("    "));
  const std::string good = "BG80BNBG96611020345678";
  for (std::size_t i = 0; i < good.size(); ++i) {
    if (good[i] < '0' || good[i] > '9') continue;
    std::string bad = good;
    bad[i] = bad[i] == '9' ? '0' : static_cast<char>(bad[i] + 1);
    EXPECT_FALSE(IsValidIban(bad)) << bad;
  }
  // The bank takes the 22 characters of the electronic form alone.
  EXPECT_TRUE(IsBankIban(good));
  EXPECT_FALSE(IsBankIban("BG80 BNBG 9661 1020 3456 78"));
  EXPECT_FALSE(IsBankIban("NO9386011117947"));
  EXPECT_FALSE(IsBankIban("BG80BNBG96611020345679"));
}

// The bank's check takes IBANs laid out as the Bulgarian ones a shorter way;
// whatever a character becomes, it answers as the general check does.
TEST(Checks, IsBankIbanAnswersAsTheGeneralCheck) {
  for (const std::string good : {"BG80BNBG96611020345678", "GB82WEST12345698765432", "DE89370400440532013000"}) {
    EXPECT_TRUE(IsBankIban(good)) << good;
    for (std::size_t i = 0; i < good.size(); ++i) {
      for (const char other : {static_cast<char>(good[i] ^ 0x20), static_cast<char>(good[i] + 1), 'I', 'B', '?'}) {
        std::string changed = good;
        changed[i] = other;
        EXPECT_EQ(IsBankIban(changed), IsValidIban(changed)) << changed;
      }
    }
  }
  for (const std::string unusual : {"BG97IBAN96611020345678", "IBANBG80BNBG9661102034", "bg80bnbg96611020345678"}) {
    EXPECT_EQ(IsBankIban(unusual), IsValidIban(unusual)) << unusual;
  }
}

TEST(Checks, IbanRemainderOfUnusualTexts) {
  EXPECT_EQ(IbanRemainder("BG80BNBG96611020345678"), 1);
  EXPECT_EQ(IbanRemainder("IBANBG80BNBG96611020345678"), 1);
  EXPECT_EQ(IbanRemainder("BG80BNBG96611020345678IBAN"), 1);
  EXPECT_NE(IbanRemainder("IBANIBANBG80BNBG96611020345678"), 1);  // only the first word goes
  EXPECT_EQ(IbanRemainder(""), 0);
  EXPECT_EQ(IbanRemainder("IBAN"), 0);
  EXPECT_EQ(IbanRemainder("97"), 0);
  EXPECT_EQ(IbanRemainder("98"), 1);
  EXPECT_EQ(IbanRemainder("A"), 10);
  EXPECT_EQ(IbanRemainder("BG80 BNBG"), 0);
}

// Reference: the remainder taken one digit at a time.
int SlowRemainder(const std::string& digits) {
  int r = 0;
  for (char c : digits) r = (r * 10 + (c - '0')) % 97;
  return r;
}

TEST(Checks, IbanRemainderOfLongTextsMatchesDigitByDigit) {
  std::mt19937 random(20260101);
  for (int round = 0; round < 300; ++round) {
    std::string digits(1 + random() % 200, '0');
    for (char& c : digits) c = static_cast<char>('0' + random() % 10);
    // IbanRemainder moves the first four characters to the end first.
    const std::string moved =
        digits.size() >= 4 ? digits.substr(digits.size() - 4) + digits.substr(0, digits.size() - 4) : digits;
    ASSERT_EQ(IbanRemainder(moved), SlowRemainder(digits)) << moved;
  }
  EXPECT_EQ(IbanRemainder(std::string(1'000'000, '9')), SlowRemainder(std::string(1'000'000, '9')));
}

TEST(Checks, IsValidEgn) {
  EXPECT_TRUE(IsValidEgn("7503158765"));
  EXPECT_FALSE(IsValidEgn("750315876"));
  EXPECT_FALSE(IsValidEgn("75031587650"));
  EXPECT_FALSE(IsValidEgn("750315876a"));
  EXPECT_FALSE(IsValidEgn(""));
}

TEST(Checks, BirthDateFromEgnReadsTheCenturyFromTheMonth) {
  EXPECT_EQ(BirthDateFromEgn("7503158765"), "15.03.1975");
  EXPECT_EQ(BirthDateFromEgn("0542150000"), "15.02.2005");
  EXPECT_EQ(BirthDateFromEgn("0552310000"), "31.12.2005");
  EXPECT_EQ(BirthDateFromEgn("0022150000"), "15.02.1800");
  EXPECT_EQ(BirthDateFromEgn("9932010000"), "01.12.1899");
  EXPECT_EQ(BirthDateFromEgn("7512310000"), "31.12.1975");
  EXPECT_EQ(BirthDateFromEgn("7501010000"), "01.01.1975");
}

TEST(Checks, BirthDateFromEgnCopiesOtherMonthsForTheDateCheckToReject) {
  for (const char* egn : {"7500150000", "7513150000", "7520150000", "7533150000", "7540150000", "7553150000",
                          "7599150000", "75a1150000"}) {
    const std::string date = BirthDateFromEgn(egn);
    EXPECT_EQ(date.substr(3, 2), std::string(egn).substr(2, 2)) << egn;
    EXPECT_EQ(date.substr(6, 2), "19") << egn;
    EXPECT_FALSE(IsValidDate(date)) << egn;
  }
}

TEST(Checks, BirthDateFromEgnOfShortTexts) {
  EXPECT_EQ(BirthDateFromEgn(""), "..19");
  EXPECT_EQ(BirthDateFromEgn("7"), "..197");
  EXPECT_EQ(BirthDateFromEgn("7503"), ".03.1975");
  EXPECT_EQ(BirthDateFromEgn("75421"), "1.02.2075");
  EXPECT_EQ(BirthDateFromEgn("754"), ".4.1975");
}

}  // namespace
}  // namespace zel
