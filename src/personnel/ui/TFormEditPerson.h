#pragma once
// The employee edit dialog: fifteen fields of one record, the birth date
// following the EGN, and the ordered checks when the user confirms. The
// record is written only by a confirmation that passes every check.

#include <QDialog>
#include <array>
#include <string>

#include "common/employee_record.h"
#include "personnel/employee_form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zel {
class Messages;
class Register;
}  // namespace zel

namespace zel::ui {

class TFormEditPerson : public QDialog {
  Q_OBJECT
public:
  // `list` answers whether an EGN or IBAN is already used by another
  // employee (the one at its EditIndex() is skipped).
  TFormEditPerson(Messages& messages, const Register& list, QWidget* parent = nullptr);

  // Shows `record` under `title` modally. True when the user confirmed valid
  // input, which is then stored in `record`; otherwise `record` is unchanged.
  bool EditEmployee(const QString& title, EmployeeRecord& record);

  // The confirm button: runs the checks, shows their result and closes with
  // OK only when the input is valid.
  void B_OkClick();

private:
  void CreateControls();
  void PlaceControls();
  void Edit2Change();
  void ShowRecord(const EmployeeRecord& record);
  EmployeeFields CurrentFields() const;
  void ShowFields(const EmployeeFields& fields);

  Messages& messages_;
  const Register& list_;
  EmployeeRecord* record_ = nullptr;

  std::array<QLabel*, kEmployeeFieldCount> labels_{};
  std::array<QLineEdit*, kEmployeeFieldCount> edits_{};
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* B_Ok = nullptr;
  QPushButton* B_Cancel = nullptr;
};

}  // namespace zel::ui
