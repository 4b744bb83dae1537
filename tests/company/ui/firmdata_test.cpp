#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "common/cp1251.h"
#include "common/ui/QtText.h"
#include "company/ui/QtSettingsStore.h"
#include "company/ui/TFfirmdata.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/Keyboard.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TFfirmdata;

const char kIban[] = "BG76QRVA91501234567890";

void Key(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

// Types as a user would, one character at a time, into the focused field.
void Type(QWidget* target, const QString& text) {
  for (QChar ch : text) Key(target, 0, QString(ch));
}

QLineEdit* Edit(QWidget* dialog, int n) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
  EXPECT_NE(edit, nullptr) << n;
  return edit;
}

QPushButton* Button(QWidget* dialog, const char* name) {
  auto* button = dialog->findChild<QPushButton*>(Qs(name));
  EXPECT_NE(button, nullptr) << name;
  return button;
}

void Fill(QWidget* dialog, const char* name, const char* code, const char* account, const char* iban) {
  const char* texts[] = {name, code, account, iban};
  for (int i = 0; i < 4; ++i) {
    Edit(dialog, i + 1)->clear();
    Edit(dialog, i + 1)->setFocus();
    Type(Edit(dialog, i + 1), Qs(texts[i]));
  }
}

class FirmDataTest : public WindowTest {
protected:
  void StoreSample() {
    settings.keyExists = true;
    settings.values = {{"ClientName", Cp("Нурвек АД")},
                       {"CodeBUS", "62196214"},
                       {"ClientAcc", "1012345675"},
                       {"IBANClientAcc", kIban}};
  }
  // Runs the command of the main window with `step` as the user's work in the dialog.
  void OpenWith(std::function<void(TFfirmdata*)> step) {
    modal.Then([step](QWidget* dialog) {
      auto* firmdata = qobject_cast<TFfirmdata*>(dialog);
      ASSERT_NE(firmdata, nullptr);
      step(firmdata);
      // A step that leaves the dialog open cancels it, as the user would.
      if (firmdata->isVisible()) firmdata->reject();
    });
    Frame().firmDataClick();
    EXPECT_TRUE(WaitUntilNoModal());
  }
};

TEST_F(FirmDataTest, FieldsLabelsAndButtonsAsTheFormHasThem) {
  TFfirmdata dialog(services);
  EXPECT_EQ(dialog.windowTitle(), Qs("Данни за фирмата"));
  EXPECT_EQ(dialog.font().family(), Qs("Times New Roman"));
  EXPECT_EQ(dialog.font().pixelSize(), 10);
  const Qt::WindowFlags flags = dialog.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
  dialog.adjustSize();
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());

  const std::pair<const char*, int> fields[] = {{"Наименование на фирмата", 26},
                                                {"Код по БУС", 8},
                                                {"Сметка на наредителя", 10},
                                                {"IBAN сметка на наредителя", 22}};
  for (int i = 0; i < 4; ++i) {
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), Qs(fields[i].first));
    EXPECT_EQ(label->buddy(), Edit(&dialog, i + 1));
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    EXPECT_EQ(Edit(&dialog, i + 1)->maxLength(), fields[i].second);
  }
  EXPECT_EQ(Button(&dialog, "B_Ok")->text(), Qs("Ok"));
  EXPECT_EQ(Button(&dialog, "CancelBtn")->text(), Qs("Отказ"));
  EXPECT_FALSE(Button(&dialog, "B_Ok")->isDefault());
  EXPECT_NE(dialog.findChild<QWidget*>(Qs("Panel1")), nullptr);
}

TEST_F(FirmDataTest, FirstUseStartsEmptyAndEachCheckNamesItsFieldAndFocusesIt) {
  OpenWith([&](TFfirmdata* dialog) {
    EXPECT_EQ(dialog->focusWidget(), Edit(dialog, 1));
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(Edit(dialog, i)->text().isEmpty()) << i;

    Button(dialog, "B_Ok")->click();
    ASSERT_EQ(messages.log.size(), 1u);
    EXPECT_EQ(messages.log[0].kind, "show");
    EXPECT_EQ(messages.log[0].text, Cp("Наименование на фирмата не е попълнено !"));
    EXPECT_EQ(dialog->focusWidget(), Edit(dialog, 1));

    Fill(dialog, "Нурвек АД", "", "", "");
    Button(dialog, "B_Ok")->click();
    ASSERT_EQ(messages.log.size(), 2u);
    EXPECT_EQ(messages.log[1].text, Cp("IBAN сметка на наредителя не е попълнено !"));
    EXPECT_EQ(dialog->focusWidget(), Edit(dialog, 4));

    // Lower case is another bank's IBAN as far as the check goes.
    Fill(dialog, "Нурвек АД", "", "", "bg76qrva91501234567890");
    Edit(dialog, 1)->setFocus();
    Button(dialog, "B_Ok")->click();
    ASSERT_EQ(messages.log.size(), 3u);
    EXPECT_EQ(messages.log[2].text, Cp("IBAN сметка на наредителя не е валиден или не е на ЖТМ !"));
    EXPECT_EQ(dialog->focusWidget(), Edit(dialog, 4));

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(settings.writes.empty());
  });
}

