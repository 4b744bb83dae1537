#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <deque>
#include <functional>

#include "common/file_io.h"
#include "common/ui/QtPrinter.h"
#include "common/ui/QtText.h"
#include "pay_day_data.h"
#include "payment/payment_file.h"
#include "payment/ui/TFMoneyForm.h"
#include "payment/ui/TFmassout.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/Keyboard.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TFmassout;

class MassoutTest : public WindowTest {
protected:
  // The dialog over a print command that answers from `sheets` and counts its calls.
  void Run(const std::function<void(TFmassout&)>& step) {
    TFmassout dialog(services, stored, [this] {
      ++sheetCalls;
      lastSettings = stored;
      ControlSheetResult next = sheets.empty() ? ControlSheetResult{Status::Ok(), true, {}} : sheets.front();
      if (!sheets.empty()) sheets.pop_front();
      return next;
    });
    modal.Then([&](QWidget*) { step(dialog); });
    result = dialog.exec();
    EXPECT_TRUE(WaitUntilNoModal());
  }
  static QLineEdit* F(TFmassout& d, PayFileField field) { return d.Field(field); }
  static QAbstractButton* Ok(TFmassout& d) { return FindButton(&d, Qs("Ok")); }
  static void Print(TFmassout& d) { FindButton(&d, Qs("Печат на контролен лист"))->click(); }
  static void Retype(QLineEdit* field, const char* text) {
    field->clear();
    QTest::keyClicks(field, Qs(text));
  }

  std::deque<ControlSheetResult> sheets;
  int sheetCalls = 0;
  PayFileSettings stored;  // the mass payment list's pay day settings
  PayFileSettings lastSettings;
  int result = -1;
};

