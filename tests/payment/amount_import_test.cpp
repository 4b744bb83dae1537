#include "payment/amount_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1251.h"
#include "payment/payment_form.h"
#include "payment/test_lines.h"

namespace zel {
namespace {

using test::kValidIban;
using test::MakeLine;

struct AmountForm {
  const char* cell;  // UTF-8
  Currency currency;
  AmountReading reading;
  const char* stored = "";
};

TEST(ImportedAmount, FormsOfSpreadsheetsAndTheDialogsChecks) {
  const AmountForm forms[] = {
      {"1234,56", Currency::Euro, AmountReading::Valid, "1234.56"},
      {"1234.5", Currency::Euro, AmountReading::Valid, "1234.50"},
      {" 1 234,56 ", Currency::Euro, AmountReading::Valid, "1234.56"},
      {"1\u00A0234\u00A0567,8", Currency::Euro, AmountReading::Valid, "1234567.80"},
      {"1'234.56", Currency::Euro, AmountReading::Valid, "1234.56"},
      {"007,5", Currency::Euro, AmountReading::Valid, "7.50"},
      {"1234,50 EUR", Currency::Euro, AmountReading::Valid, "1234.50"},
      {"1234,50€", Currency::Euro, AmountReading::Valid, "1234.50"},
      {"1 234 лв.", Currency::Leva, AmountReading::Valid, "1234.00"},
      {"9999999999999,99", Currency::Euro, AmountReading::Valid, "9999999999999.99"},
      {"0,51", Currency::Euro, AmountReading::Valid, "0.51"},
      {"1", Currency::Leva, AmountReading::Valid, "1.00"},
      {"", Currency::Euro, AmountReading::Empty},
      {"1234 лв.", Currency::Euro, AmountReading::NotAnAmount},  // another currency's label
      {"100 EUR", Currency::Leva, AmountReading::NotAnAmount},
      {"100 лв", Currency::Leva, AmountReading::NotAnAmount},
      {"EUR", Currency::Euro, AmountReading::NotAnAmount},
      {"12 34", Currency::Euro, AmountReading::NotAnAmount},  // no thousands grouping
      {"1 2345", Currency::Euro, AmountReading::NotAnAmount},
      {"1 234'567", Currency::Euro, AmountReading::NotAnAmount},
      {"1,234.56", Currency::Euro, AmountReading::NotAnAmount},
      {"1.234,56", Currency::Euro, AmountReading::NotAnAmount},
      {"-5", Currency::Euro, AmountReading::NotAnAmount},
      {"1e3", Currency::Euro, AmountReading::NotAnAmount},
      {"100,", Currency::Euro, AmountReading::NotAnAmount},
      {",5", Currency::Euro, AmountReading::NotAnAmount},
      {"1,234", Currency::Euro, AmountReading::Refused},  // three decimals
      {"0,50", Currency::Euro, AmountReading::Refused},   // below the minimum
      {"0,99", Currency::Leva, AmountReading::Refused},
      {"10000000000000", Currency::Euro, AmountReading::Refused},
  };
  for (const AmountForm& f : forms) {
    FixedText<20> stored{};
    EXPECT_EQ(ReadAmount(Cp(f.cell), f.currency, stored), f.reading) << f.cell;
    if (f.reading != AmountReading::Valid) continue;
    EXPECT_EQ(stored.str(), f.stored) << f.cell;
    // The payment dialog stores that very text for it.
    PaymentFieldTexts fields = LoadPaymentFields(MakeLine("Иван Петров", kValidIban, "", "Заплата"));
    fields[PaymentField::NetAmount] = stored.str();
    PaymentLine line = ZeroPaymentLine();
    ASSERT_TRUE(StorePaymentFields(fields, line, f.currency)) << f.cell;
    EXPECT_EQ(line.NetAmount.str(), f.stored) << f.cell;
  }
}

TEST(ImportedEgn, TenDigitsLeadingZerosFilledIn) {
  const struct {
    const char* cell;
    bool read;
    const char* egn;
    bool filled;
  } forms[] = {
      {"7501010010", true, "7501010010", false},
      {"541150000", true, "0541150000", true},
      {" 0041010000 ", true, "0041010000", false},
      {"41010000", true, "0041010000", true},
      {"75010100100", false, "", false},
      {"75010100x0", false, "", false},
      {"7.5E+09", false, "", false},
      {"", false, "", false},
  };
  for (const auto& f : forms) {
    FixedText<10> egn{};
    bool filled = false;
    EXPECT_EQ(ReadEgn(f.cell, egn, filled), f.read) << f.cell;
    if (!f.read) continue;
    EXPECT_EQ(egn.str(), f.egn) << f.cell;
    EXPECT_EQ(filled, f.filled) << f.cell;
  }
}

ImportColumns Header(const char* utf8) { return FindHeaderColumns(csv::Table(Cp(utf8))).value_or(ImportColumns{}); }

TEST(ImportColumnsFound, HeaderNamesElseAGuessFromTheCells) {
  const struct {
    const char* file;
    int egn, amount, name;
    std::size_t firstRow;
  } headers[] = {
      {"ЕГН;Име;Сума\n1;2;3", 0, 2, 1, 1},
      {" egn ; NET (EUR) ;Full Name", 0, 1, 2, 1},
      {"№;Име;ЕГН;Бруто;Нето;Сума за превод", 2, 5, 1, 1},  // the amount to transfer before the net
      {"Ведомост за май\nЕГН;Сума:", 0, 1, -1, 2},
      {"7501010010;100", -1, -1, -1, 0},
  };
  for (const auto& h : headers) {
    const ImportColumns c = Header(h.file);
    EXPECT_EQ(c.egn, h.egn) << h.file;
    EXPECT_EQ(c.amount, h.amount) << h.file;
    EXPECT_EQ(c.name, h.name) << h.file;
    EXPECT_EQ(c.firstRow, h.firstRow) << h.file;
  }
  // Without a header: a running number is no amount beside one with decimals.
  const ImportColumns g =
      GuessColumns(csv::Table(Cp("Номер;Служител;Личен номер;Пари\n1;Иван Петров;7501010010;1234,56\n"
                                 "2;Мария Иванова;541150000;99,00\n")));
  EXPECT_EQ(g.egn, 2);
  EXPECT_EQ(g.amount, 3);
  EXPECT_EQ(g.name, 1);
  EXPECT_EQ(g.firstRow, 1u);
}

// Eight payable employees and two of the register who are not on the list.
PaymentList PayDayList() {
  PaymentList list;
  list.currency = Currency::Euro;
  list.lines = {
      MakeLine("Иван Петров Иванов", kValidIban, "100.00", "", "7501010010"),
      MakeLine("Мария Георгиева Колева", kValidIban, "", "", "0541150000"),
      MakeLine("Петър Стоянов Петров", kValidIban, "50.00", "", "6503030030"),
      MakeLine("Георги Колев Георгиев", kValidIban, "70.00", "", "8002020020"),
      MakeLine("Стоян Бадиков Стоянов", "BG00BNBG96611020345678", "", "", "8103030030"),
      MakeLine("Нина Петрова Нинова", kValidIban, "30.00", "", "8204040040"),
      MakeLine("Ана Димова Ангелова", kValidIban, "40.00", "", "8305050050"),
      MakeLine("Ели Илиева Енева", kValidIban, "20.00", "", "8406060060"),
  };
  FixedText<10> egn{};
  FixedText<60> name{};
  egn.assign("7004040040");
  name.assign(Cp("Напуснал Служител Стар"));
  list.offList.push_back({egn, name, true});
  egn.assign("7105050050");
  name.assign(Cp("Без Сметка Никаква"));
  list.offList.push_back({egn, name, false});
  return list;
}

const char* const kPayroll =
    "Ведомост за май\r\n"
    "ЕГН;Име;Сума за превод\r\n"
    "7501010010;Иван  Петров ИВАНОВ;1 234,56\r\n"
    "541150000;Мария Иванова;200,00\r\n"
    "6503030030;;10\r\n"
    "6503030030;;20\r\n"
    "8103030030;;300\r\n"
    "8204040040;;30,00\r\n"
    "8305050050;;\r\n"
    "8406060060;;0,10\r\n"
    "7004040040;;100\r\n"
    "7105050050;;100\r\n"
    "9999999999;;100\r\n"
    ";;\r\n"
    "Общо;;1 644,56\r\n";

AmountImport ImportOf(const PaymentList& list) {
  const csv::Table table(Cp(kPayroll));
  return AmountImport(table, *FindHeaderColumns(table), list);
}

TEST(ImportPreview, EachLineSaysWhatItWouldDo) {
  const PaymentList list = PayDayList();
  const AmountImport import = ImportOf(list);
  const struct {
    ImportVerdict verdict;
    const char* line;
    const char* note;
  } expected[] = {
      {ImportVerdict::Change, "3", ""},
      {ImportVerdict::Change, "4", "ЕГН допълнен с нули отляво; име във файла: Мария Иванова"},
      {ImportVerdict::RepeatedEgn, "5", ""},
      {ImportVerdict::RepeatedEgn, "6", ""},
      {ImportVerdict::NoIban, "7", ""},
      {ImportVerdict::NoChange, "8", ""},
      {ImportVerdict::InvalidAmount, "9", ""},  // an empty cell does not empty an amount
      {ImportVerdict::InvalidAmount, "10", ""},
      {ImportVerdict::Left, "11", ""},
      {ImportVerdict::NoIban, "12", ""},
      {ImportVerdict::NoSuchEmployee, "13", ""},
      {ImportVerdict::InvalidEgn, "15", ""},
  };
  ASSERT_EQ(import.lines().size(), std::size(expected));
  for (std::size_t i = 0; i < import.lines().size(); ++i) {
    EXPECT_EQ(import.lines()[i].verdict, expected[i].verdict) << i;
    EXPECT_EQ(import.Cell(i, PreviewColumn::FileLine), expected[i].line) << i;
    EXPECT_EQ(import.Cell(i, PreviewColumn::Note), Cp(expected[i].note)) << i;
  }
  EXPECT_EQ(import.Cell(1, PreviewColumn::Egn), "0541150000");
  EXPECT_EQ(import.Cell(1, PreviewColumn::AmountFile), "200.00");
  EXPECT_EQ(import.Cell(8, PreviewColumn::Name), Cp("Напуснал Служител Стар"));
  EXPECT_EQ(import.Cell(11, PreviewColumn::Egn), Cp("Общо"));
  EXPECT_EQ(import.withEgnAndAmount(), 10u);
  EXPECT_EQ(import.unnamed(), 1u);  // Георги Колев
  EXPECT_EQ(import.totalNow(), "310.00");
  EXPECT_EQ(import.totalAfter(false), "1644.56");
  EXPECT_EQ(import.totalAfter(true), "1574.56");
  EXPECT_EQ(import.changes(false), 2u);
  EXPECT_EQ(import.changes(true), 3u);
}

TEST(ImportPreview, ApplyTakesTheChangesAloneAndEmptiesTheUnnamedOnRequest) {
  for (const bool empty : {false, true}) {
    PaymentList list = PayDayList();
    const AmountImport import = ImportOf(list);
    EXPECT_EQ(import.Apply(list, empty), empty ? 3u : 2u);
    std::vector<std::string> amounts;
    for (const PaymentLine& line : list.lines) amounts.push_back(line.NetAmount.str());
    EXPECT_EQ(amounts, (std::vector<std::string>{"1234.56", "200.00", "50.00", empty ? "" : "70.00", "", "30.00",
                                                 "40.00", "20.00"}))
        << empty;
  }
}

}  // namespace
}  // namespace zel
