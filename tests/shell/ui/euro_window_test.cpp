// A folder whose amounts are in leva on a day in 2026: asked at start,
// refused at the bank's door, converted on purpose, then paid in euro.

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/text.h"
#include "common/ui/QtText.h"
#include "payment/payment_file.h"
#include "payment/ui/TFMoneyForm.h"
#include "payment/ui/TFmassout.h"
#include "payment/ui/pay_day_data.h"
#include "shell/euro_conversion.h"
#include "shell/ui/Startup.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/raw_records.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using test::Stored;
using ui::Qs;

class EuroWindowTest : public WindowTest {
protected:
  // The pay day's staff with leva amounts, and the net amounts of the last pay day.
  void WriteLevaFolder() {
    Register reg;
    for (const TestEmployee& e : PayDayStaff()) {
      EmployeeRecord r = MakeEmployee(e);
      r.RequestedSum = "802.00";
      r.MinBalance = "2.00";
      reg.Append(r);
    }
    ASSERT_TRUE(SaveRegister(SystemFileSystem(), reg, {}).ok());
    WriteFileBytes(dir.File("masspIB.dat"), Stored("", "7501010010", "900.00", "Salary") +
                                                Stored("", "8002020020", "2000.00", "Salary") +
                                                Stored("", "6503030030", "100.08", "Salary"));
    StoreCompany(settings);
  }
  QAction* Euro(ui::TSDIAppForm& frame) { return frame.findChild<QAction*>(Qs("EuroItem")); }
  ui::TFMoneyForm* OpenPayments(ui::TSDIAppForm& frame) {
    frame.ToolButton3Click();
    return qobject_cast<ui::TFMoneyForm*>(frame.child());
  }
  void Close(QWidget* list) {
    list->findChild<QPushButton*>(Qs("B_Close"))->click();
    for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Prints the payment list and tells whether `text` was among what it drew.
  bool ListPrints(ui::TFMoneyForm* list, const std::string& text) {
    printer.ops->clear();
    list->findChild<QPushButton*>(Qs("B_Print"))->click();
    const std::vector<std::string> texts = printer.Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  // "Запис във файл" with "Печат на контролен лист" (for the pay date typed,
  // if one is given), then "Ok" when it is enabled.
  void PayDay(ui::TSDIAppForm& frame, const char* payDate = nullptr) {
    modal.Then([payDate](QWidget* dialog) {
      if (payDate != nullptr) dialog->findChild<QLineEdit*>(Qs("Edit5"))->setText(Qs(payDate));
      FindButton(dialog, Qs("Печат на контролен лист"))->click();
      QAbstractButton* ok = FindButton(dialog, Qs("Ok"));
      (ok->isEnabled() ? ok : FindButton(dialog, Qs("Отказ")))->click();
    });
    frame.FileSave1Execute();
    ASSERT_TRUE(WaitUntilNoModal());
  }
};

TEST_F(EuroWindowTest, LevaIsAskedRefusedAndConvertedOnPurpose) {
  WriteLevaFolder();
  const std::string payFile = dir.File("O071226p.dp0");

  // Asked at start; "no" leaves everything in leva.
  messages.answers = {false};
  const auto frame = ui::StartUp(services);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(messages.log.size(), 1u);
  // The question shows what the accountant would recognise as leva.
  const std::string noBreak = "\xA0";
  for (const std::string& shown :
       {Cp("Служители в регистъра: 4."),
        Cp("Сумата на плащанията 3") + noBreak + Cp("000.08 лв. ще стане 1") + noBreak + "533.93 EUR."}) {
    EXPECT_NE(messages.log[0].text.find(shown), std::string::npos) << messages.log[0].text;
  }
  EXPECT_TRUE(Euro(*frame)->isEnabled());

  ui::TFMoneyForm* list = OpenPayments(*frame);
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(Euro(*frame)->isEnabled());  // not while a list holds the amounts
  EXPECT_TRUE(ListPrints(list, Cp("СУМА лв.")));
  EXPECT_TRUE(ListPrints(list, Cp("900.00 лв.")));
  PayDay(*frame);
  EXPECT_EQ(messages.log.back().text, *LevaRefusal(Currency::Leva, clock.today));
  EXPECT_FALSE(SystemFileSystem().Exists(payFile));
  // A pay date typed back into 2025 sends no leva either.
  const std::size_t refusals = messages.log.size();
  printer.ops->clear();
  PayDay(*frame, "31.12.2025");
  EXPECT_EQ(messages.log.size(), refusals + 1);
  EXPECT_EQ(messages.log.back().text, *LevaRefusal(Currency::Leva, clock.today));
  EXPECT_EQ(printer.ops->size(), 0u);
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("O311225p.dp0")));
  Close(list);
  // The request files and the returned account-opening blocks carry amounts; the lists of accounts do not.
  frame->FileOpen1Execute();
  ASSERT_NE(frame->child(), nullptr);
  const std::size_t told = messages.log.size();
  frame->FileSave1Execute();
  frame->FileReadClick();
  frame->AccFileReadClick();
  EXPECT_EQ(messages.Texts().size(), told + 2);
  EXPECT_EQ(messages.log.back().text, *LevaRefusal(Currency::Leva, clock.today));
  EXPECT_EQ(dialogs.saveCalls, 0);
  EXPECT_EQ(dialogs.openCalls, 1);
  Close(frame->child());

  // The command converts, tells where the report is and shows it.
  messages.answers = {true};
  QString shown;
  modal.Then([&shown](QWidget* report) {
    shown = report->findChild<QPlainTextEdit*>()->toPlainText();
    FindButton(report, Qs("Затвори"))->click();
  });
  Euro(*frame)->trigger();
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(services.folder.currency, Currency::Euro);
  EXPECT_FALSE(Euro(*frame)->isEnabled());
  EXPECT_NE(messages.log.back().text.find(Cp("euro_report.txt")), std::string::npos);
  for (const char* text : {"Мария Георгиева Димитрова", "2000.00", "1022.59", "802.00", "410.06"}) {
    EXPECT_TRUE(shown.contains(Qs(text))) << text;
  }

  // Paid in euro: the converted amounts, their total and their control string.
  list = OpenPayments(*frame);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(ListPrints(list, Cp("СУМА EUR")));
  EXPECT_TRUE(ListPrints(list, "460.17 EUR"));
  PayDay(*frame);
  ASSERT_TRUE(SystemFileSystem().Exists(payFile));
  const std::string file = ReadFileBytes(payFile);
  EXPECT_NE(file.find(";1533.93;3;" + list->payDay().StoredControlString + ";"), std::string::npos);
  for (const char* amount : {"       460.17", "      1022.59", "        51.17"}) {
    EXPECT_NE(file.find(amount), std::string::npos) << amount;
  }
  EXPECT_TRUE(CheckPaymentFileContent(file, list->paymentList()).ok());
  Close(list);
}

TEST_F(EuroWindowTest, ANewFolderIsInEuroAndNeverAsks) {
  const auto frame = ui::StartUp(services);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(messages.log.empty());
  EXPECT_EQ(services.folder.currency, Currency::Euro);
  EXPECT_FALSE(Euro(*frame)->isEnabled());
}

}  // namespace
}  // namespace zel::test
