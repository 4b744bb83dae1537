#pragma once
// The personnel list: the child window of the frame in which the user keeps
// the register. It loads employIB.dat when it opens, shows one line per
// employee, adds, edits and deletes through the employee edit dialog, prints
// the list, writes the request files for the bank, reads the bank's files
// into the register, and writes the register back when it closes after a
// change.

#include <QString>
#include <cstddef>

#include "common/ui/ListWindow.h"
#include "personnel/register.h"
#include "personnel/staff_list.h"

namespace zel::ui {

class TFStaffForm : public ListWindow {
  Q_OBJECT
public:
  // FormCreate: loads the register. A file that cannot be read is reported;
  // the window must then not be opened (Loaded() is false), since saving
  // what little was read would overwrite the register.
  explicit TFStaffForm(Services& services);
  ~TFStaffForm() override;

  bool Modified() const { return Register_.Modified(); }

  // "Запис във файл": the user chooses the file and the request type (the
  // last one chosen in the run preselected), and the request file of that
  // type is written from the register, which stays unchanged. Amounts in
  // leva go to the bank no more from 1 January 2026: the command is then
  // refused. A failure is reported.
  void WriteFile() override;
  // "Четене на данни", "Четене на сметки", "Зареждане IBAN сметки": the user
  // chooses the file and it is read into the register as a bank file of that
  // kind (a file that brings amounts into a register in leva is refused from
  // 1 January 2026 on). A failure is reported; what was read before it
  // stays, and the list shows it either way, the new last line selected
  // when records were appended.
  void ReadBankFile(BankFile kind) override;
  // "Износ в CSV" of the frame: the register into a spreadsheet file.
  void ExportCsv() override;

protected:
  void changeEvent(QEvent* event) override;

private:
  int LineCount() const override { return static_cast<int>(Register_.size()); }
  std::string LineName(int row) const override;
  int LineWidth() const override;
  void DrawLine(QPainter& painter, const QRect& rect, int row) const override;
  void EditSelected() override;
  // FormClose: true when the window may go (saved, or nothing to save).
  bool FormClose() override;

  void B_NewClick();
  void B_deleteClick();
  void B_PrintClick();
  void UpdateButtons();
  void ShowModified();
  // True, after telling the user, when amounts in leva may no longer go to the bank.
  bool RefusedInLeva();
  // Runs the edit dialog on the working record.
  bool RunEditDialog(const std::string& title, EmployeeRecord& record);

  zel::Register Register_;
  StaffColumns columns_;
  QString marker_;
  int markerWidth_ = 0;

  QPushButton* B_New = nullptr;
  QPushButton* B_edit = nullptr;
  QPushButton* B_delete = nullptr;
  QPushButton* B_Print = nullptr;
};

}  // namespace zel::ui