TEST_F(FirmDataTest, OkSavesTheFourValuesInOrderAndReopeningShowsThem) {
  OpenWith([&](TFfirmdata* dialog) {
    // Bank code and account may stay empty.
    Fill(dialog, "Нурвек АД", "", "", kIban);
    Button(dialog, "B_Ok")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
  });
  EXPECT_TRUE(messages.log.empty());
  EXPECT_EQ(settings.writes, (std::vector<std::string>{"ClientName", "CodeBUS", "ClientAcc", "IBANClientAcc"}));
  EXPECT_EQ(settings.values.at("ClientName"), Cp("Нурвек АД"));
  EXPECT_EQ(settings.values.at("CodeBUS"), "");
  EXPECT_EQ(settings.values.at("ClientAcc"), "");
  EXPECT_EQ(settings.values.at("IBANClientAcc"), kIban);

  settings.values["CodeBUS"] = "62196214";  // as the payment file dialog would have stored it
  OpenWith([&](TFfirmdata* dialog) {
    EXPECT_EQ(Edit(dialog, 1)->text(), Qs("Нурвек АД"));
    EXPECT_EQ(Edit(dialog, 2)->text(), Qs("62196214"));
    EXPECT_EQ(Edit(dialog, 3)->text(), QString());
    EXPECT_EQ(Edit(dialog, 4)->text(), Qs(kIban));
  });
}

// The keyboard alone: Tab goes round the fields and the buttons; Enter or
// Space on a button presses that button; Enter in a field does nothing, for
// the dialog has no default button.
TEST_F(FirmDataTest, KeyboardAloneTabEnterAndSpace) {
  StoreSample();
  const KeyPress presses[] = {{"Edit2", Qt::Key_Return, kStaysOpen},
                              {"Edit4", Qt::Key_Enter, kStaysOpen},
                              {"B_Ok", Qt::Key_Return, QDialog::Accepted},
                              {"B_Ok", Qt::Key_Space, QDialog::Accepted},
                              {"CancelBtn", Qt::Key_Return, QDialog::Rejected},
                              {"CancelBtn", Qt::Key_Space, QDialog::Rejected}};
  for (const KeyPress& press : presses) {
    settings.writes.clear();
    int result = kStaysOpen;
    OpenWith([&](TFfirmdata* dialog) {
      EXPECT_EQ(TabWalk(dialog), Names({"Edit1", "Edit2", "Edit3", "Edit4", "B_Ok", "CancelBtn", "Edit1"}));
      result = PressIn(dialog, press);
    });
    EXPECT_EQ(result, press.result) << Describe(press);
    EXPECT_EQ(settings.writes.size(), press.result == QDialog::Accepted ? 4u : 0u) << Describe(press);
  }
}

// What the settings store holds is shown and saved back whole, also a name
// longer than the field takes; typing may shorten it but never lengthen it.
// A name with ";" is refused, as it would split the payment file's header.
TEST_F(FirmDataTest, StoredValuesStayWholeAndANameWithASemicolonIsRefused) {
  StoreSample();
  const QString name = Qs("Нурвек Информационни Системи АД");  // 31 characters, the field takes 26
  settings.values["ClientName"] = ui::FromQt(name);
  OpenWith([&](TFfirmdata* dialog) {
    EXPECT_EQ(Edit(dialog, 1)->text(), name);
    Button(dialog, "B_Ok")->click();
    EXPECT_FALSE(dialog->isVisible());
  });
  EXPECT_EQ(settings.values.at("ClientName"), ui::FromQt(name));

  OpenWith([&](TFfirmdata* dialog) {
    QLineEdit* edit = Edit(dialog, 1);
    edit->setFocus();
    edit->end(false);
    Type(edit, Qs("Я"));
    EXPECT_EQ(edit->text(), name);
    Key(edit, Qt::Key_Backspace);
    Type(edit, Qs("ДЯ"));
    EXPECT_EQ(edit->text(), name.chopped(1));
    // Once within the field's length, the field's length holds.
    edit->selectAll();
    Type(edit, QString(30, QChar(u'Ф')));
    EXPECT_EQ(edit->text(), QString(26, QChar(u'Ф')));

    edit->selectAll();
    Type(edit, Qs("Фирма; ООД"));
    Edit(dialog, 4)->setFocus();
    Button(dialog, "B_Ok")->click();
    ASSERT_EQ(messages.log.size(), 1u);
    EXPECT_EQ(messages.log[0].text, Cp("Наименование на фирмата не е валидно !"));
    EXPECT_EQ(dialog->focusWidget(), edit);
    EXPECT_TRUE(dialog->isVisible());
  });
  EXPECT_EQ(settings.writes.size(), 4u);  // the first "Ok" only
  EXPECT_EQ(settings.values.at("ClientName"), ui::FromQt(name));
}

