#pragma once
// What the personnel window tests share: employees to put into the register
// file, and typing a valid employee into the edit dialog.

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <string>

#include "common/cp1251.h"
#include "common/employee_record.h"
#include "common/ui/QtText.h"
#include "personnel/register.h"
#include "personnel/register_files.h"

namespace zel::test {

inline EmployeeRecord Employee(const char* nameUtf8, const char* egn, const char* iban = "") {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = Cp(nameUtf8);
  r.EGN = std::string(egn);
  r.BirthDate = std::string("01.01.1970");
  r.PassportNo = std::string("123456789");
  r.IssueDate = std::string("01.02.2010");
  r.IssuedBy = Cp("МВР София");
  r.Town = Cp("София");
  r.Street = Cp("ул. Роза 5");
  r.RequestedSum = std::string("802.00");
  r.MinBalance = std::string("2.00");
  r.IBAN = std::string(iban);
  return r;
}

// Writes employIB.dat with the given records (no backup is made).
inline void WriteRegisterFile(std::initializer_list<EmployeeRecord> records) {
  Register reg;
  for (const auto& r : records) reg.Append(r);
  ASSERT_TRUE(SaveRegister(SystemFileSystem(), reg, {}).ok());
}

inline QLineEdit* Field(QWidget* dialog, int number) {
  return dialog->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(number));
}

// Key by key, as a keyboard would send them (QTest::keyClicks knows only ASCII).
inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    const auto key = ch.unicode() < 128 ? static_cast<Qt::Key>(ch.toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
  }
}

inline void Type(QWidget* dialog, int number, const char* utf8) {
  QLineEdit* edit = Field(dialog, number);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  TypeText(edit, ui::Qs(utf8));
}

// Every required field of a valid new employee, typed key by key.
inline void TypeValidEmployee(QWidget* dialog, const char* nameUtf8, const char* egn) {
  Type(dialog, 1, nameUtf8);
  Type(dialog, 2, egn);
  Type(dialog, 5, "123456789");
  Type(dialog, 6, "01.02.2010");
  Type(dialog, 7, "МВР София");
  Type(dialog, 8, "София");
  Type(dialog, 9, "ул. Роза 5");
}

}  // namespace zel::test
