#include "personnel/personnel_printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "personnel/register.h"
#include "support/fakes.h"

namespace zel {
namespace {

using Op = test::RecordingPrintSurface::Op;

// Fake metrics: 20 units a character, 40 high, page 4000 wide.
// X1 400, X2 640, X3 1080, X4 1560, X5 2040; h 40, H 60; "WWW" 60.
constexpr int kH = 60;
constexpr int kFirstRowY = 2 * kH + (4 * 40) / 3 + (2 * 40) / 3;  // 199

EmployeeRecord Employee(int i) {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.EGN = "750315876" + std::to_string(i);
  r.IBAN = "BG80BNBG96611020345678";
  r.FullName = "Name" + std::to_string(i);
  r.RequestedSum = "802.00";
  return r;
}

Register ListOf(int n) {
  Register list;
  for (int i = 0; i < n; ++i) list.Append(Employee(i));
  return list;
}

const Op* FindText(const std::vector<Op>& ops, const std::string& text, std::size_t from = 0) {
  for (std::size_t i = from; i < ops.size(); ++i) {
    if (ops[i].kind == "text" && ops[i].text == text) return &ops[i];
  }
  return nullptr;
}

int Count(const std::vector<Op>& ops, const std::string& kind, const std::string& text = "") {
  return static_cast<int>(std::count_if(
      ops.begin(), ops.end(), [&](const Op& op) { return op.kind == kind && (text.empty() || op.text == text); }));
}

TEST(PersonnelPrintout, MeasuresFollowTheFont) {
  test::RecordingPrintSurface surface;
  surface.charWidth = 10;
  surface.textHeight = 25;
  surface.pageWidth = 3005;
  const PersonnelPrintMeasures m = MeasurePersonnelPrint(surface, Currency::Leva);
  EXPECT_EQ(m.egnLeft, 300);
  EXPECT_EQ(m.ibanLeft, 300 + 120);
  EXPECT_EQ(m.requestedLimit, 640 + 220 + 20);
  EXPECT_EQ(m.overdraftLimit, 880 + 220 + 20);
  EXPECT_EQ(m.textHeight, 25);
  EXPECT_EQ(m.rowHeight, 37);
  EXPECT_EQ(m.amountGap, 30);
}

TEST(PersonnelPrintout, NothingIsPrintedForAnEmptyListOrACancelledDialog) {
  test::FakePrinter printer;
  EXPECT_TRUE(PrintPersonnelList(printer, Register(), PrintFont()).ok());
  EXPECT_EQ(printer.dialogs, 0);

  printer.accept = false;
  EXPECT_TRUE(PrintPersonnelList(printer, ListOf(2), PrintFont()).ok());
  EXPECT_EQ(printer.dialogs, 1);
  EXPECT_TRUE(printer.ops->empty());
}

TEST(PersonnelPrintout, FirstPageLayout) {
  test::FakePrinter printer;
  Register list;
  EmployeeRecord rec = Employee(1);
  rec.Overdraft.clear();
  list.Append(rec);
  PrintFont font;
  font.pixelHeight = 13;
  ASSERT_TRUE(PrintPersonnelList(printer, list, font).ok());
  const std::vector<Op>& ops = *printer.ops;
  ASSERT_GE(ops.size(), 2u);
  EXPECT_EQ(ops.front().kind, "font");
  EXPECT_EQ(ops.front().x1, 13);
  EXPECT_EQ(ops.back().kind, "end");

  const Op* number = FindText(ops, Cp("Стр. 1   "));
  ASSERT_NE(number, nullptr);
  EXPECT_EQ(number->x1, 4000 - 11 * 20);
  EXPECT_EQ(number->y1, kH / 2);

  struct Expected {
    std::string text;
    int x, y;
  };
  const std::vector<Expected> expected = {
      {Cp("ЕГН"), 400, 2 * kH},
      {"IBAN", 640, 2 * kH},
      {Cp("ЗАЯВЕНА СУМА"), 1560 - 60 - 12 * 20, 2 * kH},
      {Cp("ОВЪРДРАФТ"), 2040 - 60 - 9 * 20, 2 * kH},
      {Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ"), 2040, 2 * kH},
      {"7503158761", 400, kFirstRowY},
      {"BG80BNBG96611020345678", 640, kFirstRowY},
      {Cp("802.00 лв."), 1560 - 60 - 10 * 20, kFirstRowY},
      {Cp(" лв."), 2040 - 60 - 4 * 20, kFirstRowY},
      {"Name1", 2040, kFirstRowY},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(Cp1251ToUtf8(e.text));
    const Op* op = FindText(ops, e.text);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->x1, e.x);
    EXPECT_EQ(op->y1, e.y);
  }
  ASSERT_EQ(Count(ops, "line"), 1);
  const Op& rule = *std::find_if(ops.begin(), ops.end(), [](const Op& op) { return op.kind == "line"; });
  EXPECT_EQ(rule.x1, 400);
  EXPECT_EQ(rule.x2, 4000);
  EXPECT_EQ(rule.y1, 2 * kH + 53);
  EXPECT_EQ(rule.y2, rule.y1);
  EXPECT_EQ(Count(ops, "page"), 0);
}

TEST(PersonnelPrintout, NamesAreCutToTheSpaceRightOfTheLastAmount) {
  test::FakePrinter printer;
  printer.prototype.pageWidth = 2000;  // X5 1840: room for 8 characters
  Register list;
  EmployeeRecord rec = Employee(1);
  rec.FullName = "ABCDEFGHIJ";
  list.Append(rec);
  rec = Employee(2);
  rec.FullName = "ABCDEFGH";
  list.Append(rec);
  ASSERT_TRUE(PrintPersonnelList(printer, list, PrintFont()).ok());
  const std::vector<std::string> texts = printer.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "ABCDEFGH"), 2);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "ABCDEFGHIJ"), 0);
  EXPECT_EQ(list.at(0).FullName.str(), "ABCDEFGHIJ");
}

