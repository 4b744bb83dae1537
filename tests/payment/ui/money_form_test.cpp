#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <tuple>

#include "common/file_io.h"
#include "common/text.h"
#include "common/ui/QtText.h"
#include "pay_day_data.h"
#include "payment/payment_file.h"
#include "payment/ui/TFMoneyForm.h"
#include "payment/ui/TFmassout.h"
#include "payment/ui/TFormEditMoney.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/Keyboard.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TFMoneyForm;
using ui::TFormEditMoney;

void Flush() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> SplitCrLf(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(content.substr(start, end - start));
  }
  EXPECT_EQ(start, content.size()) << "the last line has no CR LF";
  return lines;
}

// The value printed to the right of a label on the control sheet.
std::string PrintedAfter(const FakePrinter& printer, const std::string& label) {
  const std::vector<std::string> texts = printer.Texts();
  for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
    if (texts[i] == label) return texts[i + 1];
  }
  return "(not printed)";
}

class MoneyFormTest : public WindowTest {
protected:
  TFMoneyForm* OpenList() {
    Frame().ToolButton3Click();
    auto* form = qobject_cast<TFMoneyForm*>(Frame().child());
    EXPECT_NE(form, nullptr);
    return form;
  }
  static QListView* List(TFMoneyForm* form) { return form->findChild<QListView*>(Qs("ListBox1")); }
  static QPushButton* Button(QWidget* window, const char* name) {
    auto* button = window->findChild<QPushButton*>(Qs(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
  }
  static void Select(TFMoneyForm* form, int row) { List(form)->setCurrentIndex(List(form)->model()->index(row, 0)); }
  static TFormEditMoney* EditDialog(QWidget* dialog) {
    auto* edit = qobject_cast<TFormEditMoney*>(dialog);
    EXPECT_NE(edit, nullptr);
    return edit;
  }
  static std::string Amount(TFMoneyForm* form, int row) {
    return form->paymentList().lines[static_cast<std::size_t>(row)].NetAmount.str();
  }
};

TEST_F(MoneyFormTest, PayDayFromTheRegisterToTheBankFile) {
  WriteRegisterFile(PayDayStaff());
  {  // An earlier pay day left the third employee's amount and bank code.
    PaymentList earlier;
    ASSERT_TRUE(LoadPaymentList(SystemFileSystem(), earlier).ok());
    earlier.lines[2].NetAmount.assign("300.30");
    earlier.lines[2].BankCode.assign("96611020");
    ASSERT_TRUE(SavePaymentList(SystemFileSystem(), earlier, {}).ok());
  }
  const std::string storedBefore = ReadFileBytes(dir.File("masspIB.dat"));
  StoreCompany(settings);

  Frame().show();
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
  auto* form = qobject_cast<TFMoneyForm*>(Frame().child());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), Qs("Масово плащане - 3"));
  ASSERT_EQ(form->paymentList().lines.size(), 3u);
  EXPECT_EQ(form->SelectedIndex(), -1);

  // The first amount through "Редактиране".
  Select(form, 0);
  modal.Then([&](QWidget* dialog) {
    TFormEditMoney* edit = EditDialog(dialog);
    EXPECT_EQ(dialog->windowTitle(), Qs("Редактиране"));
    EXPECT_EQ(edit->Field(PaymentField::FullName)->text(), Qs("Иван Петров Иванов"));
    EXPECT_EQ(edit->Field(PaymentField::EGN)->text(), Qs("7501010010"));
    QTest::keyClicks(edit->Field(PaymentField::NetAmount), Qs("1234.5"));
    QTest::keyClicks(edit->Field(PaymentField::Reason), Qs("Avans"));
    FindButton(dialog, Qs("Потвърждаване"))->click();
  });
  Button(form, "B_edit")->click();
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(Amount(form, 0), "1234.50");
  EXPECT_EQ(form->SelectedIndex(), 0);

  // The second by Enter in the list, confirmed by Enter in the dialog.
  Select(form, 1);
  modal.Then([&](QWidget* dialog) {
    TFormEditMoney* edit = EditDialog(dialog);
    QTest::keyClicks(edit->Field(PaymentField::NetAmount), Qs(" 200 "));
    QTest::keyClicks(edit->Field(PaymentField::Reason), Qs("Avans"));
    QTest::keyClick(edit->Field(PaymentField::Reason), Qt::Key_Return);
  });
  QTest::keyClick(List(form), Qt::Key_Return);
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(Amount(form, 1), "200.00");
  EXPECT_EQ(Amount(form, 2), "300.30");

