#include "common/euro.h"

#include <gtest/gtest.h>

#include "common/currency.h"

namespace zel {
namespace {

// Leva into euro by both rules. The pay rule raises the cent whenever the
// third decimal is above zero; the general one rounds half up on it.
TEST(LevaToEuro, BothRules) {
  struct Case {
    const char* leva;
    const char* general;
    const char* pay;
  };
  const Case cases[] = {
      {"900.00", "460.16", "460.17"},     // the central bank's worked values for pay
      {"2000.00", "1022.58", "1022.59"},  //
      {"100.08", "51.17", "51.17"},       // third decimal 0
      {"1.24", "0.63", "0.64"},           // third decimal 4
      {"1.34", "0.69", "0.69"},           // third decimal 5
      {"1.25", "0.64", "0.64"},           // third decimal 9
      {"802.00", "410.06", "410.06"},     // the default requested amount
      {"2.00", "1.02", "1.03"},           // the default minimum balance
      {"0.01", "0.01", "0.01"},           //
      {"802", "410.06", "410.06"},        // no decimals
      {"802.123", "410.12", "410.12"},    // more decimals than two
      {"0.00999999999", "0.01", "0.01"},  // more decimals than the rate reaches
      {"0.001", "0.00", "0.00"},          //
      {"0", "0.00", "0.00"},              //
      {"99999999999999999.99", "51129188119621848.52", "51129188119621848.52"},        // the widest two-decimal field
      {"99999999999999999999", "51129188119621848524.16", "51129188119621848524.16"},  // twenty digits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LevaToEuro(c.leva, EuroRounding::General), c.general) << c.leva;
    EXPECT_EQ(LevaToEuro(c.leva, EuroRounding::Pay), c.pay) << c.leva;
  }
  for (const char* text : {"", "1e3", "12\xEB\xE2", "1,5", " 25", "25 ", "-5", "+5", ".5", "5.", "1.2.3"}) {
    EXPECT_FALSE(LevaToEuro(text, EuroRounding::General).has_value()) << '"' << text << '"';
  }
}

// The euro minimums and defaults follow from the leva ones by the general
// rule, so every amount that passed a check in leva passes it converted.
TEST(LevaToEuro, EuroMinimumsAndDefaults) {
  const MoneyRules& euro = RulesOf(Currency::Euro);
  EXPECT_EQ(euro.minRequestedSum, 5.11);
  EXPECT_EQ(euro.minMinBalance, 1.02);
  EXPECT_EQ(euro.minOverdraft, 0.51);
  EXPECT_EQ(euro.minNetAmount, 0.51);
  EXPECT_EQ(euro.defaultRequestedSum, "410.06");
  EXPECT_EQ(euro.defaultMinBalance, "1.02");
  EXPECT_EQ(euro.label, " EUR");
}

TEST(DecimalSum, AddsExactlyAtTheLongestScale) {
  DecimalSum sum;
  EXPECT_EQ(sum.Text(), "0.00");
  for (const char* amount : {"0.10", "0.20", "99999999999999999999", "5", "0.001"}) EXPECT_TRUE(sum.Add(amount));
  EXPECT_FALSE(sum.Add("1e3"));
  EXPECT_EQ(sum.Text(), "100000000000000000004.301");

  // Past what a machine word holds in cents.
  DecimalSum many;
  for (int i = 0; i < 25000; ++i) many.Add("999999999999.99");
  EXPECT_EQ(many.Text(), "24999999999999750.00");

  // Sums of sums, and whole cents, the same to the last digit.
  DecimalSum total = sum;
  total.Add(many);
  total.AddCents(5);
  EXPECT_EQ(total.Text(), "100024999999999999754.351");
}

}  // namespace
}  // namespace zel