TEST(PersonnelPrintout, NameHeadingMayUseTheOverdraftColumnToo) {
  test::FakePrinter printer;
  printer.prototype.pageWidth = 1700;  // X4 1330: 370 units, 18 characters
  ASSERT_TRUE(PrintPersonnelList(printer, ListOf(1), PrintFont()).ok());
  EXPECT_NE(FindText(*printer.ops, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИ")), nullptr);
  EXPECT_EQ(FindText(*printer.ops, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ")), nullptr);
}

// A page of 379 units holds three rows (199, 259, 319).
constexpr int kThreeRowPage = kFirstRowY + 3 * kH;

TEST(PersonnelPrintout, EveryPageCarriesItsNumberAndHeadings) {
  test::FakePrinter printer;
  printer.prototype.pageHeight = kThreeRowPage;
  ASSERT_TRUE(PrintPersonnelList(printer, ListOf(7), PrintFont()).ok());
  const std::vector<Op>& ops = *printer.ops;
  EXPECT_EQ(Count(ops, "page"), 2);
  EXPECT_EQ(Count(ops, "text", Cp("ЕГН")), 3);
  EXPECT_EQ(Count(ops, "line"), 3);
  EXPECT_EQ(Count(ops, "end"), 1);

  // Each page starts with its number, then headings, then rows from the top.
  std::vector<std::size_t> pages = {0};
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (ops[i].kind == "page") pages.push_back(i);
  }
  const std::vector<int> firstRow = {0, 3, 6};
  for (std::size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE(p);
    const Op* number = FindText(ops, Cp("Стр. ") + std::to_string(p + 1) + "   ", pages[p]);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->y1, kH / 2);
    const Op* row = FindText(ops, Employee(firstRow[p]).EGN.str(), pages[p]);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->y1, kFirstRowY);
  }
  // The rows of a page stand one row height apart.
  EXPECT_EQ(FindText(ops, Employee(5).EGN.str())->y1, kFirstRowY + 2 * kH);
}

TEST(PersonnelPrintout, NoPageWithHeadingsAloneAfterAFullLastPage) {
  test::FakePrinter printer;
  printer.prototype.pageHeight = kThreeRowPage;
  ASSERT_TRUE(PrintPersonnelList(printer, ListOf(6), PrintFont()).ok());
  const std::vector<Op>& ops = *printer.ops;
  EXPECT_EQ(Count(ops, "page"), 1);
  EXPECT_EQ(FindText(ops, Cp("Стр. 3   ")), nullptr);
  ASSERT_GE(ops.size(), 2u);
  EXPECT_EQ(ops[ops.size() - 2].text, "Name5");  // the last row is the last thing drawn
}

TEST(PersonnelPrintout, PageNumbersArePaddedToFourCharacters) {
  test::FakePrinter printer;
  printer.prototype.pageHeight = kFirstRowY + kH;  // one row a page
  ASSERT_TRUE(PrintPersonnelList(printer, ListOf(12), PrintFont()).ok());
  EXPECT_EQ(Count(*printer.ops, "page"), 11);
  EXPECT_NE(FindText(*printer.ops, Cp("Стр. 12  ")), nullptr);
}

}  // namespace
}  // namespace zel
