#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>

#include "common/currency.h"
#include "common/data_files.h"
#include "common/ui/QtText.h"
#include "pay_day_data.h"
#include "payment/sepa_dialog.h"
#include "payment/ui/TFMoneyForm.h"
#include "payment/ui/TFSepaFile.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/Keyboard.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;

class SepaWindowTest : public WindowTest {
protected:
  // The mass payment list of PayDayStaff, two of its three lines with an amount.
  void OpenList() {
    WriteRegisterFile(PayDayStaff());
    PaymentList earlier;
    ASSERT_TRUE(LoadPaymentList(SystemFileSystem(), earlier).ok());
    earlier.lines[0].NetAmount.assign("100.10");
    earlier.lines[0].Reason.assign(Cp("Заплата за ноември"));
    earlier.lines[1].NetAmount.assign("200.20");
    ASSERT_TRUE(SavePaymentList(SystemFileSystem(), earlier, {}).ok());
    StoreCompany(settings);
    Frame().ToolButton3Click();
    ASSERT_NE(qobject_cast<ui::TFMoneyForm*>(Frame().child()), nullptr);
  }
  static QLineEdit* F(QWidget* d, SepaField field) { return static_cast<ui::TFSepaFile*>(d)->Field(field); }
  static QAbstractButton* Write(QWidget* d) { return FindButton(d, Qs("Запис")); }
  static void Print(QWidget* d) { FindButton(d, Qs("Печат на контролен лист"))->click(); }
  static void Retype(QLineEdit* field, const char* text) {
    field->selectAll();
    QTest::keyClicks(field, Qs(text));
  }
};

TEST_F(SepaWindowTest, ALevaFolderIsRefusedWithTheEuroMessage) {
  folder.currency = Currency::Leva;
  OpenList();
  Frame().SepaItemClick();
  EXPECT_EQ(modal.shown(), 0);
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].text, LevaRefusalMessage());
}

// The road: a date without payments refused with the next working day
// named, "Запис" only after the sheet and taken back by a change, the file
// written where the user says, its name proposed in the data folder.
TEST_F(SepaWindowTest, DateRefusalSheetBeforeWriteAndTheFileWritten) {
  OpenList();
  const std::string path = dir.File("pay.xml");
  dialogs.saveNames.push_back(QString::fromStdString(path));
  modal.Then([&](QWidget* d) {
    EXPECT_EQ(d->windowTitle(), Qs("SEPA файл (XML)"));
    EXPECT_EQ(F(d, SepaField::PayerName)->text(), Qs("Torva OOD"));
    EXPECT_EQ(F(d, SepaField::ExecutionDate)->text(), Qs("08.12.2026"));
    EXPECT_EQ(TabWalk(d),
              Names({"Edit1", "Edit2", "Edit3", "Edit4", "ComboBox1", "CheckBox1", "B_Print", "B_Cancel", "Edit1"}));
    EXPECT_FALSE(Write(d)->isEnabled());

    Retype(F(d, SepaField::ExecutionDate), "12/12/2026");
    Print(d);
    EXPECT_EQ(messages.log.back().text,
              Cp("Дата на изпълнение 12.12.2026 не е работен ден ! Следващият работен ден е 14.12.2026."));
    EXPECT_EQ(d->focusWidget(), F(d, SepaField::ExecutionDate));
    EXPECT_EQ(printer.dialogs, 0);
    EXPECT_FALSE(Write(d)->isEnabled());

    Retype(F(d, SepaField::ExecutionDate), "14.12.2026");
    d->findChild<QComboBox*>(Qs("ComboBox1"))->setCurrentIndex(1);  // .03
    Print(d);
    EXPECT_TRUE(Write(d)->isEnabled());
    QTest::keyClicks(F(d, SepaField::PayerBic), Qs("bnbgbgsf"));
    EXPECT_FALSE(Write(d)->isEnabled()) << "a change after the sheet";
    Print(d);
    EXPECT_EQ(F(d, SepaField::PayerBic)->text(), Qs("BNBGBGSF"));
    ASSERT_TRUE(Write(d)->isEnabled());
    QTest::keyClick(Write(d), Qt::Key_Return);
  });
  Frame().SepaItemClick();
  EXPECT_TRUE(WaitUntilNoModal());

  EXPECT_EQ(printer.dialogs, 2);
  EXPECT_EQ(dialogs.lastOffer.filter, Qs("SEPA XML (*.xml)"));
  EXPECT_EQ(dialogs.lastOffer.suggested.toStdString(), DataDir() + "SEPA-20261214-1.xml");
  ASSERT_TRUE(std::filesystem::exists(path));
  const std::string xml = ReadFileBytes(path);
  for (const char* part :
       {"pain.001.001.03", "<ReqdExctnDt>2026-12-14</ReqdExctnDt>", "<BIC>BNBGBGSF</BIC>", "<CtrlSum>300.30</CtrlSum>",
        "<Nm>Ivan Petrov Ivanov</Nm>", "<Ustrd>Zaplata za noemvri</Ustrd>", "<MsgId>ZEL20261207101112-1</MsgId>"}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(ReadSepaCount(SystemFileSystem()), 1u);
  const std::vector<std::string> texts = printer.Texts();
  for (const char* printed : {"ZEL20261207101112-1", "300.30 EUR", "Petar Stoyanov", "няма сума"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), Cp(printed)), texts.end()) << printed;
  }
  EXPECT_EQ(messages.log.back().text, SepaWrittenMessage(path));

  // The file as the schema of its version takes it, where the checker and the schemas are at hand.
  const QString xmllint = QStandardPaths::findExecutable(Qs("xmllint"));
  const QString schema = QProcessEnvironment::systemEnvironment().value(Qs("ZEL_SEPA_SCHEMAS"), Qs(ZEL_SEPA_SCHEMAS)) +
                         Qs("/sepa/pain.001.001.03.xsd");
  if (xmllint.isEmpty() || !std::filesystem::exists(schema.toStdString())) {
    if (qEnvironmentVariableIsSet("ZEL_SEPA_PEERS_REQUIRED")) FAIL() << "xmllint or the schemas are missing";
    GTEST_SKIP() << "xmllint or the schemas are not installed (scripts/setup)";
  }
  QProcess check;
  check.start(xmllint, {Qs("--noout"), Qs("--schema"), schema, QString::fromStdString(path)});
  ASSERT_TRUE(check.waitForFinished(20000));
  EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace zel::test