  // One reason for every line.
  dialogs.inputs.push_back(Qs("Заплата за ноември"));
  Button(form, "Button2")->click();
  ASSERT_EQ(dialogs.inputCalls.size(), 1u);
  EXPECT_EQ(dialogs.inputCalls[0].caption, Qs("Попълване на основание"));
  EXPECT_EQ(dialogs.inputCalls[0].prompt, Qs("Основание"));
  EXPECT_TRUE(dialogs.inputCalls[0].initial.isEmpty());
  for (const PaymentLine& line : form->paymentList().lines) EXPECT_EQ(line.Reason.str(), Cp("Заплата за ноември"));

  // "Запис във файл": the control sheet, then "Ok".
  const std::string fileName = "O071226p.dp0";
  std::string bodyOnly;
  modal.Then([&](QWidget* dialog) {
    auto* payFile = qobject_cast<ui::TFmassout*>(dialog);
    ASSERT_NE(payFile, nullptr);
    EXPECT_EQ(dialog->windowTitle(), Qs("Запис на файл"));
    EXPECT_EQ(payFile->Field(PayFileField::CompanyName)->text(), Qs("Торва ООД"));
    EXPECT_EQ(payFile->Field(PayFileField::PayDate)->text(), Qs("07.12.2026"));
    EXPECT_EQ(payFile->Field(PayFileField::SeqNo)->text(), Qs("0"));
    QAbstractButton* ok = FindButton(dialog, Qs("Ok"));
    EXPECT_FALSE(ok->isEnabled());
    FindButton(dialog, Qs("Печат на контролен лист"))->click();
    EXPECT_TRUE(ok->isEnabled());
    bodyOnly = ReadFileBytes(dir.File(fileName));
    ok->click();
  });

  Frame().FileSave1Execute();
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(printer.dialogs, 1);

  const std::string path = dir.File(fileName);
  ASSERT_TRUE(SystemFileSystem().Exists(path));
  const std::vector<std::string> lines = SplitCrLf(ReadFileBytes(path));
  ASSERT_EQ(lines.size(), 4u);
  const std::string control = form->payDay().StoredControlString;
  EXPECT_EQ(control.size(), 8u);
  EXPECT_EQ(lines[0],
            WinToMik("OMPDP;07122026;" + kCompanyIban + ";;" + Cp("Торва ООД") + ";1734.80;3;" + control + ";"));
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), kPaymentFileLineLength);
  // Under the header stand the very lines the control string was computed over.
  EXPECT_EQ(bodyOnly, lines[1] + "\r\n" + lines[2] + "\r\n" + lines[3] + "\r\n");
  EXPECT_EQ(PrintedAfter(printer, Cp("Контрола :")), control);
  EXPECT_EQ(PrintedAfter(printer, Cp("Обща сума :")), "1734.80 EUR");
  EXPECT_EQ(PrintedAfter(printer, Cp("Брой съобщения :")), "3");
  ASSERT_FALSE(messages.log.empty());
  EXPECT_EQ(messages.log.back().kind, "show");
  EXPECT_EQ(messages.log.back().text,
            Cp("Файлът за масово плащане е \"") + files::FullPath(SystemFileSystem(), fileName) + "\"");

  // Closing writes the lines back; the previous file becomes the backup.
  Button(form, "B_Close")->click();
  Flush();
  EXPECT_EQ(Frame().child(), nullptr);
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.bak")), storedBefore);
  PaymentList stored;
  ASSERT_TRUE(LoadPaymentList(SystemFileSystem(), stored).ok());
  ASSERT_EQ(stored.lines.size(), 3u);
  EXPECT_EQ(stored.lines[0].NetAmount.str(), "1234.50");
  EXPECT_EQ(stored.lines[1].NetAmount.str(), "200.00");
  EXPECT_EQ(stored.lines[2].NetAmount.str(), "300.30");
  EXPECT_EQ(stored.lines[2].BankCode.str(), "96611020");
  EXPECT_EQ(stored.lines[1].Reason.str(), Cp("Заплата за ноември"));
  EXPECT_EQ(messages.log.size(), 1u);  // nothing but the closing message of the file
}

