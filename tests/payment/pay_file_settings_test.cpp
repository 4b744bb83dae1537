#include "payment/pay_file_settings.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "payment/pay_file_dialog.h"
#include "payment/test_lines.h"
#include "support/fakes.h"

namespace zel {
namespace {

using test::kValidIban;

class PayFileDialogTest : public ::testing::Test {
protected:
  static constexpr Date kToday{2026, 12, 7, 1};
  PayFileSettings stored;  // the mass payment list's pay day settings

  // A control sheet that is printed, counting its runs.
  static ControlSheetCall Printed(int& calls) {
    return [&calls] {
      ++calls;
      return ControlSheetResult{Status::Ok(), true, {}};
    };
  }

  static PayFileFieldTexts Filled() {
    PayFileFieldTexts f;
    f[PayFileField::CompanyName] = Cp("Торва ООД");
    f[PayFileField::BankCode] = "62196214";
    f[PayFileField::CompanyAccount] = "1234567890";
    f[PayFileField::CompanyIban] = kValidIban;
    f[PayFileField::PayDate] = "07.12.2026";
    f[PayFileField::SeqNo] = "3";
    return f;
  }

  static void ExpectRefused(PayFileFieldTexts f, PayFileField field, const char* utf8Message) {
    const PayFileInputCheck c = CheckPayFileInput(f);
    EXPECT_FALSE(c.valid);
    EXPECT_EQ(c.field, field);
    EXPECT_EQ(c.message, Cp(utf8Message));
  }
};

TEST(PayFileName, DayMonthTwoDigitYearAndSequenceDigit) {
  EXPECT_EQ(MakePayFileName("07.12.2026", 3), "O071226p.dp3");
  EXPECT_EQ(MakePayFileName("05.01.2026", 0), "O050126p.dp0");
  EXPECT_EQ(MakePayFileName("31.12.1999", 9), "O311299p.dp9");
  // A short text cannot reach outside itself; "%2s" fills on the left.
  EXPECT_EQ(MakePayFileName("7", 1), "O 7    p.dp1");
}

TEST_F(PayFileDialogTest, SettingsStartWithTheDefaultFileName) {
  EXPECT_EQ(stored.PayFileName, "O250500p.dp0");
  EXPECT_EQ(stored.PaySeqNo, 0);
}

TEST_F(PayFileDialogTest, FieldTableAndOpeningValues) {
  const auto& t = PayFileFieldTable();
  const char* labels[] = {"Наименование на фирмата", "Код по БУС",
                          "Сметка на наредителя",    "IBAN на наредителя",
                          "Масово плащане за дата",  "Поредно плащане за деня"};
  const int lengths[] = {26, 8, 10, 22, 10, 9};
  const bool editable[] = {true, false, false, true, true, true};
  for (std::size_t i = 0; i < t.size(); ++i) {
    EXPECT_EQ(t[i].label, Cp(labels[i])) << i;
    EXPECT_EQ(t[i].maxLength, lengths[i]) << i;
    EXPECT_EQ(t[i].editable, editable[i]) << i;
  }
  const PayFileFieldTexts f = InitialPayFileFields(CompanyData{"N", "B", "A", "I"}, Date{2026, 1, 5, 1});
  EXPECT_EQ(f[PayFileField::PayDate], "05.01.2026");
  EXPECT_EQ(f[PayFileField::SeqNo], "0");
  EXPECT_EQ(f[PayFileField::CompanyName], "N");
  EXPECT_EQ(f[PayFileField::BankCode], "B");
  EXPECT_EQ(f[PayFileField::CompanyAccount], "A");
  EXPECT_EQ(f[PayFileField::CompanyIban], "I");
  const PayFileFieldTexts empty = InitialPayFileFields(CompanyData{}, Date{2026, 12, 7, 1});
  EXPECT_EQ(empty[PayFileField::CompanyName], "");
  EXPECT_EQ(empty[PayFileField::PayDate], "07.12.2026");
}

TEST_F(PayFileDialogTest, RequiredFieldsInTheirOrder) {
  PayFileFieldTexts f;
  ExpectRefused(f, PayFileField::CompanyName, "Наименование на фирмата не е попълнено !");
  f[PayFileField::CompanyName] = "  ";
  ExpectRefused(f, PayFileField::CompanyName, "Наименование на фирмата не е попълнено !");
  f[PayFileField::CompanyName] = "X";
  ExpectRefused(f, PayFileField::PayDate, "Масово плащане за дата не е попълнено !");
  f[PayFileField::PayDate] = "junk";
  ExpectRefused(f, PayFileField::SeqNo, "Поредно плащане за деня не е попълнено !");
  f[PayFileField::SeqNo] = "x";
  ExpectRefused(f, PayFileField::CompanyIban, "IBAN на наредителя не е попълнено !");
  // The name is a field of the payment file's ";"-separated header line.
  f[PayFileField::CompanyName] = Cp("Фирма; ООД");
  ExpectRefused(f, PayFileField::CompanyName, "Наименование на фирмата не е валидно !");
}

TEST_F(PayFileDialogTest, IbanThenDateThenSequenceNumber) {
  PayFileFieldTexts f = Filled();
  f[PayFileField::PayDate] = "junk";
  f[PayFileField::SeqNo] = "x";
  f[PayFileField::CompanyIban] = kValidIban.substr(0, 21);
  ExpectRefused(f, PayFileField::CompanyIban, "IBAN на наредителя не е валиден !");
  f[PayFileField::CompanyIban] = "BG81BNBG96611020345678";
  ExpectRefused(f, PayFileField::CompanyIban, "IBAN на наредителя не е валиден !");
  f[PayFileField::CompanyIban] = kValidIban;
  ExpectRefused(f, PayFileField::PayDate, "Масово плащане за дата не е валидна !");
  f[PayFileField::PayDate] = "07.12.2026";
  ExpectRefused(f, PayFileField::SeqNo, "Поредно плащане за деня не е валиден !");
  for (const char* seq : {"10", "a", " 1", "1 "}) {
    f[PayFileField::SeqNo] = seq;
    ExpectRefused(f, PayFileField::SeqNo, "Поредно плащане за деня не е валиден !");
  }
  f[PayFileField::SeqNo] = "9";
  EXPECT_TRUE(CheckPayFileInput(f).valid);
  // A valid IBAN typed in lower case goes on in capitals, as the field then shows.
  f[PayFileField::CompanyIban] = "bg80bnbg96611020345678";
  EXPECT_TRUE(CheckPayFileInput(f).valid);
  EXPECT_EQ(f[PayFileField::CompanyIban], kValidIban);
}

TEST_F(PayFileDialogTest, TenCharacterDateGetsPointsBeforeItIsChecked) {
  PayFileFieldTexts f = Filled();
  f[PayFileField::PayDate] = "07/12/2026";
  EXPECT_TRUE(CheckPayFileInput(f).valid);
  EXPECT_EQ(f[PayFileField::PayDate], "07.12.2026");

  f[PayFileField::PayDate] = "31/04/2026";
  EXPECT_FALSE(CheckPayFileInput(f).valid);
  EXPECT_EQ(f[PayFileField::PayDate], "31.04.2026");

  f[PayFileField::PayDate] = "7.12.2026";
  const PayFileInputCheck c = CheckPayFileInput(f);
  EXPECT_EQ(c.field, PayFileField::PayDate);
  EXPECT_EQ(f[PayFileField::PayDate], "7.12.2026");
}

TEST_F(PayFileDialogTest, PrintCommandWithInvalidInputDisablesOkAndTouchesNothing) {
  test::FakeSettingsStore store;
  PayFileFieldTexts f = Filled();
  f[PayFileField::SeqNo] = "12";
  int calls = 0;
  const PayFilePrintResult r = RunPayFilePrint(f, store, stored, Printed(calls), Currency::Euro, kToday);
  EXPECT_EQ(r.ok, OkButton::Disable);
  ASSERT_TRUE(r.focus.has_value());
  EXPECT_EQ(*r.focus, PayFileField::SeqNo);
  EXPECT_EQ(r.message, Cp("Поредно плащане за деня не е валиден !"));
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(stored.PayFileName, "O250500p.dp0");
}

// The bank reads the amounts as euro from 1 January 2026: a folder still in
// leva prints no sheet and writes no file from then on, whatever pay date is
// typed.
TEST_F(PayFileDialogTest, LevaAmountsAreRefusedFromTheEuroDayOn) {
  const struct {
    Date today;
    const char* date;
    bool refused;
  } rows[] = {{{2025, 12, 1, 1}, "31.12.2025", false},
              {{2025, 12, 1, 1}, "01.01.2026", true},
              {{2026, 1, 5, 1}, "31.12.2025", true}};
  for (const auto& [today, date, refused] : rows) {
    test::FakeSettingsStore store;
    PayFileFieldTexts f = Filled();
    f[PayFileField::PayDate] = date;
    int calls = 0;
    const PayFilePrintResult r = RunPayFilePrint(f, store, stored, Printed(calls), Currency::Leva, today);
    EXPECT_EQ(calls, refused ? 0 : 1) << date;
    EXPECT_EQ(r.ok, refused ? OkButton::Disable : OkButton::Enable) << date;
    EXPECT_EQ(r.message.find(Cp("„Превръщане в евро“")) != std::string::npos, refused) << date;
    EXPECT_EQ(store.writes.empty(), refused) << date;
  }
}

TEST_F(PayFileDialogTest, PrintCommandStoresSettingsSavesCompanyAndPrints) {
  test::FakeSettingsStore store;
  PayFileFieldTexts f = Filled();
  f[PayFileField::PayDate] = "07-12-2026";
  PayFileSettings seen;
  const PayFilePrintResult r = RunPayFilePrint(
      f, store, stored,
      [&] {
        seen = stored;
        return ControlSheetResult{Status::Ok(), true, {}};
      },
      Currency::Euro, kToday);
  EXPECT_EQ(r.ok, OkButton::Enable);
  EXPECT_TRUE(r.error.ok());
  const PayFileSettings& s = stored;
  EXPECT_EQ(s.PayerName, Cp("Торва ООД"));
  EXPECT_EQ(s.PayerIBAN, kValidIban);
  EXPECT_EQ(s.PayDate, "07.12.2026");
  EXPECT_EQ(s.PaySeqNo, 3);
  EXPECT_EQ(s.PayFileName, "O071226p.dp3");
  EXPECT_EQ(seen.PayFileName, "O071226p.dp3");
  EXPECT_EQ(store.writes, (std::vector<std::string>{"ClientName", "CodeBUS", "ClientAcc", "IBANClientAcc"}));
  EXPECT_EQ(store.values["ClientName"], Cp("Торва ООД"));
  EXPECT_EQ(store.values["IBANClientAcc"], kValidIban);
}

TEST_F(PayFileDialogTest, CancelledPrintDisablesOkAndFailuresKeepItsState) {
  test::FakeSettingsStore store;
  PayFileFieldTexts f = Filled();
  PayFilePrintResult r = RunPayFilePrint(
      f, store, stored, [] { return ControlSheetResult{}; }, Currency::Euro, kToday);
  EXPECT_EQ(r.ok, OkButton::Disable);
  EXPECT_TRUE(r.error.ok());

  r = RunPayFilePrint(
      f, store, stored,
      [] {
        return ControlSheetResult{Status::Fail("Error save in file /x !"), false, {}};
      },
      Currency::Euro, kToday);
  EXPECT_EQ(r.ok, OkButton::Keep);
  EXPECT_EQ(r.error.message(), "Error save in file /x !");

  // A list the control sheet refuses (an amount that is no plain amount)
  // leaves "Ok" off, with its one message.
  r = RunPayFilePrint(
      f, store, stored,
      [] {
        return ControlSheetResult{Status::Ok(), false, "refused"};
      },
      Currency::Euro, kToday);
  EXPECT_EQ(r.ok, OkButton::Disable);
  EXPECT_EQ(r.message, "refused");
  EXPECT_TRUE(r.error.ok());

  // A settings store that cannot be written ends the command before the sheet,
  // but the values of the dialog are already stored.
  stored = PayFileSettings{};
  store.failWritesFrom = 0;
  int calls = 0;
  r = RunPayFilePrint(f, store, stored, Printed(calls), Currency::Euro, kToday);
  EXPECT_EQ(r.ok, OkButton::Keep);
  EXPECT_FALSE(r.error.ok());
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(stored.PayFileName, "O071226p.dp3");
}

}  // namespace
}  // namespace zel
