#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "personnel/employee_form.h"
#include "personnel/ui/TFormEditPerson.h"
#include "staff_window_support.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TFormEditPerson;

class EditPersonTest : public WindowTest {
protected:
  // Runs the dialog on `record` with `step` as the user's actions.
  bool Run(EmployeeRecord& record, ModalScript::Step step, const char* title = "Добавяне") {
    modal.Then(std::move(step));
    TFormEditPerson dialog(messages, list, nullptr);
    const bool confirmed = dialog.EditEmployee(Qs(title), record);
    EXPECT_TRUE(WaitUntilNoModal());
    return confirmed;
  }
  std::string LastMessage() const { return messages.log.empty() ? std::string() : messages.log.back().text; }
  static QString Text(QWidget* d, int number) { return Field(d, number)->text(); }
  static void Confirm(QWidget* d) { d->findChild<QPushButton*>(Qs("B_Ok"))->click(); }

  Register list;
};

TEST_F(EditPersonTest, NewRecordShowsDefaultsLabelsAndLimits) {
  EmployeeRecord record = ZeroEmployeeRecord();
  Run(record, [](QWidget* d) {
    EXPECT_EQ(d->windowTitle(), Qs("Добавяне"));
    EXPECT_EQ(Text(d, 10), Qs("802.00"));
    EXPECT_EQ(Text(d, 11), Qs("2.00"));
    const auto& table = EmployeeFieldTable();
    int centre = -1;
    for (int i = 1; i <= 15; ++i) {
      QLineEdit* edit = Field(d, i);
      if (i != 10 && i != 11) {
        EXPECT_TRUE(edit->text().isEmpty()) << i;
      }
      EXPECT_EQ(edit->maxLength(), static_cast<int>(table[static_cast<std::size_t>(i - 1)].maxLength)) << i;
      auto* label = d->findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->buddy(), edit);
      EXPECT_EQ(label->text(), ui::ToQt(table[static_cast<std::size_t>(i - 1)].label));
      EXPECT_TRUE(label->alignment() & Qt::AlignRight);
      // Every label ends 2 left of one centre line, every field starts 2 right of it.
      EXPECT_EQ(label->geometry().right() + 1 + 2, edit->x() - 2) << i;
      if (centre < 0) centre = edit->x() - 2;
      EXPECT_EQ(edit->x() - 2, centre) << i;
    }
    auto* left = d->findChild<QCheckBox*>(Qs("CheckBox1"));
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->text(), Qs("напуснал"));
    EXPECT_EQ(left->layoutDirection(), Qt::RightToLeft);
    EXPECT_FALSE(left->isChecked());
    EXPECT_TRUE(d->findChild<QPushButton*>(Qs("B_Ok"))->isDefault());
    EXPECT_EQ(d->focusWidget(), Field(d, 1));
    EXPECT_LE(d->frameGeometry().width(), 1366);
    EXPECT_LE(d->frameGeometry().height(), 768);

    // Confirming the empty form names the first required field.
    Confirm(d);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->focusWidget(), Field(d, 1));
    QTest::keyClick(d, Qt::Key_Escape);
  });
  EXPECT_EQ(LastMessage(), Cp("име на титуляра не е попълнено !"));
}

TEST_F(EditPersonTest, KeyboardOrderSkipsTheBirthDateAndEnterConfirms) {
  EmployeeRecord record = ZeroEmployeeRecord();
  const bool confirmed = Run(record, [](QWidget* d) {
    QLineEdit* birthDate = Field(d, 3);
    EXPECT_TRUE(birthDate->isReadOnly());
    EXPECT_EQ(birthDate->palette().color(QPalette::Base), d->palette().color(QPalette::Window));
    std::vector<QWidget*> expected;
    for (int i = 2; i <= 15; ++i) {
      if (i != 3) expected.push_back(Field(d, i));
    }
    expected.push_back(d->findChild<QCheckBox*>(Qs("CheckBox1")));
    expected.push_back(d->findChild<QPushButton*>(Qs("B_Ok")));
    expected.push_back(d->findChild<QPushButton*>(Qs("B_Cancel")));
    for (QWidget* next : expected) {
      QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(d->focusWidget(), next) << next->objectName().toStdString();
    }
    TypeValidEmployee(d, "Иван Петров Иванов", "8002151234");
    QTest::keyClick(Field(d, 15), Qt::Key_Return);
  });
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(record.EGN.str(), "8002151234");
}

TEST_F(EditPersonTest, BirthDateFollowsTheEgnAsItIsTyped) {
  EmployeeRecord record = Employee("Иван Петров Иванов", "7512311234");
  record.BirthDate = std::string();
  Run(
      record,
      [](QWidget* d) {
        // An edit whose birth date is empty shows it empty until the EGN changes.
        EXPECT_EQ(Text(d, 2), Qs("7512311234"));
        EXPECT_TRUE(Text(d, 3).isEmpty());
        Field(d, 2)->clear();
        TypeText(Field(d, 2), Qs("80021"));
        EXPECT_TRUE(Text(d, 3).isEmpty());
        TypeText(Field(d, 2), Qs("5"));
        EXPECT_EQ(Text(d, 3), Qs("15.02.1980"));
        TypeText(Field(d, 2), Qs("1234"));
        EXPECT_EQ(Text(d, 3), Qs("15.02.1980"));
        // Born in the 2000s: month digits raised by 40.
        Type(d, 2, "0542150000");
        EXPECT_EQ(Text(d, 3), Qs("15.02.2005"));
        QTest::keyClick(d, Qt::Key_Escape);
      },
      "Редактиране");
}