// The keyboard alone. The list opens with no line selected; Enter or Space on
// a button presses that button; the edit dialog is left by Enter on "Отказ",
// which throws its edit away. Closing writes the lines back, as it always does.
TEST_F(MoneyFormTest, KeyboardAloneTabEnterAndSpace) {
  WriteRegisterFile(PayDayStaff());
  Frame().show();
  TFMoneyForm* form = OpenList();
  EXPECT_EQ(TabWalk(form), Names({"ListBox1", "B_edit", "Button2", "B_Print", "CheckBox1", "B_Close", "ListBox1"}));
  const std::tuple<const char*, Qt::Key, std::string> rows[] = {
      {"ListBox1", Qt::Key_Return, ""},
      {"B_edit", Qt::Key_Return, ""},
      {"B_edit", Qt::Key_Space, ""},
      {"Button2", Qt::Key_Return, "input"},
      {"Button2", Qt::Key_Space, "input"},
      {"B_Print", Qt::Key_Return, "print"},
      {"B_Print", Qt::Key_Space, "print"},
      {"CheckBox1", Qt::Key_Return, ""},
      {"CheckBox1", Qt::Key_Space, "ticked"},
      {"ListBox1", Qt::Key_Down, "line 0"},
      {"ListBox1", Qt::Key_Return, "Редактиране"},
      {"B_edit", Qt::Key_Return, "Редактиране"},
      {"B_edit", Qt::Key_Space, "Редактиране"},
      {"B_Close", Qt::Key_Return, "closed"},
  };
  for (const auto& [widget, key, what] : rows) {
    EXPECT_EQ(Press(form, widget, key), what) << widget << " " << QKeySequence(key).toString().toStdString();
  }
  form = OpenList();
  EXPECT_EQ(Press(form, "B_Close", Qt::Key_Space), "closed");
  EXPECT_TRUE(SystemFileSystem().Exists(dir.File("masspIB.bak")));  // written at each close
  PaymentList stored;
  ASSERT_TRUE(LoadPaymentList(SystemFileSystem(), stored).ok());
  for (const PaymentLine& line : stored.lines) EXPECT_EQ(line.NetAmount.str(), "");
}

