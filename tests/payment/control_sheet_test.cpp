#include "payment/control_sheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/text.h"
#include "payment/crc.h"
#include "payment/payment_file.h"
#include "payment/test_lines.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"

namespace zel {
namespace {

using Op = test::RecordingPrintSurface::Op;
using test::kValidIban;
using test::MakeLine;

// The recording surface: 20 units a character, 40 high, so the pitch is 60.
constexpr int kChar = 20;
constexpr int kPitch = 60;
constexpr int kSummaryLeft = 5 * kChar;
constexpr int kLabelRight = 22 * kChar + kSummaryLeft;  // "Пореден файл за деня :" is 22 characters
constexpr int kValueLeft = kLabelRight + 2 * kChar;

const Op* FindText(const test::FakePrinter& printer, const std::string& text) {
  for (const Op& op : *printer.ops) {
    if (op.kind == "text" && op.text == text) return &op;
  }
  return nullptr;
}

int Count(const test::FakePrinter& printer, const std::string& kind) {
  int n = 0;
  for (const Op& op : *printer.ops) n += op.kind == kind ? 1 : 0;
  return n;
}

PaymentList SeventeenLines() {
  PaymentList list;
  list.lines.push_back(MakeLine("Иван Петров", kValidIban, "1234.50", "Заплата"));
  for (int i = 0; i < 16; ++i) list.lines.push_back(MakeLine("Служител", kValidIban, "", ""));
  return list;
}

PayFileSettings DefaultSettings() {
  PayFileSettings s;
  s.PayerName = "Firm";
  s.PayerIBAN = kValidIban;
  s.PayDate = "25.05.2000";
  return s;  // PayFileName O250500p.dp0, PaySeqNo 0
}

// The control sheet on a pay day whose stored control string and total are
// `control` and `total`; gives back what the run left in them.
ControlSheetResult RunSheet(FileSystem& fs, const PaymentList& list, test::FakePrinter& printer,
                            const test::FakeClock& clock, std::string& control, double& total) {
  PayDay day{DefaultSettings(), control, total};
  const ControlSheetResult r = PrintControlSheet(fs, list, day, printer, clock, PrintFont{});
  control = day.StoredControlString;
  total = day.StoredTotal;
  return r;
}

TEST(ControlFigures, FileDateSequenceAmountAndCount) {
  EXPECT_EQ(ControlFigures(DefaultSettings(), 1234.5, 17), "2505000000000000000123450000017");
  EXPECT_EQ(AmountDigits(0), std::string(18, '0'));
  EXPECT_EQ(AmountDigits(-1234.5), "00000000000-123450");
  EXPECT_EQ(AmountDigits(12345678901234567.0), "234567890123456800");
  EXPECT_EQ(CountDigits(0), "000000");
  EXPECT_EQ(CountDigits(1234567), "234567");
}

TEST(ControlFigures, DateOfTheSheetWithTheLocaleNames) {
  test::FakeClock clock;
  EXPECT_EQ(SheetDate(clock), Cp("Mon, 7 December 2026 год."));
  clock.today = Date{987, 3, 21, 7};
  EXPECT_EQ(SheetDate(clock), Cp("Sun, 21 March 0987 год."));
}

TEST(ControlSheet, EveryLabelEndsAtOneEdgeAndEveryValueStartsAtAnother) {
  test::TempDir dir;
  test::FakePrinter printer;
  test::FakeClock clock;
  std::string control = "OLD";
  double total = 99;
  const PaymentList list = SeventeenLines();
  const ControlSheetResult r = RunSheet(SystemFileSystem(), list, printer, clock, control, total);
  ASSERT_TRUE(r.status.ok()) << r.status.message();
  EXPECT_TRUE(r.printed);
  EXPECT_EQ(total, 1234.5);

  const std::string expectedControl = ControlString(test::ReadFileBytes(dir.File("O250500p.dp0")));
  EXPECT_EQ(control, expectedControl);
  EXPECT_EQ(test::ReadFileBytes(dir.File("O250500p.dp0")).size(), 17u * 146u);  // body only

  const std::pair<const char*, std::string> rows[] = {
      {"Дата :", Cp("Mon, 7 December 2026 год.")},
      {"Пореден файл за деня :", "0"},
      {"Тип на данните :", Cp("РЕАЛНИ")},
      {"Тип на превода :", Cp("ДИРЕКТЕН ПРЕВОД")},
      {"Обща сума :", "1234.50"},
      {"Брой съобщения :", "17"},
      {"Контрола :", expectedControl},
      {"Контролен низ :", "2505000000000000000123450000017"},
  };
  const int rowOf[] = {6, 7, 8, 9, 14, 15, 16, 17};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Op* label = FindText(printer, Cp(rows[i].first));
    ASSERT_NE(label, nullptr) << rows[i].first;
    EXPECT_EQ(label->x1 + static_cast<int>(label->text.size()) * kChar, kLabelRight) << rows[i].first;
    EXPECT_EQ(label->y1, rowOf[i] * kPitch) << rows[i].first;
    const Op* value = FindText(printer, rows[i].second);
    ASSERT_NE(value, nullptr) << rows[i].first;
    EXPECT_EQ(value->x1, kValueLeft) << rows[i].first;
    EXPECT_EQ(value->y1, rowOf[i] * kPitch) << rows[i].first;
  }

