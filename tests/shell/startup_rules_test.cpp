#include "shell/startup_rules.h"

#include <gtest/gtest.h>

#include <tuple>

#include "shell/hints.h"

namespace zel {
namespace {

TEST(IsFloppyDirectory, RefusesDrivesAAndBInAnyCase) {
  EXPECT_TRUE(IsFloppyDirectory("A:\\"));
  EXPECT_TRUE(IsFloppyDirectory("a:\\zel"));
  EXPECT_TRUE(IsFloppyDirectory("B:\\PAY\\2024"));
  EXPECT_TRUE(IsFloppyDirectory("b:"));
}

TEST(IsFloppyDirectory, AcceptsEveryOtherDirectory) {
  EXPECT_FALSE(IsFloppyDirectory("C:\\ZEL"));
  EXPECT_FALSE(IsFloppyDirectory("c:\\a:"));
  EXPECT_FALSE(IsFloppyDirectory("/home/a:/zel"));
  EXPECT_FALSE(IsFloppyDirectory("/a"));
  EXPECT_FALSE(IsFloppyDirectory("A"));
  EXPECT_FALSE(IsFloppyDirectory("AB:\\"));
  EXPECT_FALSE(IsFloppyDirectory(""));
  EXPECT_FALSE(IsFloppyDirectory("\\\\server\\A:"));
}

// Only an empty frame opens a list, and converts a folder in leva; only
// the personnel list reads bank files, only the mass payment list writes a
// SEPA file and takes amounts from a spreadsheet; either list exports.
TEST(CommandStates, FollowTheChildAndTheCurrency) {
  const std::tuple<ChildKind, Currency, CommandStates> rows[] = {
      {ChildKind::None, Currency::Euro, {true, true, false, false, false}},
      {ChildKind::None, Currency::Leva, {true, true, false, false, true}},
      {ChildKind::Personnel, Currency::Leva, {false, false, true, true, false, false, false, true}},
      {ChildKind::Payment, Currency::Leva, {false, false, true, false, false, true, true, true}},
  };
  for (const auto& [child, currency, states] : rows) {
    EXPECT_TRUE(CommandStatesFor(child, currency) == states) << static_cast<int>(child) << static_cast<int>(currency);
  }
}

TEST(Hints, BarSplitsShortAndLongPartAsTheyStand) {
  EXPECT_EQ(ShortHint("Short|Long text"), "Short");
  EXPECT_EQ(LongHint("Short|Long text"), "Long text");
  EXPECT_EQ(ShortHint("Save | Save to file"), "Save ");
  EXPECT_EQ(LongHint("Save | Save to file"), " Save to file");
  EXPECT_EQ(LongHint("a|b|c"), "b|c");
}

TEST(Hints, WithoutBarBothPartsAreTheWholeHint) {
  EXPECT_EQ(ShortHint("Help"), "Help");
  EXPECT_EQ(LongHint("Help"), "Help");
  EXPECT_EQ(ShortHint(""), "");
  EXPECT_EQ(LongHint("|"), "");
}

}  // namespace
}  // namespace zel
