#include "personnel/ui/TFStaffForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QListView>
#include <QPushButton>

#include "common/list_window.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ListWindow.h"
#include "common/ui/QtText.h"
#include "personnel/bank_readers.h"
#include "personnel/personnel_printout.h"
#include "personnel/register_files.h"
#include "personnel/request_files.h"
#include "personnel/ui/StaffListModel.h"
#include "personnel/ui/TFChoice.h"
#include "personnel/ui/TFormEditPerson.h"

namespace zel::ui {

namespace {

QPushButton* NewButton(QWidget& bar, const char* name, const char* caption, int left, int width) {
  QPushButton* button = NewBarButton(bar, name, caption);
  button->setGeometry(left, 6, width, 27);
  return button;
}

}  // namespace

TFStaffForm::TFStaffForm(Services& services, TFChoice& FChoice, QWidget* parent)
    : QWidget(parent), services_(services), FChoice(FChoice) {
  setObjectName(Qs("FStaffForm"));
  setWindowTitle(Qs("Персонал"));
  setFont(ListWindowFont());
  resize(666, 375);
  CreateControls();

  // FormCreate.
  Register_.SetCurrency(services_.folder.currency);
  Register_.onModified = [this] { ShowModified(); };
  model_->BeginReset();
  loadStatus_ = LoadRegister(services_.files, Register_);
  model_->EndReset();
  if (!loadStatus_.ok()) services_.messages.ReportError(loadStatus_.message());
  // No line is selected until the user selects one: "Редактиране",
  // "Изтриване" and Enter then leave the register alone.
  SelectRow(*ListBox1, -1);
  UpdateButtons();
}

TFStaffForm::~TFStaffForm() { Register_.onModified = nullptr; }

void TFStaffForm::CreateControls() {
  model_ = new StaffListModel(Register_, this);
  delegate_ = new StaffLineDelegate(*model_, this);

  ListBox1 = new QListView(this);
  ListBox1->setObjectName(Qs("ListBox1"));
  ListBox1->setModel(model_);
  ListBox1->setItemDelegate(delegate_);
  // Every line is as high as the next, so a register of any size opens at once.
  ListBox1->setUniformItemSizes(true);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  delegate_->SetFont(ListBox1->font());
  ListBox1->installEventFilter(this);
  EditOnEnterOrDoubleClick(*ListBox1, [this] { EditSelected(); });

  Panel1 = new QFrame(this);
  Panel1->setObjectName(Qs("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->installEventFilter(this);

  B_New = NewButton(*Panel1, "B_New", "Нов", 8, 79);
  B_edit = NewButton(*Panel1, "B_edit", "Редактиране", 91, 103);
  B_delete = NewButton(*Panel1, "B_delete", "Изтриване", 198, 78);
  B_Print = NewButton(*Panel1, "B_Print", "Печат", 281, 60);
  CheckBox1 = NewOldAccountsBox(*Panel1);
  CheckBox1->setGeometry(427, 10, 126, 17);
  B_Close = NewButton(*Panel1, "B_Close", "Край", 557, 78);
  connect(B_New, &QPushButton::clicked, this, &TFStaffForm::B_NewClick);
  connect(B_edit, &QPushButton::clicked, this, &TFStaffForm::B_editClick);
  connect(B_delete, &QPushButton::clicked, this, &TFStaffForm::B_deleteClick);
  connect(B_Print, &QPushButton::clicked, this, &TFStaffForm::B_PrintClick);
  connect(CheckBox1, &QCheckBox::toggled, this, &TFStaffForm::CheckBox1Click);
  connect(B_Close, &QPushButton::clicked, this, &TFStaffForm::B_CloseClick);

  StackListOverBar(*this, *ListBox1, *Panel1);

  setTabOrder(ListBox1, B_New);
  setTabOrder(B_New, B_edit);
  setTabOrder(B_edit, B_delete);
  setTabOrder(B_delete, CheckBox1);
  setTabOrder(CheckBox1, B_Close);
  setTabOrder(B_Close, B_Print);
  setFocusProxy(ListBox1);
  ListBox1->setFocus();
}

int TFStaffForm::SelectedIndex() const { return SelectedRow(*ListBox1); }

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
  const std::size_t before = Register_.size();
  const auto added = AddEmployee(
      Register_, [this](const std::string& title, EmployeeRecord& record) { return RunEditDialog(title, record); });
  if (added) {
    model_->Appended(before);
    SelectRow(*ListBox1, static_cast<int>(*added));
  }
  UpdateButtons();
  ListBox1->setFocus();
}

void TFStaffForm::B_editClick() { EditSelected(); }

void TFStaffForm::EditSelected() {
  const auto edited =
      EditEmployee(Register_, SelectedIndex(),
                   [this](const std::string& title, EmployeeRecord& record) { return RunEditDialog(title, record); });
  if (edited) {
    model_->Changed(static_cast<int>(*edited));
    SelectRow(*ListBox1, static_cast<int>(*edited));
  }
  UpdateButtons();
}

void TFStaffForm::B_deleteClick() {
  const int selected = SelectedIndex();
  const auto next = DeleteEmployee(Register_, selected, services_.messages);
  if (next) {
    model_->Removed(selected);
    SelectRow(*ListBox1, *next);
  }
  UpdateButtons();
}

void TFStaffForm::B_PrintClick() {
  const Status printed = PrintPersonnelList(services_.printer, Register_, ListPrintFont(ListBox1->font()));
  if (!printed.ok()) services_.messages.ReportError(printed.message());
}

void TFStaffForm::B_CloseClick() { close(); }

void TFStaffForm::CheckBox1Click() {
  delegate_->SetShowOldAccounts(CheckBox1->isChecked());
  ListBox1->viewport()->update();
}

bool TFStaffForm::RefusedInLeva() {
  const auto refusal = LevaRefusal(Register_.currency(), services_.clock.Today());
  if (refusal) services_.messages.Show(*refusal);
  return refusal.has_value();
}

void TFStaffForm::WriteRequestFile() {
  // Both kinds of request carry amounts.
  if (RefusedInLeva()) return;
  const auto fileName = services_.dialogs.SaveFileName(this);
  if (!fileName || FChoice.exec() != QDialog::Accepted) return;
  const Status written = WriteRequestFileOfType(services_.files, FChoice.ChosenType(), Register_, services_.settings,
                                                services_.messages, FilePathBytes(*fileName));
  if (!written.ok()) services_.messages.ReportError(written.message());
}

void TFStaffForm::ReadBankFile(BankFile kind) {
  if (CarriesAmounts(kind) && RefusedInLeva()) return;
  const auto fileName = services_.dialogs.OpenFileName(this);
  if (!fileName) return;
  const std::size_t previousCount = Register_.size();
  const std::string path = FilePathBytes(*fileName);
  const Status read = ReadBankFileOfKind(kind, services_.files, Register_, services_.messages, path);
  if (!read.ok()) services_.messages.ReportError(read.message());
  RefreshAfterExternalChange(previousCount);
}

void TFStaffForm::RefreshAfterExternalChange(std::size_t previousCount) {
  const int selected = SelectedIndex();
  model_->Reset();
  if (Register_.size() > previousCount) {
    SelectRow(*ListBox1, static_cast<int>(Register_.size()) - 1);
  } else {
    SelectRow(*ListBox1, selected);
  }
  ShowModified();
  UpdateButtons();
}

void TFStaffForm::Panel1Resize() {
  B_Close->move(CloseButtonLeft(Panel1->width(), B_Close->width(), B_delete->x() + B_delete->width()), B_Close->y());
}

bool TFStaffForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) {
    Panel1Resize();
  } else if (watched == ListBox1 && event->type() == QEvent::Resize) {
    // The marker of those who left keeps its place from the right edge.
    ListBox1->viewport()->update();
  }
  return QWidget::eventFilter(watched, event);
}

void TFStaffForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ParentChange) TrimSystemMenu(*this);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdateButtons();
  QWidget::changeEvent(event);
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
  model_->BeginReset();
  FreeRecords(Register_);
  model_->EndReset();
  return true;
}

void TFStaffForm::closeEvent(QCloseEvent* event) {
  CloseOnce(*event, closed_, [this] { return FormClose(); });
}

}  // namespace zel::ui
