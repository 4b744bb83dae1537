#include "payment/money_list.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/cp1251.h"
#include "payment/test_lines.h"

namespace zel {
namespace {

using test::kValidIban;
using test::MakeLine;

TEST(MoneyListColumns, PositionsFromTheFontWidths) {
  const MoneyListColumns c = MakeMoneyListColumns(10, 6, 20);
  EXPECT_EQ(c.name, 1);
  EXPECT_EQ(c.bankCode, 311);
  EXPECT_EQ(c.account, 377);
  EXPECT_EQ(c.amountMinRight, 1 + 310 + 132 + 92 + 10);
  // The amount keeps one W from the right border, but never left of its minimum.
  EXPECT_EQ(AmountRightEdge(c, 1000), 990);
  EXPECT_EQ(AmountRightEdge(c, 556), 546);
  EXPECT_EQ(AmountRightEdge(c, 555), 545);
  EXPECT_EQ(AmountRightEdge(c, 300), 545);
}

TEST(MoneyListCells, NameAccountAndAmountTexts) {
  PaymentLine line = MakeLine(std::string(40, 'a'), kValidIban, "1234.50", "R");
  EXPECT_EQ(NameCellText(line), std::string(30, 'a'));
  EXPECT_EQ(AccountCellText(line, false), kValidIban);
  EXPECT_EQ(AccountCellText(line, true), "1234567890");
  EXPECT_EQ(AmountCellText(line, Currency::Leva), std::string(13, ' ') + "1234.50" + Cp(" лв."));
  line.NetAmount.clear();
  EXPECT_EQ(AmountCellText(line, Currency::Leva), std::string(20, ' ') + Cp(" лв."));
  line.NetAmount.assign(std::string(20, '9'));
  EXPECT_EQ(AmountCellText(line, Currency::Leva), std::string(20, '9') + Cp(" лв."));
  EXPECT_EQ(NameCellText(MakeLine("Иван", kValidIban, "", "")), Cp("Иван"));
}

TEST(MoneyListReason, FillSetsEveryReasonCutToSixty) {
  PaymentList list;
  list.lines.push_back(MakeLine("A", kValidIban, "1.00", "old"));
  list.lines.push_back(MakeLine("B", kValidIban, "2.00", ""));
  FillReason(list, std::string(70, 'x'));
  for (const PaymentLine& l : list.lines) EXPECT_EQ(l.Reason.str(), std::string(60, 'x'));
  FillReason(list, "");
  for (const PaymentLine& l : list.lines) EXPECT_TRUE(l.Reason.empty());
  EXPECT_EQ(list.lines[1].NetAmount.str(), "2.00");
}

TEST(MoneyListEdit, WorkingCopyGoesBackWholeOnlyOverAnExistingLine) {
  PaymentList list;
  EXPECT_FALSE(LineForEdit(list, 0).has_value());
  list.lines.push_back(MakeLine("A", kValidIban, "1.00", "a"));
  list.lines.push_back(MakeLine("B", kValidIban, "2.00", "b"));
  EXPECT_FALSE(LineForEdit(list, -1).has_value());
  EXPECT_FALSE(LineForEdit(list, 2).has_value());

  std::optional<PaymentLine> copy = LineForEdit(list, 1);
  ASSERT_TRUE(copy.has_value());
  copy->NetAmount.assign("7.00");
  copy->Reason.assign("new");
  EXPECT_EQ(list.lines[1].NetAmount.str(), "2.00");  // a copy, not the line
  ASSERT_TRUE(ApplyEditedLine(list, 1, *copy));
  EXPECT_EQ(0, std::memcmp(&list.lines[1], &*copy, sizeof(PaymentLine)));
  EXPECT_EQ(list.lines[0].NetAmount.str(), "1.00");
  EXPECT_FALSE(ApplyEditedLine(list, 5, *copy));
}

}  // namespace
}  // namespace zel