TEST_F(FirmDataTest, EscapeAndCancelDiscardTheEdits) {
  StoreSample();
  const auto stored = settings.values;
  OpenWith([&](TFfirmdata* dialog) {
    Fill(dialog, "Друга фирма", "1", "2", kIban);
    Key(Edit(dialog, 4), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
  });
  OpenWith([&](TFfirmdata* dialog) {
    EXPECT_EQ(Edit(dialog, 1)->text(), Qs("Нурвек АД"));
    Fill(dialog, "Друга фирма", "1", "2", kIban);
    Button(dialog, "CancelBtn")->click();
    EXPECT_FALSE(dialog->isVisible());
  });
  EXPECT_TRUE(settings.writes.empty());
  EXPECT_EQ(settings.values, stored);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(FirmDataTest, FailedSaveIsReportedAndTheDialogStaysOpenForAnotherTry) {
  settings.failWritesFrom = 2;
  OpenWith([&](TFfirmdata* dialog) {
    Fill(dialog, "Нурвек АД", "62196214", "1012345675", kIban);
    Button(dialog, "B_Ok")->click();
    ASSERT_EQ(messages.log.size(), 1u);
    EXPECT_EQ(messages.log[0].kind, "error");
    EXPECT_EQ(messages.log[0].text, "Access denied");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Edit(dialog, 1)->text(), Qs("Нурвек АД"));

    settings.failWritesFrom = -1;
    Button(dialog, "B_Ok")->click();
    EXPECT_FALSE(dialog->isVisible());
  });
  EXPECT_EQ(settings.values.at("ClientAcc"), "1012345675");
  EXPECT_EQ(settings.values.at("IBANClientAcc"), kIban);
}

TEST_F(FirmDataTest, FieldsTakeNoMoreThanTheirLengthAndOnlyCodePageCharacters) {
  TFfirmdata dialog(services);
  Edit(&dialog, 2)->setFocus();
  Type(Edit(&dialog, 2), Qs("1234567890"));
  EXPECT_EQ(Edit(&dialog, 2)->text(), Qs("12345678"));
  Type(Edit(&dialog, 1), Qs("Фирма€✓"));
  EXPECT_EQ(Edit(&dialog, 1)->text(), Qs("Фирма€"));
}

TEST_F(FirmDataTest, OpensInEveryStateOfTheMainWindowAndIsDestroyedAfter) {
  Frame().OpenChild(new QWidget, ChildKind::Payment);
  QPointer<TFfirmdata> shown;
  modal.Then([&](QWidget* dialog) {
    shown = qobject_cast<TFfirmdata*>(dialog);
    static_cast<QDialog*>(dialog)->reject();
  });
  Frame().findChild<QAction*>(Qs("firmData"))->trigger();
  EXPECT_EQ(modal.shown(), 1);
  EXPECT_TRUE(shown.isNull());
  EXPECT_EQ(Frame().findChild<TFfirmdata*>(), nullptr);
}

// The dialog against Qt's settings file, as the program runs it.
TEST(FirmDataStoreTest, SavesIntoTheSettingsFileAndReportsAFolderItCannotWrite) {
  QTemporaryDir temp;
  FakeMessages messages;
  FakePrinter printer;
  FakeClock clock;
  ScriptedDialogs dialogs;
  ui::QtSettingsStore store(temp.filePath(QStringLiteral("Nurvek/Torva.conf")));
  DataFolder folder;
  ui::Services services{messages, store, printer, clock, dialogs, SystemFileSystem(), folder};
  {
    TFfirmdata dialog(services);
    Fill(&dialog, "Нурвек АД", "62196214", "", kIban);
    dialog.B_OkClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(ui::QtSettingsStore(temp.filePath(QStringLiteral("Nurvek/Torva.conf"))).Read("ClientName"),
            Cp("Нурвек АД"));
  {
    TFfirmdata reopened(services);
    EXPECT_EQ(Edit(&reopened, 2)->text(), Qs("62196214"));
  }

  // A folder that cannot be made, whoever runs the test: a file stands in its way.
  QFile blocker(temp.filePath(QStringLiteral("blocked")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  ui::QtSettingsStore unwritable(temp.filePath(QStringLiteral("blocked/Nurvek/Torva.conf")));
  ui::Services failing{messages, unwritable, printer, clock, dialogs, SystemFileSystem(), folder};
  TFfirmdata dialog(failing);
  dialog.show();
  Fill(&dialog, "Нурвек АД", "", "", kIban);
  dialog.B_OkClick();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "error");
  EXPECT_NE(messages.log[0].text.find("blocked"), std::string::npos);
}

}  // namespace
}  // namespace zel::test
