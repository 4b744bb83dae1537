#include "common/amount.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <string>

namespace zel {
namespace {

TEST(ParseAmount, AcceptsTheNumberGrammar) {
  EXPECT_EQ(ParseAmount("802.00"), 802.0);
  EXPECT_EQ(ParseAmount("12"), 12.0);
  EXPECT_EQ(ParseAmount("12."), 12.0);
  EXPECT_EQ(ParseAmount(".5"), 0.5);
  EXPECT_EQ(ParseAmount("+3.25"), 3.25);
  EXPECT_EQ(ParseAmount("-3.25"), -3.25);
  EXPECT_EQ(ParseAmount("  7.5\t "), 7.5);
  EXPECT_EQ(ParseAmount("1e3"), 1000.0);
  EXPECT_EQ(ParseAmount("1.5E+2"), 150.0);
  EXPECT_EQ(ParseAmount("25e-2"), 0.25);
  EXPECT_EQ(ParseAmount("1.e1"), 10.0);
  EXPECT_EQ(ParseAmount("007"), 7.0);
  EXPECT_EQ(ParseAmount("0.1"), 0.1);
}

TEST(ParseAmount, RejectsEverythingElse) {
  for (const char* text :
       {"",    " ",    "+",        "-",    ".",     "-.",  "1,5", "12,50", "1 000", "1,000.00", "1.2.3",
        "12a", "a12",  "1e",       "1e+",  "e5",    ".e5", "--1", "+-1",   "1-",    "nan",      "NaN",
        "inf", "-inf", "infinity", "0x10", "0x1p3", "1 2", "1\n", "1d",    "1f"}) {
    EXPECT_FALSE(ParseAmount(text).has_value()) << '"' << text << '"';
  }
  EXPECT_FALSE(ParseAmount(std::string_view("1\0", 2)).has_value());
  EXPECT_FALSE(ParseAmount(std::string("12\xA0", 3)).has_value());  // a no-break space is no blank
}

TEST(ParseAmount, OverflowIsNoNumberButUnderflowIsZero) {
  EXPECT_FALSE(ParseAmount("1e309").has_value());
  EXPECT_FALSE(ParseAmount("-1e400").has_value());
  EXPECT_FALSE(ParseAmount("1e99999999999999999999").has_value());
  EXPECT_FALSE(ParseAmount(std::string(400, '9')).has_value());
  EXPECT_EQ(ParseAmount("1.7976931348623157e308"), 1.7976931348623157e308);
  EXPECT_EQ(ParseAmount("1e-400"), 0.0);
  EXPECT_EQ(ParseAmount("0.0000001e-99999999999999999999"), 0.0);
  EXPECT_EQ(ParseAmount("0e999999999999999"), 0.0);
  EXPECT_EQ(ParseAmount("0." + std::string(400, '0') + "1e400"), 0.1);
}

TEST(ParseAmount, LongDigitStringsConvertExactly) {
  EXPECT_EQ(ParseAmount("0." + std::string(1000, '3')), 1.0 / 3.0);
  EXPECT_EQ(ParseAmount(std::string(300, '0') + "42.5"), 42.5);
}

// A system whose regional settings use a decimal comma must not change the
// meaning of an amount text.
TEST(ParseAmount, DecimalPointWhateverTheLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* set = nullptr;
  for (const char* name : {"bg_BG.UTF-8", "bg_BG.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
    if ((set = std::setlocale(LC_ALL, name)) != nullptr) break;
  }
  if (set == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
  const auto point = ParseAmount("12.50");
  const auto comma = ParseAmount("12,50");
  const std::string formatted = FormatAmount(1234.5);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(point, 12.5);
  EXPECT_FALSE(comma.has_value());
  EXPECT_EQ(formatted, "1234.50");
}

// Whole cents of a plain decimal, and back; what is not one has none.
TEST(Cents, OfPlainDecimalsOnly) {
  const std::pair<const char*, std::int64_t> valid[] = {
      {"7", 700}, {"7.5", 750}, {"0.01", 1}, {"0010.20", 1020}, {"999999999999999.99", 99999999999999999}};
  for (const auto& [text, cents] : valid) {
    EXPECT_EQ(ParseCents(text), cents) << text;
    EXPECT_EQ(ParseCents(FormatCents(cents)), cents) << text;
  }
  for (const char* text :
       {"", " 1.00", "1.00 ", "1.", ".5", "1.234", "-1.00", "+1", "1e3", "12,50", "1000000000000000"}) {
    EXPECT_FALSE(ParseCents(text)) << '"' << text << '"';
  }
  EXPECT_EQ(FormatCents(5), "0.05");
}

}  // namespace
}  // namespace zel