  const std::string title = Cp("Обработка на масови плащания");
  const Op* t = FindText(printer, title);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->x1, (4000 - static_cast<int>(title.size()) * kChar) / 2);
  EXPECT_EQ(t->y1, 2 * kPitch);
  const Op* file = FindText(printer, Cp("Резултат от проверката на O250500p.dp0"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->y1, 3 * kPitch);
  const Op* summary = FindText(printer, Cp("Обобщение на съобщенията:"));
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->x1, kSummaryLeft);
  EXPECT_EQ(summary->y1, 12 * kPitch);
  const Op* made = FindText(printer, Cp("Съставил :"));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->x1 + 10 * kChar, kLabelRight);
  EXPECT_EQ(made->y1, 21 * kPitch);
  const Op* checked = FindText(printer, Cp("Проверил :"));
  ASSERT_NE(checked, nullptr);
  EXPECT_EQ(checked->x1, 4000 - 4000 / 3);
  EXPECT_EQ(checked->y1, 21 * kPitch);

  std::vector<Op> lines;
  for (const Op& op : *printer.ops) {
    if (op.kind == "line") lines.push_back(op);
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(std::vector<int>({lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            std::vector<int>({kSummaryLeft, 13 * kPitch, 4000, 13 * kPitch}));
  EXPECT_EQ(std::vector<int>({lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
            std::vector<int>({kSummaryLeft, 18 * kPitch, 4000, 18 * kPitch}));

  EXPECT_EQ(printer.ops->front().kind, "font");
  EXPECT_EQ(printer.ops->front().text, "Times New Roman");
  EXPECT_EQ(printer.ops->back().kind, "end");
  EXPECT_EQ(Count(printer, "page"), 0);
  EXPECT_EQ(printer.Texts().size(), 21u);
}

TEST(ControlSheet, EmptyListShowsZeroTotal) {
  test::TempDir dir;
  test::FakePrinter printer;
  test::FakeClock clock;
  std::string control;
  double total = 5;
  const ControlSheetResult r = RunSheet(SystemFileSystem(), PaymentList{}, printer, clock, control, total);
  ASSERT_TRUE(r.printed);
  EXPECT_EQ(total, 0);
  EXPECT_EQ(control, "00000000");
  EXPECT_NE(FindText(printer, "0.00"), nullptr);
}

TEST(ControlSheet, CancelledDialogLeavesBodyFileAndNewControlButNotTheTotal) {
  test::TempDir dir;
  test::FakePrinter printer;
  printer.accept = false;
  test::FakeClock clock;
  std::string control = "OLD";
  double total = 99;
  const ControlSheetResult r = RunSheet(SystemFileSystem(), SeventeenLines(), printer, clock, control, total);
  EXPECT_TRUE(r.status.ok());
  EXPECT_FALSE(r.printed);
  EXPECT_EQ(printer.dialogs, 1);
  EXPECT_TRUE(printer.ops->empty());
  EXPECT_EQ(total, 99);
  EXPECT_EQ(control.size(), 8u);
  EXPECT_NE(control, "OLD");
  EXPECT_TRUE(std::filesystem::exists(dir.File("O250500p.dp0")));
}

TEST(ControlSheet, FileErrorEndsBeforeThePrintDialog) {
  test::TempDir dir;
  test::FakePrinter printer;
  test::FakeClock clock;
  std::string control = "OLD";
  double total = 99;
  test::FailingFileSystem fs(test::FailingFileSystem::Step::CreateTemp);
  const ControlSheetResult r = RunSheet(fs, SeventeenLines(), printer, clock, control, total);
  EXPECT_FALSE(r.status.ok());
  EXPECT_FALSE(r.printed);
  EXPECT_EQ(printer.dialogs, 0);
  EXPECT_EQ(total, 99);
}

// What the bank would read otherwise than the total counts it never reaches
// the file: the first such amount is named, nothing is written, no sheet.
TEST(ControlSheet, AnAmountTheBankWouldReadOtherwiseIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    const char* amount;
    bool payable;
  };
  const Case cases[] = {{"1e3", false},   {"12лв", false}, {" 25", false}, {"1,5", false},
                        {"-5.00", false}, {"0.50", false}, {"25", false},  {"10000000000.00", false},
                        {"", true},       {"   ", true},   {"1.00", true}, {"1234567890.00", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amount);
    test::TempDir dir;
    test::FakePrinter printer;
    test::FakeClock clock;
    PaymentList list = SeventeenLines();
    list.lines[3] = MakeLine("Иван Петров Иванов", kValidIban, Cp(c.amount), "");
    std::string control;
    double total = 0;
    const ControlSheetResult r = RunSheet(SystemFileSystem(), list, printer, clock, control, total);
    EXPECT_EQ(r.printed, c.payable);
    EXPECT_EQ(std::filesystem::exists(dir.File("O250500p.dp0")), c.payable);
    EXPECT_EQ(r.refusal,
              c.payable ? std::string() : Cp("Сумата „") + Cp(c.amount) + Cp("“ за Иван Петров Иванов не е валидна !"));
  }
}

// The road of a pay day on data an older version left: a lower-case IBAN in
// the register and "1e3" in the stored payment list.
TEST(ControlSheet, OlderDataIsRefusedUntilFixedAndThenReachesTheFileInCapitals) {
  test::TempDir dir;
  EmployeeRecord employee = ZeroEmployeeRecord();
  employee.FullName = Cp("Иван Петров Иванов");
  employee.EGN = "7501010010";
  employee.IBAN = "bg80bnbg96611020345678";
  test::WriteFileBytes(dir.File("employIB.dat"),
                       std::string(reinterpret_cast<const char*>(&employee), sizeof employee));
  PaymentRecord stored;
  std::memset(&stored, 0, sizeof stored);
  stored.EGN = "7501010010";
  stored.NetAmount = "1e3";
  test::WriteFileBytes(dir.File("masspIB.dat"), std::string(reinterpret_cast<const char*>(&stored), sizeof stored));

  PaymentList list;
  ASSERT_TRUE(LoadPaymentList(SystemFileSystem(), list).ok());
  ASSERT_EQ(list.lines.size(), 1u);
  test::FakePrinter printer;
  test::FakeClock clock;
  PayDay day{DefaultSettings(), {}, 0};
  ControlSheetResult r = PrintControlSheet(SystemFileSystem(), list, day, printer, clock, PrintFont{});
  EXPECT_EQ(r.refusal, Cp("Сумата „1e3“ за Иван Петров Иванов не е валидна !"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("O250500p.dp0")));

  list.lines[0].NetAmount = "1000.00";  // as the payment edit dialog stores it
  r = PrintControlSheet(SystemFileSystem(), list, day, printer, clock, PrintFont{});
  ASSERT_TRUE(r.printed) << r.status.message() << r.refusal;
  const FinalPaymentFileResult final = MakePaymentFile(SystemFileSystem(), list, day);
  ASSERT_TRUE(final.status.ok()) << final.status.message();
  const std::string file = test::ReadFileBytes(dir.File("O250500p.dp0"));
  const std::string line = file.substr(file.find("\r\n") + 2, 36);
  EXPECT_EQ(line, "BG80BNBG96611020345678       1000.00");
}

class PaymentListPrintout : public ::testing::Test {
protected:
  // 400 units high: the headings end at y = 186 and three lines of 60 fit.
  void SetUp() override { printer.prototype.pageHeight = 400; }

  PaymentList Lines(int n) {
    PaymentList list;
    for (int i = 0; i < n; ++i) list.lines.push_back(MakeLine("N" + std::to_string(i), kValidIban, "10.00", "R"));
    return list;
  }
  std::vector<std::string> PageNumbers() {
    std::vector<std::string> numbers;
    for (const Op& op : *printer.ops) {
      if (op.kind == "text" && op.text.rfind(Cp("Стр. "), 0) == 0) {
        EXPECT_EQ(op.x1, printer.prototype.pageWidth - 11 * kChar);
        EXPECT_EQ(op.y1, kPitch / 2);
        numbers.push_back(op.text);
      }
    }
    return numbers;
  }

  test::FakePrinter printer;
};

TEST_F(PaymentListPrintout, HeadingsAndColumnsOnTheFirstPage) {
  ASSERT_TRUE(PrintPaymentList(Lines(1), printer, PrintFont{}).ok());
  const Op* iban = FindText(printer, "IBAN");
  ASSERT_NE(iban, nullptr);
  EXPECT_EQ(iban->x1, 120);
  EXPECT_EQ(iban->y1, 2 * kPitch);
  const Op* sum = FindText(printer, Cp("СУМА лв."));
  ASSERT_NE(sum, nullptr);
  EXPECT_EQ(sum->x1 + 8 * kChar, 880);
  EXPECT_EQ(FindText(printer, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ"))->x1, 920);
  EXPECT_EQ(FindText(printer, Cp("ОСНОВАНИЕ"))->x1, 1720);
  const Op* line = nullptr;
  for (const Op& op : *printer.ops) {
    if (op.kind == "line") line = &op;
  }
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(std::vector<int>({line->x1, line->y1, line->x2}), std::vector<int>({120, 160, 4000}));

  const Op* ibanValue = FindText(printer, kValidIban);
  ASSERT_NE(ibanValue, nullptr);
  EXPECT_EQ(ibanValue->x1, 120);
  EXPECT_EQ(ibanValue->y1, 186);
  const Op* amount = FindText(printer, Cp("10.00 лв."));
  ASSERT_NE(amount, nullptr);
  EXPECT_EQ(amount->x1 + 9 * kChar, 880);
  EXPECT_EQ(FindText(printer, "N0")->x1, 920);
  EXPECT_EQ(FindText(printer, "R")->x1, 1720);
  EXPECT_EQ(PageNumbers(), std::vector<std::string>{Cp("Стр. 1   ")});
}

TEST_F(PaymentListPrintout, WideNamesAndReasonsAreCutToTheirColumns) {
  printer.prototype.pageWidth = 2000;  // the reasons move left: 2000 - 20 m
  PaymentList list;
  list.lines.push_back(MakeLine(std::string(60, 'n'), kValidIban, "1.00", std::string(60, 'r')));
  ASSERT_TRUE(PrintPaymentList(list, printer, PrintFont{}).ok());
  const Op* name = FindText(printer, std::string(32, 'n'));  // (1600 - 920 - 40) / 20
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->x1, 920);
  const Op* reason = FindText(printer, std::string(20, 'r'));  // (2000 - 1600) / 20
  ASSERT_NE(reason, nullptr);
  EXPECT_EQ(reason->x1, 1600);
}

TEST_F(PaymentListPrintout, FullLastPageStartsNoPageOfHeadingsAlone) {
  ASSERT_TRUE(PrintPaymentList(Lines(6), printer, PrintFont{}).ok());
  EXPECT_EQ(Count(printer, "page"), 1);
  EXPECT_EQ(PageNumbers(), (std::vector<std::string>{Cp("Стр. 1   "), Cp("Стр. 2   ")}));
  EXPECT_EQ(FindText(printer, "N3")->y1, 186);  // first line of page 2
  EXPECT_EQ(printer.ops->back().kind, "end");
}

TEST_F(PaymentListPrintout, EveryPageHasItsNumberAndHeadings) {
  ASSERT_TRUE(PrintPaymentList(Lines(7), printer, PrintFont{}).ok());
  EXPECT_EQ(Count(printer, "page"), 2);
  EXPECT_EQ(PageNumbers().size(), 3u);
  int headings = 0;
  for (const std::string& t : printer.Texts()) headings += t == "IBAN" ? 1 : 0;
  EXPECT_EQ(headings, 3);
  EXPECT_EQ(FindText(printer, "N6")->y1, 186);
}

TEST_F(PaymentListPrintout, EmptyListPrintsOnePageOfHeadingsAndCancelPrintsNothing) {
  ASSERT_TRUE(PrintPaymentList(PaymentList{}, printer, PrintFont{}).ok());
  EXPECT_EQ(Count(printer, "page"), 0);
  EXPECT_NE(FindText(printer, "IBAN"), nullptr);

  test::FakePrinter cancelled;
  cancelled.accept = false;
  ASSERT_TRUE(PrintPaymentList(Lines(3), cancelled, PrintFont{}).ok());
  EXPECT_TRUE(cancelled.ops->empty());
}

}  // namespace
}  // namespace zel
