#include "personnel/ui/TFStaffForm.h"

#include <QEvent>
#include <QFontMetrics>
#include <QListView>
#include <QPainter>
#include <QPushButton>

#include "common/ui/QtText.h"
#include "personnel/bank_readers.h"
#include "personnel/personnel_printout.h"
#include "personnel/register_csv.h"
#include "personnel/register_files.h"
#include "personnel/request_files.h"
#include "personnel/ui/TFChoice.h"
#include "personnel/ui/TFormEditPerson.h"

namespace zel::ui {

TFStaffForm::TFStaffForm(Services& services) : ListWindow(services, "FStaffForm", "Персонал", QSize(666, 375)) {
  // In keyboard order, which puts "Печат" last.
  B_New = AddButton("B_New", "Нов", 8, 79, [this] { B_NewClick(); });
  B_edit = AddButton("B_edit", "Редактиране", 91, 103, [this] { EditSelected(); });
  B_delete = AddButton("B_delete", "Изтриване", 198, 78, [this] { B_deleteClick(); });
  AddOldAccountsBox(427);
  AddCloseButton(*B_delete);
  B_Print = AddButton("B_Print", "Печат", 281, 60, [this] { B_PrintClick(); });

  // FormCreate.
  const QFontMetrics metrics(font());
  columns_ =
      MeasureStaffColumns(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('9')));
  marker_ = ToQt(LeftMarkerText());
  markerWidth_ = metrics.horizontalAdvance(marker_);
  Register_.SetCurrency(services_.folder.currency);
  Register_.onModified = [this] { ShowModified(); };
  const Status loaded = LoadRegister(services_.files, Register_);
  LinesReset();
  loaded_ = loaded.ok();
  if (!loaded_) services_.messages.ReportError(loaded.message());
  // No line is selected until the user selects one: "Редактиране",
  // "Изтриване" and Enter then leave the register alone.
  SelectRow(-1);
  UpdateButtons();
}

TFStaffForm::~TFStaffForm() { Register_.onModified = nullptr; }

std::string TFStaffForm::LineName(int row) const { return Register_.at(static_cast<std::size_t>(row)).FullName.str(); }

// As wide as what the line draws before the marker.
int TFStaffForm::LineWidth() const { return 1 + columns_.nameColWidth + columns_.egnColWidth + columns_.ibanColWidth; }

void TFStaffForm::DrawLine(QPainter& painter, const QRect& rect, int row) const {
  const StaffLine line = LayoutStaffLine(Register_.at(static_cast<std::size_t>(row)), columns_, rect.left(), rect.top(),
                                         rect.left() + rect.width(), ShowOldAccounts(), markerWidth_);
  const int baseline = line.y + painter.fontMetrics().ascent();
  painter.drawText(line.nameX, baseline, ToQt(line.name));
  painter.drawText(line.egnX, baseline, ToQt(line.egn));
  painter.drawText(line.thirdX, baseline, ToQt(line.third));
  if (line.showMarker) painter.drawText(line.markerX, baseline, marker_);
}

void TFStaffForm::UpdateButtons() {
  const bool enabled = StaffCommandsEnabled(Register_);
  B_edit->setEnabled(enabled);
  B_delete->setEnabled(enabled);
  B_Print->setEnabled(enabled);
}

void TFStaffForm::ShowModified() {
  QFont bold = B_Close->font();
  bold.setBold(Register_.Modified());
  B_Close->setFont(bold);
}

bool TFStaffForm::RunEditDialog(const std::string& title, EmployeeRecord& record) {
  TFormEditPerson dialog(services_.messages, Register_, this);
  return dialog.EditEmployee(ToQt(title), record);
}

void TFStaffForm::B_NewClick() {
  const int before = LineCount();
  const auto added = AddEmployee(
      Register_, [this](const std::string& title, EmployeeRecord& record) { return RunEditDialog(title, record); });
  if (added) {
    LinesAppended(before);
    SelectRow(static_cast<int>(*added));
  }
  UpdateButtons();
  ListBox1->setFocus();
}

void TFStaffForm::EditSelected() {
  const auto edited =
      EditEmployee(Register_, SelectedIndex(),
                   [this](const std::string& title, EmployeeRecord& record) { return RunEditDialog(title, record); });
  if (edited) {
    LinesChanged(static_cast<int>(*edited), static_cast<int>(*edited));
    SelectRow(static_cast<int>(*edited));
  }
  UpdateButtons();
}

void TFStaffForm::B_deleteClick() {
  const int selected = SelectedIndex();
  const auto next = DeleteEmployee(Register_, selected, services_.messages);
  if (next) {
    LineRemoved(selected);
    SelectRow(*next);
  }
  UpdateButtons();
}

void TFStaffForm::B_PrintClick() {
  const Status printed = PrintPersonnelList(services_.printer, Register_, ListPrintFont());
  if (!printed.ok()) services_.messages.ReportError(printed.message());
}

bool TFStaffForm::RefusedInLeva() {
  const auto refusal = LevaRefusal(Register_.currency(), services_.clock.Today());
  if (refusal) services_.messages.Show(*refusal);
  return refusal.has_value();
}

void TFStaffForm::WriteFile() {
  // Both kinds of request carry amounts.
  if (RefusedInLeva()) return;
  const auto fileName = services_.dialogs.SaveFileName(this);
  if (!fileName) return;
  TFChoice& choice = TFChoice::KeptFor(*this);
  if (choice.exec() != QDialog::Accepted) return;
  const Status written = WriteRequestFileOfType(services_.files, choice.ChosenType(), Register_, services_.settings,
                                                services_.messages, FilePathBytes(*fileName));
  if (!written.ok()) services_.messages.ReportError(written.message());
}

void TFStaffForm::ReadBankFile(BankFile kind) {
  if (CarriesAmounts(kind) && RefusedInLeva()) return;
  const auto fileName = services_.dialogs.OpenFileName(this);
  if (!fileName) return;
  const int previousCount = LineCount();
  const int selected = SelectedIndex();
  const Status read =
      ReadBankFileOfKind(kind, services_.files, Register_, services_.messages, FilePathBytes(*fileName));
  if (!read.ok()) services_.messages.ReportError(read.message());
  LinesReset();
  SelectRow(LineCount() > previousCount ? LineCount() - 1 : selected);
  ShowModified();
  UpdateButtons();
}

void TFStaffForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdateButtons();
  ListWindow::changeEvent(event);
}

bool TFStaffForm::FormClose() {
  Messages& messages = services_.messages;
  if (Register_.Modified()) {
    // A new folder says it is in euro before it holds any amount.
    Status saved = RecordBeforeSave(services_.files, services_.folder, services_.clock.Today());
    if (saved.ok()) {
      saved =
          SaveRegister(services_.files, Register_, [&messages](const std::string& warning) { messages.Show(warning); });
    }
    if (!saved.ok()) {
      // The records stay, so that nothing typed is lost.
      messages.ReportError(saved.message());
      return false;
    }
  }
  FreeRecords(Register_);
  LinesReset();
  return true;
}

void TFStaffForm::ExportCsv() {
  ExportSpreadsheet("Персонал.csv", [this] { return RegisterCsv(Register_); });
}

}  // namespace zel::ui