// The edit dialog by the keyboard alone: Tab goes round the amount, the
// reason and the buttons; Enter or Space on a button presses that button;
// Enter in a field confirms.
TEST_F(MoneyFormTest, EditDialogKeyboardAloneTabEnterAndSpace) {
  const KeyPress presses[] = {
      {"B_Ok", Qt::Key_Return, QDialog::Accepted},     {"B_Ok", Qt::Key_Space, QDialog::Accepted},
      {"B_Cancel", Qt::Key_Return, QDialog::Rejected}, {"B_Cancel", Qt::Key_Space, QDialog::Rejected},
      {"Edit7", Qt::Key_Enter, QDialog::Accepted},     {"Edit6", Qt::Key_Escape, QDialog::Rejected}};
  for (const KeyPress& press : presses) {
    PaymentLine line = ZeroPaymentLine();
    line.Employee = MakeEmployee(PayDayStaff()[0]);
    int result = kStaysOpen;
    modal.Then([&](QWidget* d) {
      EXPECT_EQ(TabWalk(d), Names({"Edit6", "Edit7", "B_Ok", "B_Cancel", "Edit6"}));
      QTest::keyClicks(d->findChild<QWidget*>(Qs("Edit6")), Qs("100"));
      QTest::keyClicks(d->findChild<QWidget*>(Qs("Edit7")), Qs("Avans"));
      result = PressIn(d, press);
    });
    TFormEditMoney(messages, Currency::Leva).EditPayment(Qs("Редактиране"), line);
    EXPECT_EQ(result, press.result) << Describe(press);
    EXPECT_EQ(line.NetAmount.str(), press.result == QDialog::Accepted ? "100.00" : "") << Describe(press);
  }
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(MoneyFormTest, EditDialogRefusesBadInputAndEscapeLeavesTheLine) {
  WriteRegisterFile(PayDayStaff());
  TFMoneyForm* form = OpenList();
  Select(form, 0);
  modal.Then([&](QWidget* dialog) {
    TFormEditMoney* edit = EditDialog(dialog);
    QLineEdit* amount = edit->Field(PaymentField::NetAmount);
    QLineEdit* reason = edit->Field(PaymentField::Reason);
    for (PaymentField field : {PaymentField::FullName, PaymentField::EGN, PaymentField::Account, PaymentField::IBAN,
                               PaymentField::BankCode}) {
      QLineEdit* shown = edit->Field(field);
      EXPECT_TRUE(shown->isReadOnly());
      EXPECT_FALSE(shown->focusPolicy() & Qt::TabFocus);
      EXPECT_EQ(shown->palette().color(QPalette::Base), dialog->palette().color(QPalette::Window));
    }
    for (std::size_t i = 0; i < kPaymentFieldCount; ++i) {
      const FieldInfo& info = PaymentFieldTable()[i];
      bool found = false;
      for (auto* label : dialog->findChildren<QLabel*>()) {
        if (label->buddy() == edit->Field(static_cast<PaymentField>(i))) found = label->text() == ui::ToQt(info.label);
      }
      EXPECT_TRUE(found) << info.label;
    }
    EXPECT_EQ(reason->maxLength(), 60);

    FindButton(dialog, Qs("Потвърждаване"))->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(messages.log.back().text, Cp("Чиста сума за получаване не е попълнено !"));
    EXPECT_EQ(dialog->focusWidget(), amount);

    QTest::keyClicks(amount, Qs("0.50"));
    FindButton(dialog, Qs("Потвърждаване"))->click();
    EXPECT_EQ(messages.log.back().text, Cp("Основание не е попълнено !"));
    EXPECT_EQ(dialog->focusWidget(), reason);

    QTest::keyClicks(reason, Qs("Avans"));
    FindButton(dialog, Qs("Потвърждаване"))->click();
    EXPECT_EQ(messages.log.back().text, Cp("Чиста сума за получаване не е валидна !"));
    EXPECT_EQ(dialog->focusWidget(), amount);
    EXPECT_TRUE(dialog->isVisible());

    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  Button(form, "B_edit")->click();
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(messages.log.size(), 3u);
  EXPECT_EQ(Amount(form, 0), "");
  EXPECT_EQ(form->paymentList().lines[0].Reason.str(), "");
}

TEST_F(MoneyFormTest, WrongIbanPointsAtTheFieldThatCannotBeEditedHere) {
  std::string wrong = IbanFor("BNBG96611020345671");
  wrong.back() = wrong.back() == '9' ? '0' : static_cast<char>(wrong.back() + 1);
  WriteRegisterFile({{"Иван Петров", "7501010010", "1000000001", wrong}});
  TFMoneyForm* form = OpenList();
  ASSERT_EQ(form->paymentList().lines.size(), 1u);
  Select(form, 0);
  modal.Then([&](QWidget* dialog) {
    TFormEditMoney* edit = EditDialog(dialog);
    QTest::keyClicks(edit->Field(PaymentField::NetAmount), Qs("100"));
    QTest::keyClicks(edit->Field(PaymentField::Reason), Qs("Avans"));
    QTest::keyClick(edit->Field(PaymentField::Reason), Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(messages.log.back().text, Cp("IBAN сметка не е валиден !"));
    EXPECT_EQ(dialog->focusWidget(), edit->Field(PaymentField::IBAN));
    FindButton(dialog, Qs("Отказ"))->click();
  });
  QTest::keyClick(List(form), Qt::Key_Enter);
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(Amount(form, 0), "");
}

TEST_F(MoneyFormTest, DoubleClickEditsTheLineAndNothingHappensWithoutASelection) {
  WriteRegisterFile(PayDayStaff());
  Frame().show();
  TFMoneyForm* form = OpenList();
  QApplication::processEvents();

  // No line selected: Enter and "Редактиране" open nothing.
  QTest::keyClick(List(form), Qt::Key_Return);
  Button(form, "B_edit")->click();
  EXPECT_EQ(modal.shown(), 0);

  modal.Then([&](QWidget* dialog) {
    TFormEditMoney* edit = EditDialog(dialog);
    EXPECT_EQ(edit->Field(PaymentField::EGN)->text(), Qs("8002020020"));
    QTest::keyClicks(edit->Field(PaymentField::NetAmount), Qs("1e3"));
    QTest::keyClicks(edit->Field(PaymentField::Reason), Qs("Avans"));
    FindButton(dialog, Qs("Потвърждаване"))->click();
  });
  QListView* list = List(form);
  const QPoint second = list->visualRect(list->model()->index(1, 0)).center();
  // A double click as the window system delivers it: press, release, double click.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(modal.shown(), 1);
  EXPECT_EQ(Amount(form, 1), "1000.00");
  EXPECT_EQ(Amount(form, 0), "");
}

TEST_F(MoneyFormTest, ReasonForAllIsCutTo60AndCancelChangesNothing) {
  WriteRegisterFile(PayDayStaff());
  TFMoneyForm* form = OpenList();
  dialogs.inputs.push_back(QString(70, QLatin1Char('r')));
  dialogs.inputs.push_back(std::nullopt);
  Button(form, "Button2")->click();
  for (const PaymentLine& line : form->paymentList().lines) EXPECT_EQ(line.Reason.str(), std::string(60, 'r'));
  Button(form, "Button2")->click();
  EXPECT_EQ(dialogs.inputCalls.size(), 2u);
  for (const PaymentLine& line : form->paymentList().lines) EXPECT_EQ(line.Reason.str(), std::string(60, 'r'));
}

TEST_F(MoneyFormTest, EmptyListAsksForNoReasonAndSavesNothingWithoutARegister) {
  TFMoneyForm* form = OpenList();
  EXPECT_EQ(form->windowTitle(), Qs("Масово плащане"));
  Button(form, "Button2")->click();
  EXPECT_TRUE(dialogs.inputCalls.empty());
  Button(form, "B_Close")->click();
  Flush();
  EXPECT_EQ(Frame().child(), nullptr);
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("masspIB.dat")));
}

TEST_F(MoneyFormTest, CaptionWithoutStoredListAndFirstSave) {
  WriteRegisterFile(PayDayStaff());
  TFMoneyForm* form = OpenList();
  // Built from the register alone: no count.
  EXPECT_EQ(form->windowTitle(), Qs("Масово плащане"));
  Button(form, "B_Close")->click();
  Flush();
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat")).size(), 3 * sizeof(PaymentRecord));
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("masspIB.bak")));
  form = OpenList();
  EXPECT_EQ(form->windowTitle(), Qs("Масово плащане - 3"));
}

