#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTableView>

#include "common/cp1251.h"
#include "common/ui/QtText.h"
#include "pay_day_data.h"
#include "payment/payment_csv.h"
#include "payment/ui/TFImportColumns.h"
#include "payment/ui/TFImportPreview.h"
#include "payment/ui/TFMoneyForm.h"
#include "personnel/register_csv.h"
#include "personnel/register_files.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::ToQt;

class AmountImportWindowTest : public WindowTest {
protected:
  ui::TFMoneyForm* OpenList() {
    WriteRegisterFile(PayDayStaff());
    Frame().ToolButton3Click();
    return qobject_cast<ui::TFMoneyForm*>(Frame().child());
  }
  void Trigger(const char* action) {
    QAction* item = Frame().findChild<QAction*>(Qs(action));
    ASSERT_TRUE(item != nullptr && item->isEnabled()) << action;
    item->trigger();
    ASSERT_TRUE(WaitUntilNoModal());
  }
  static QString Text(QWidget* dialog, const char* label) { return dialog->findChild<QLabel*>(Qs(label))->text(); }
  static std::vector<std::string> Amounts(const ui::TFMoneyForm* form) {
    std::vector<std::string> amounts;
    for (const PaymentLine& line : form->paymentList().lines) amounts.push_back(line.NetAmount.str());
    return amounts;
  }
};

TEST_F(AmountImportWindowTest, FromTheMenuThroughThePreviewIntoTheList) {
  ui::TFMoneyForm* form = OpenList();
  ASSERT_NE(form, nullptr);
  WriteFileBytes(dir.File("net.csv"),
                 "\xEF\xBB\xBF"
                 "ЕГН;Име;Сума за превод\r\n"
                 "7501010010;Иван Петров Иванов;1 234,56\r\n"
                 "8002020020;Мария Георгиева Димитрова;200\r\n"
                 "7004040040;Напуснал Служител;50\r\n");
  dialogs.openNames.push_back(QString::fromStdString(dir.File("net.csv")));
  modal.Then([&](QWidget* dialog) {
    ASSERT_NE(qobject_cast<ui::TFImportPreview*>(dialog), nullptr);
    EXPECT_EQ(dialog->windowTitle(), Qs("Внос на суми от файл"));
    const QAbstractItemModel* lines = dialog->findChild<QTableView*>(Qs("Grid"))->model();
    ASSERT_EQ(lines->rowCount(), 3);
    EXPECT_EQ(lines->index(2, static_cast<int>(PreviewColumn::Verdict)).data().toString(), Qs("напуснал"));
    EXPECT_EQ(Text(dialog, "Changes"), Qs("2"));
    EXPECT_EQ(Text(dialog, "TotalNow"), Qs("0.00 EUR"));
    EXPECT_EQ(Text(dialog, "TotalAfter"), Qs("1434.56 EUR"));
    FindButton(dialog, Qs("Приложи"))->click();
  });
  Trigger("ImportItem");
  EXPECT_EQ(dialogs.lastOffer.filter, Qs("Таблица CSV (*.csv *.txt)"));
  EXPECT_EQ(Amounts(form), (std::vector<std::string>{"1234.56", "200.00", ""}));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(AmountImportWindowTest, WithoutAHeaderTheColumnsAreChosenAndCancelChangesNothing) {
  ui::TFMoneyForm* form = OpenList();
  ASSERT_NE(form, nullptr);
  WriteFileBytes(dir.File("net.txt"), "1;7501010010;1234,56\n2;8002020020;99,00\n");
  dialogs.openNames.push_back(QString::fromStdString(dir.File("net.txt")));
  modal.Then([&](QWidget* dialog) {
    ASSERT_NE(qobject_cast<ui::TFImportColumns*>(dialog), nullptr);
    EXPECT_EQ(dialog->findChild<QComboBox*>(Qs("EgnColumn"))->currentIndex(), 1);
    EXPECT_EQ(dialog->findChild<QComboBox*>(Qs("AmountColumn"))->currentIndex(), 2);
    FindButton(dialog, Qs("Потвърждаване"))->click();
  });
  modal.Then([&](QWidget* dialog) {
    EXPECT_EQ(Text(dialog, "Changes"), Qs("2"));
    FindButton(dialog, Qs("Отказ"))->click();
  });
  Trigger("ImportItem");
  EXPECT_EQ(Amounts(form), (std::vector<std::string>{"", "", ""}));

  // A file with nothing to import says so, and shows neither dialog.
  WriteFileBytes(dir.File("names.csv"), "ЕГН;Сума\nИван;Петров\n");
  WriteFileBytes(dir.File("notes.txt"), "Бележки за май\nИван Петров 1234\n");
  for (const char* file : {"names.csv", "notes.txt"}) {
    dialogs.openNames.push_back(QString::fromStdString(dir.File(file)));
    Trigger("ImportItem");
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), Cp("Във файла „") + dir.File(file) + Cp("“ няма ред с ЕГН и сума."));
  }
  EXPECT_EQ(messages.Texts().size(), 2u);
}

TEST_F(AmountImportWindowTest, EachListGoesToTheFileTheUserNames) {
  ui::TFMoneyForm* form = OpenList();
  ASSERT_NE(form, nullptr);
  dialogs.saveNames.push_back(QString::fromStdString(dir.File("list.csv")));
  Trigger("ExportItem");
  EXPECT_TRUE(dialogs.lastOffer.suggested.endsWith(Qs("Масово плащане.csv")));
  EXPECT_EQ(ReadFileBytes(dir.File("list.csv")), PaymentListCsv(form->paymentList()));
  form->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  Frame().FileOpen1Execute();
  dialogs.saveNames.push_back(QString::fromStdString(dir.File("staff.csv")));
  Trigger("ExportItem");
  Register reg;
  reg.SetCurrency(folder.currency);
  ASSERT_TRUE(LoadRegister(SystemFileSystem(), reg).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("staff.csv")), RegisterCsv(reg));
}

}  // namespace
}  // namespace zel::test