TEST_F(EditPersonTest, EachFailedCheckShowsItsMessageAndFocusesItsField) {
  list.Append(Employee("Петър Иванов Петров", "8002151234"));
  list.SetEditIndex(-1);
  EmployeeRecord record = ZeroEmployeeRecord();
  const bool confirmed = Run(record, [this](QWidget* d) {
    TypeValidEmployee(d, "  Иван Петров  ", "0513150000");
    Confirm(d);
    EXPECT_EQ(LastMessage(), Cp("име на титуляра не е валидно !"));
    EXPECT_EQ(Text(d, 1), Qs("Иван Петров"));  // shown trimmed even when it fails
    EXPECT_EQ(d->focusWidget(), Field(d, 1));

    Type(d, 1, " Иван Петров Иванов ");
    Confirm(d);
    EXPECT_EQ(LastMessage(), Cp("дата на раждане не е валидна !"));
    EXPECT_EQ(d->focusWidget(), Field(d, 2));  // the birth date cannot take the focus

    Type(d, 2, "8002151234");
    Confirm(d);
    EXPECT_EQ(LastMessage(), Cp("Опит за повторно въвеждане на ЕГН !"));
    EXPECT_EQ(d->focusWidget(), Field(d, 2));

    Type(d, 2, "8103041234");
    Type(d, 5, "1234567");
    Type(d, 6, "03/04/2011");
    Confirm(d);
    EXPECT_EQ(LastMessage(), Cp("серия на паспорта не е валидна !"));
    EXPECT_EQ(d->focusWidget(), Field(d, 4));

    Type(d, 4, "А");
    Type(d, 15, "BG00UNCR70001234567890");
    Confirm(d);
    EXPECT_EQ(LastMessage(), Cp("IBAN сметка не е валидна !"));
    EXPECT_EQ(d->focusWidget(), Field(d, 15));
    EXPECT_EQ(Text(d, 6), Qs("03.04.2011"));  // separators set by the check

    Field(d, 15)->clear();
    QTest::mouseClick(d->findChild<QCheckBox*>(Qs("CheckBox1")), Qt::LeftButton);
    const std::size_t shown = messages.log.size();
    Confirm(d);
    EXPECT_EQ(messages.log.size(), shown);  // valid: no message
  });
  ASSERT_TRUE(confirmed);
  EXPECT_EQ(record.FullName.str(), Cp("Иван Петров Иванов"));
  EXPECT_EQ(record.ShortName.str(), Cp("И.П.Иванов"));
  EXPECT_EQ(record.BirthDate.str(), "04.03.1981");
  EXPECT_EQ(record.IssueDate.str(), "03.04.2011");
  EXPECT_EQ(record.PassportSeries.str(), Cp("А"));
  EXPECT_EQ(record.RequestedSum.str(), "802.00");
  EXPECT_EQ(record.HasLeft, 1);
}

TEST_F(EditPersonTest, EscapeAndTheCloseBoxLeaveTheRecordUnchanged) {
  const EmployeeRecord original = Employee("Иван Петров Иванов", "8002151234");
  EmployeeRecord record = original;
  EXPECT_FALSE(Run(
      record,
      [](QWidget* d) {
        Type(d, 1, "Нов Човек Тук");
        Type(d, 2, "12");  // invalid, yet Escape does not check
        QTest::keyClick(Field(d, 2), Qt::Key_Escape);
      },
      "Редактиране"));
  EXPECT_EQ(std::memcmp(&record, &original, sizeof record), 0);

  EXPECT_FALSE(Run(record, [](QWidget* d) {
    Type(d, 1, "Нов Човек Тук");
    d->close();
  }));
  EXPECT_EQ(std::memcmp(&record, &original, sizeof record), 0);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(EditPersonTest, EditingKeepsOwnEgnAndShowsTheCheckBox) {
  list.Append(Employee("Иван Петров Иванов", "8002151234"));
  list.Append(Employee("Петър Иванов Петров", "8103041234"));
  list.SetEditIndex(0);
  EmployeeRecord record = list.at(0);
  record.HasLeft = 1;
  EXPECT_TRUE(Run(
      record,
      [](QWidget* d) {
        EXPECT_TRUE(d->findChild<QCheckBox*>(Qs("CheckBox1"))->isChecked());
        EXPECT_EQ(Text(d, 3), Qs("01.01.1970"));  // the stored birth date shows first
        Type(d, 13, "500");                       // overdraft
        Confirm(d);
      },
      "Редактиране"));
  EXPECT_EQ(record.Overdraft.str(), "500");
  EXPECT_EQ(record.HasLeft, 1);
  EXPECT_TRUE(messages.log.empty());
}

}  // namespace
}  // namespace zel::test