TEST_F(MoneyFormTest, FailedSaveKeepsTheWindowAndItsLines) {
  WriteRegisterFile(PayDayStaff());
  TFMoneyForm* form = OpenList();
  dialogs.inputs.push_back(Qs("Заплата"));
  Button(form, "Button2")->click();

  files.fail = FailingFileSystem::Step::Rename;
  Button(form, "B_Close")->click();
  files.fail = FailingFileSystem::Step::None;
  Flush();
  ASSERT_EQ(Frame().child(), form);
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "error");
  EXPECT_EQ(form->paymentList().lines.size(), 3u);
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("masspIB.dat")));

  // The next close saves what was typed.
  Button(form, "B_Close")->click();
  Flush();
  EXPECT_EQ(Frame().child(), nullptr);
  PaymentList stored;
  ASSERT_TRUE(LoadPaymentList(SystemFileSystem(), stored).ok());
  ASSERT_EQ(stored.lines.size(), 3u);
  EXPECT_EQ(stored.lines[0].Reason.str(), Cp("Заплата"));
}

TEST_F(MoneyFormTest, UnreadableRegisterOpensNoWindowAndKeepsTheStoredList) {
  std::filesystem::create_directory(dir.File("employIB.dat"));
  WriteFileBytes(dir.File("masspIB.dat"), std::string(136, 'x'));
  Frame().ToolButton3Click();
  Flush();
  EXPECT_EQ(Frame().child(), nullptr);
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "error");
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat")), std::string(136, 'x'));
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("masspIB.bak")));
}

TEST_F(MoneyFormTest, WindowMaximisesButDoesNotMinimiseAndKeepsEndAtTheRight) {
  WriteRegisterFile(PayDayStaff());
  Frame().show();
  TFMoneyForm* form = OpenList();
  auto* window = qobject_cast<QMdiSubWindow*>(form->parentWidget());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(form->size(), QSize(544, 370));
  EXPECT_EQ(form->font().family(), Qs("Times New Roman"));
  EXPECT_EQ(form->font().pixelSize(), 10);

  auto* panel = form->findChild<QFrame*>(Qs("Panel1"));
  QPushButton* close = Button(form, "B_Close");
  auto* check = form->findChild<QCheckBox*>(Qs("CheckBox1"));
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->text(), Qs("Покажи стари сметки"));
  EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(panel->height(), 37);
  for (int width : {800, 544}) {
    window->resize(width, 400);
    QApplication::processEvents();
    EXPECT_EQ(close->x(), panel->width() - close->width() - 10) << width;
  }
  // As narrow as the window goes, "Край" still keeps clear of the check box.
  window->resize(100, 400);
  QApplication::processEvents();
  EXPECT_GE(close->x(), check->geometry().right());
  EXPECT_EQ(List(form)->model()->rowCount(), 3);
}

TEST_F(MoneyFormTest, OldAccountsReplaceTheIbansWhileTheBoxIsTicked) {
  WriteRegisterFile(PayDayStaff());
  Frame().show();
  TFMoneyForm* form = OpenList();
  auto* check = form->findChild<QCheckBox*>(Qs("CheckBox1"));
  QWidget* lines = List(form)->viewport();
  QApplication::processEvents();
  const QImage ibans = lines->grab().toImage();
  check->click();
  QApplication::processEvents();
  const QImage accounts = lines->grab().toImage();
  EXPECT_NE(accounts, ibans);
  check->click();
  QApplication::processEvents();
  EXPECT_EQ(lines->grab().toImage(), ibans);
}

}  // namespace
}  // namespace zel::test