TEST_F(MassoutTest, OpensWithTheCompanyAndTodayAndOnlyPrintingEnablesOk) {
  StoreCompany(settings);
  Run([&](TFmassout& d) {
    EXPECT_EQ(d.windowTitle(), Qs("Запис на файл"));
    EXPECT_EQ(F(d, PayFileField::CompanyName)->text(), Qs("Торва ООД"));
    EXPECT_EQ(F(d, PayFileField::BankCode)->text(), Qs("96611020"));
    EXPECT_EQ(F(d, PayFileField::CompanyAccount)->text(), Qs("1234567890"));
    EXPECT_EQ(F(d, PayFileField::CompanyIban)->text(), ui::ToQt(kCompanyIban));
    EXPECT_EQ(F(d, PayFileField::PayDate)->text(), Qs("07.12.2026"));
    EXPECT_EQ(F(d, PayFileField::SeqNo)->text(), Qs("0"));
    EXPECT_FALSE(F(d, PayFileField::BankCode)->isEnabled());
    EXPECT_FALSE(F(d, PayFileField::CompanyAccount)->isEnabled());
    EXPECT_EQ(F(d, PayFileField::CompanyName)->maxLength(), 26);

    EXPECT_FALSE(Ok(d)->isEnabled());
    Retype(F(d, PayFileField::SeqNo), "3");
    Print(d);
    EXPECT_TRUE(Ok(d)->isEnabled());
    QTest::keyClick(F(d, PayFileField::SeqNo), Qt::Key_Return);
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(sheetCalls, 1);
  EXPECT_EQ(lastSettings.PayFileName, "O071226p.dp3");
  EXPECT_EQ(stored.PaySeqNo, 3);
  EXPECT_TRUE(messages.log.empty());
}

// The keyboard alone: Tab skips the two fields that cannot be changed and
// "Ok" while it is off; Enter or Space on a button presses that button, and
// Enter in a field presses "Ok" once a printed sheet has enabled it.
TEST_F(MassoutTest, KeyboardAloneTabEnterAndSpace) {
  StoreCompany(settings);
  // The key that presses "Печат на контролен лист" first (Key_unknown: none), then the press.
  const std::pair<Qt::Key, KeyPress> rows[] = {
      {Qt::Key_Return, {"B_Ok", Qt::Key_Return, QDialog::Accepted}},
      {Qt::Key_Space, {"B_Ok", Qt::Key_Space, QDialog::Accepted}},
      {Qt::Key_Return, {"Edit6", Qt::Key_Return, QDialog::Accepted}},
      {Qt::Key_unknown, {"Edit6", Qt::Key_Return, kStaysOpen}},
      {Qt::Key_unknown, {"B_Cancel", Qt::Key_Return, QDialog::Rejected}},
      {Qt::Key_unknown, {"B_Cancel", Qt::Key_Space, QDialog::Rejected}},
      {Qt::Key_Space, {"Edit5", Qt::Key_Escape, QDialog::Rejected}},
  };
  for (const auto& [print, press] : rows) {
    sheetCalls = 0;
    int closed = kStaysOpen;
    Run([&](TFmassout& d) {
      EXPECT_EQ(TabWalk(&d), Names({"Edit1", "Edit4", "Edit5", "Edit6", "B_Print", "B_Cancel", "Edit1"}));
      if (print != Qt::Key_unknown) {
        QTest::keyClick(d.findChild<QWidget*>(Qs("B_Print")), print);
        EXPECT_EQ(TabWalk(&d), Names({"B_Ok", "B_Print", "B_Cancel", "Edit1", "Edit4", "Edit5", "Edit6", "B_Ok"}));
      }
      closed = PressIn(&d, press);
    });
    EXPECT_EQ(closed, press.result) << Describe(press);
    EXPECT_EQ(sheetCalls, print != Qt::Key_unknown ? 1 : 0) << Describe(press);
  }
  EXPECT_TRUE(messages.log.empty());
}

// What the settings store holds is shown and saved back whole, also when it
// is longer than a field takes; a name with ";" is refused, as it would split
// the header line of the payment file.
TEST_F(MassoutTest, StoredCompanyStaysWholeAndANameWithASemicolonIsRefused) {
  StoreCompany(settings);
  const std::string name = Cp("Торва Информационни Системи ООД");  // 31 characters, the field takes 26
  settings.values["ClientName"] = name;
  settings.values["CodeBUS"] = "9661102077";  // 10, the field takes 8
  Run([&](TFmassout& d) {
    EXPECT_EQ(F(d, PayFileField::CompanyName)->text(), ui::ToQt(name));
    Print(d);
    EXPECT_EQ(settings.values.at("ClientName"), name);
    EXPECT_EQ(settings.values.at("CodeBUS"), "9661102077");
    EXPECT_EQ(lastSettings.PayerName, name);

    Retype(F(d, PayFileField::CompanyName), "Torva; OOD");
    F(d, PayFileField::SeqNo)->setFocus();
    Print(d);
    ASSERT_EQ(messages.log.size(), 1u);
    EXPECT_EQ(messages.log[0].text, Cp("Наименование на фирмата не е валидно !"));
    EXPECT_EQ(d.focusWidget(), F(d, PayFileField::CompanyName));
    EXPECT_FALSE(Ok(d)->isEnabled());
    d.reject();
  });
  EXPECT_EQ(sheetCalls, 1);
  EXPECT_EQ(settings.writes.size(), 4u);  // the first print's save only
  EXPECT_EQ(settings.values.at("ClientName"), name);
}

TEST_F(MassoutTest, ChecksInOrderWithMessageAndFocus) {
  Run([&](TFmassout& d) {
    Retype(F(d, PayFileField::PayDate), "");
    Retype(F(d, PayFileField::SeqNo), "");
    struct Step {
      PayFileField fill;  // filled after the check that names it
      const char* text;
      const char* message;
    };
    const Step steps[] = {
        {PayFileField::CompanyName, "Firma", "Наименование на фирмата не е попълнено !"},
        {PayFileField::PayDate, "31/04/2026", "Масово плащане за дата не е попълнено !"},
        {PayFileField::SeqNo, "10", "Поредно плащане за деня не е попълнено !"},
        {PayFileField::CompanyIban, "BG80BNBG9661102034567", "IBAN на наредителя не е попълнено !"},
    };
    for (const Step& step : steps) {
      Print(d);
      EXPECT_EQ(messages.log.back().text, Cp(step.message));
      EXPECT_EQ(d.focusWidget(), F(d, step.fill));
      QTest::keyClicks(F(d, step.fill), Qs(step.text));
    }
    Print(d);  // 21 characters
    EXPECT_EQ(messages.log.back().text, Cp("IBAN на наредителя не е валиден !"));
    EXPECT_EQ(d.focusWidget(), F(d, PayFileField::CompanyIban));
    // Typed in lower case, shown in capitals once checked, as it is stored.
    Retype(F(d, PayFileField::CompanyIban), QString::fromStdString(kCompanyIban).toLower().toStdString().c_str());

    Print(d);
    EXPECT_EQ(messages.log.back().text, Cp("Масово плащане за дата не е валидна !"));
    EXPECT_EQ(F(d, PayFileField::PayDate)->text(), Qs("31.04.2026"));
    EXPECT_EQ(d.focusWidget(), F(d, PayFileField::PayDate));
    Retype(F(d, PayFileField::PayDate), "05-01-2026");

    Print(d);
    EXPECT_EQ(messages.log.back().text, Cp("Поредно плащане за деня не е валиден !"));
    EXPECT_EQ(d.focusWidget(), F(d, PayFileField::SeqNo));
    EXPECT_EQ(F(d, PayFileField::PayDate)->text(), Qs("05.01.2026"));
    EXPECT_EQ(F(d, PayFileField::CompanyIban)->text(), QString::fromStdString(kCompanyIban));
    EXPECT_FALSE(Ok(d)->isEnabled());
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_EQ(sheetCalls, 0);
  EXPECT_EQ(messages.log.size(), 7u);
  // Nothing was stored by the failed checks.
  EXPECT_TRUE(settings.writes.empty());
}

TEST_F(MassoutTest, CancelledPrintDialogDisablesOkAndAnErrorKeepsIt) {
  StoreCompany(settings);
  sheets = {{Status::Ok(), true, {}},
            {Status::Fail("Error printing on printer P ! The printing service reported an error."), false, {}},
            {Status::Ok(), false, {}}};
  Run([&](TFmassout& d) {
    Print(d);
    EXPECT_TRUE(Ok(d)->isEnabled());
    Print(d);  // the error is reported, "Ok" keeps its state
    EXPECT_TRUE(Ok(d)->isEnabled());
    ASSERT_EQ(messages.log.size(), 1u);
    EXPECT_EQ(messages.log[0].kind, "error");
    EXPECT_EQ(messages.log[0].text, "Error printing on printer P ! The printing service reported an error.");
    Print(d);  // cancelled print dialog
    EXPECT_FALSE(Ok(d)->isEnabled());
    d.close();  // the close box
  });
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_EQ(sheetCalls, 3);
}

TEST_F(MassoutTest, SettingsStoreFailureIsReportedAndPrintsNothing) {
  StoreCompany(settings);
  settings.failWritesFrom = 0;
  Run([&](TFmassout& d) {
    Print(d);
    EXPECT_FALSE(Ok(d)->isEnabled());
    FindButton(&d, Qs("Отказ"))->click();
  });
  EXPECT_EQ(sheetCalls, 0);
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "error");
}

// The whole chain on the real printer, into a PDF whose text is read back.
TEST_F(MassoutTest, ControlSheetOnPaper) {
  const QString pdftotext = QStandardPaths::findExecutable(Qs("pdftotext"));
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  WriteRegisterFile(PayDayStaff());
  {
    PaymentList earlier;
    ASSERT_TRUE(LoadPaymentList(SystemFileSystem(), earlier).ok());
    earlier.lines[0].NetAmount.assign("100.10");
    earlier.lines[1].NetAmount.assign("200.20");
    ASSERT_TRUE(SavePaymentList(SystemFileSystem(), earlier, {}).ok());
  }
  StoreCompany(settings);

  ui::QtPrinter paper(dialogs, nullptr);
  ui::Services paperServices{messages, settings, paper, clock, dialogs, files, folder};
  ui::TSDIAppForm frame(paperServices);
  frame.ToolButton3Click();
  auto* form = qobject_cast<ui::TFMoneyForm*>(frame.child());
  ASSERT_NE(form, nullptr);

  const QString pdf = QString::fromStdString(dir.File("sheet.pdf"));
  dialogs.printFiles.push_back(pdf);
  modal.Then([&](QWidget* dialog) {
    FindButton(dialog, Qs("Печат на контролен лист"))->click();
    EXPECT_TRUE(FindButton(dialog, Qs("Ok"))->isEnabled());
    FindButton(dialog, Qs("Отказ"))->click();
  });
  frame.FileSave1Execute();
  EXPECT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(dialogs.printCalls, 1);
  EXPECT_TRUE(messages.log.empty());

  QProcess process;
  process.start(pdftotext, {Qs("-layout"), pdf, Qs("-")});
  ASSERT_TRUE(process.waitForFinished(20000));
  const QString text = QString::fromUtf8(process.readAllStandardOutput());
  for (const char* expected : {"Обработка на масови плащания", "Резултат от проверката на O071226p.dp0",
                               "Пореден файл за деня :", "РЕАЛНИ", "ДИРЕКТЕН ПРЕВОД", "Обща сума :", "300.30",
                               "Брой съобщения :", "Съставил :", "Проверил :", "Mon, 7 December 2026"}) {
    EXPECT_TRUE(text.contains(Qs(expected))) << expected << "\n" << text.toStdString();
  }
  const QString control = ui::ToQt(form->payDay().StoredControlString);
  EXPECT_EQ(control.size(), 8);
  EXPECT_TRUE(text.contains(control)) << text.toStdString();
  EXPECT_TRUE(text.contains(Qs("0712260000000000000030030000003"))) << text.toStdString();
  // A cancelled dialog writes no header: the body-only file stays.
  const std::string body = ReadFileBytes(dir.File("O071226p.dp0"));
  EXPECT_EQ(body.size(), 3 * (kPaymentFileLineLength + 2));
}

}  // namespace
}  // namespace zel::test
