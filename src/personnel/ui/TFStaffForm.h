#pragma once
// The personnel list: the child window of the frame in which the user keeps
// the register. It loads employIB.dat when it opens, shows one line per
// employee, adds, edits and deletes through the employee edit dialog, prints
// the list, writes the request files for the bank, reads the bank's files
// into the register, and writes the register back when it closes after a
// change.

#include <QWidget>
#include <cstddef>

#include "common/status.h"
#include "common/ui/Services.h"
#include "personnel/bank_readers.h"
#include "personnel/register.h"
#include "personnel/staff_list.h"

class QCheckBox;
class QFrame;
class QListView;
class QModelIndex;
class QPushButton;
class QString;

namespace zel::ui {

class StaffLineDelegate;
class StaffListModel;
class TFChoice;

class TFStaffForm : public QWidget {
  Q_OBJECT
public:
  // FormCreate: loads the register. A file that cannot be read is reported;
  // the window must then not be opened (Loaded() is false), since saving
  // what little was read would overwrite the register. `FChoice` is the
  // request-type choice dialog kept for the run, so that it opens on the last
  // choice whichever list asks.
  TFStaffForm(Services& services, TFChoice& FChoice, QWidget* parent = nullptr);
  ~TFStaffForm() override;

  bool Loaded() const { return loadStatus_.ok(); }

  // The register in memory.
  zel::Register& registerData() { return Register_; }
  const zel::Register& registerData() const { return Register_; }

  // Redraws the list and the buttons after the register was changed other
  // than through the add, edit and delete commands (a bank file read); when
  // records were appended (the register now holds more than
  // `previousCount`), the new last line is selected.
  void RefreshAfterExternalChange(std::size_t previousCount);

  bool Modified() const { return Register_.Modified(); }
  // The selected line, -1 when none.
  int SelectedIndex() const;

  // The commands.
  void B_NewClick();
  void B_editClick();
  void B_deleteClick();
  void B_PrintClick();
  void B_CloseClick();
  void CheckBox1Click();
  void EditSelected();
  void UpdateButtons();

  // "Запис във файл": the user chooses the file and the request type, and
  // the request file of that type is written from the register, which stays
  // unchanged. Amounts in leva go to the bank no more from 1 January 2026:
  // the command is then refused. A failure is reported.
  void WriteRequestFile();
  // "Четене на данни", "Четене на сметки", "Зареждане IBAN сметки": the user
  // chooses the file and it is read into the register as a bank file of that
  // kind (a file that brings amounts into a register in leva is refused from
  // 1 January 2026 on). A failure is reported; what was read before it
  // stays, and the list shows it either way.
  void ReadBankFile(BankFile kind);

protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateControls();
  void Panel1Resize();
  void ShowModified();
  // FormClose: true when the window may go (saved, or nothing to save).
  bool FormClose();
  // True, after telling the user, when amounts in leva may no longer go to the bank.
  bool RefusedInLeva();
  // Runs the edit dialog on the working record.
  bool RunEditDialog(const std::string& title, EmployeeRecord& record);

  Services& services_;
  TFChoice& FChoice;
  zel::Register Register_;
  Status loadStatus_ = Status::Ok();
  bool closed_ = false;

  StaffListModel* model_ = nullptr;
  StaffLineDelegate* delegate_ = nullptr;
  QListView* ListBox1 = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* B_New = nullptr;
  QPushButton* B_edit = nullptr;
  QPushButton* B_delete = nullptr;
  QPushButton* B_Print = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* B_Close = nullptr;
};

}  // namespace zel::ui
