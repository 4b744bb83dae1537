#include "shell/startup_rules.h"

#include <gtest/gtest.h>

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

TEST(CommandStates, NoChildOpensListsOnly) {
  const CommandStates s = CommandStatesFor(false, ChildKind::None, Currency::Euro);
  EXPECT_TRUE(s.openPersonnel);
  EXPECT_TRUE(s.openPayment);
  EXPECT_FALSE(s.writeFile);
  EXPECT_FALSE(s.readBankFiles);
  EXPECT_TRUE(s.companyData && s.exit && s.about);
}

TEST(CommandStates, PersonnelListEnablesWritingAndReading) {
  const CommandStates s = CommandStatesFor(true, ChildKind::Personnel, Currency::Euro);
  EXPECT_FALSE(s.openPersonnel);
  EXPECT_FALSE(s.openPayment);
  EXPECT_TRUE(s.writeFile);
  EXPECT_TRUE(s.readBankFiles);
  EXPECT_TRUE(s.companyData && s.exit && s.about);
}

TEST(CommandStates, PaymentListEnablesWritingButNotReading) {
  const CommandStates s = CommandStatesFor(true, ChildKind::Payment, Currency::Euro);
  EXPECT_FALSE(s.openPersonnel);
  EXPECT_FALSE(s.openPayment);
  EXPECT_TRUE(s.writeFile);
  EXPECT_FALSE(s.readBankFiles);
  EXPECT_TRUE(s.companyData && s.exit && s.about);
}

TEST(CommandStates, ClosingResetsWhateverChildIsStillInTheFrame) {
  // The lists call UpdateCommands(false) from their close handler, before
  // they are gone from the frame.
  EXPECT_EQ(CommandStatesFor(false, ChildKind::Personnel, Currency::Euro),
            CommandStatesFor(false, ChildKind::None, Currency::Euro));
  EXPECT_EQ(CommandStatesFor(false, ChildKind::Payment, Currency::Euro),
            CommandStatesFor(false, ChildKind::None, Currency::Euro));
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
