#include "personnel/ui/TFStaffForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QListView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/QtText.h"
#include "personnel/personnel_printout.h"
#include "personnel/register_files.h"
#include "personnel/ui/StaffListModel.h"
#include "personnel/ui/TFormEditPerson.h"
#include "shell/ui/TSDIAppForm.h"

namespace zel::ui {

namespace {

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption, int left, int width) {
  auto* button = new QPushButton(Qs(caption), parent);
  button->setObjectName(Qs(name));
  button->setGeometry(left, 6, width, 27);
  button->setAutoDefault(false);
  return button;
}

constexpr int kPanelHeight = 37;

}  // namespace

TFStaffForm::TFStaffForm(TSDIAppForm& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
  setObjectName(Qs("FStaffForm"));
  setWindowTitle(Qs("Персонал"));
  QFont font(Qs("Times New Roman"));
  font.setPixelSize(10);
  setFont(font);
  resize(666, 375);
  CreateControls();

  // FormCreate.
  Register_.onModified = [this] { ShowModified(); };
  model_->BeginReset();
  loadStatus_ = LoadRegister(frame_.services().files, Register_);
  model_->EndReset();
  if (!loadStatus_.ok()) frame_.services().messages.ReportError(loadStatus_.message());
  if (!Register_.empty()) SelectLine(0);
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
  connect(ListBox1, &QListView::doubleClicked, this, [this] { EditSelected(); });

  Panel1 = new QFrame(this);
  Panel1->setObjectName(Qs("Panel1"));
  Panel1->setFixedHeight(kPanelHeight);
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->installEventFilter(this);

  B_New = NewButton(Panel1, "B_New", "Нов", 8, 79);
  B_edit = NewButton(Panel1, "B_edit", "Редактиране", 91, 103);
  B_delete = NewButton(Panel1, "B_delete", "Изтриване", 198, 78);
  B_Print = NewButton(Panel1, "B_Print", "Печат", 281, 60);
  CheckBox1 = new QCheckBox(Qs("Покажи стари сметки"), Panel1);
  CheckBox1->setObjectName(Qs("CheckBox1"));
  CheckBox1->setGeometry(427, 10, 126, 17);
  B_Close = NewButton(Panel1, "B_Close", "Край", 557, 78);
  connect(B_New, &QPushButton::clicked, this, &TFStaffForm::B_NewClick);
  connect(B_edit, &QPushButton::clicked, this, &TFStaffForm::B_editClick);
  connect(B_delete, &QPushButton::clicked, this, &TFStaffForm::B_deleteClick);
  connect(B_Print, &QPushButton::clicked, this, &TFStaffForm::B_PrintClick);
  connect(CheckBox1, &QCheckBox::toggled, this, &TFStaffForm::CheckBox1Click);
  connect(B_Close, &QPushButton::clicked, this, &TFStaffForm::B_CloseClick);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ListBox1, 1);
  layout->addWidget(Panel1);

  setTabOrder(ListBox1, B_New);
  setTabOrder(B_New, B_edit);
  setTabOrder(B_edit, B_delete);
  setTabOrder(B_delete, CheckBox1);
  setTabOrder(CheckBox1, B_Close);
  setTabOrder(B_Close, B_Print);
  setFocusProxy(ListBox1);
  ListBox1->setFocus();
}

int TFStaffForm::SelectedIndex() const {
  const QModelIndex current = ListBox1->currentIndex();
  if (!current.isValid() || !ListBox1->selectionModel()->isSelected(current)) return -1;
  return current.row();
}

void TFStaffForm::SelectLine(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Register_.size()) {
    ListBox1->clearSelection();
    return;
  }
  const QModelIndex line = model_->index(index);
  ListBox1->setCurrentIndex(line);
  ListBox1->selectionModel()->select(line, QItemSelectionModel::ClearAndSelect);
  ListBox1->scrollTo(line);
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
  TFormEditPerson dialog(frame_.services().messages, Register_, this);
  return dialog.EditEmployee(ToQt(title), record);
}

void TFStaffForm::B_NewClick() {
  const std::size_t before = Register_.size();
  const auto added = AddEmployee(Register_, [this](const std::string& title, EmployeeRecord& record) {
    return RunEditDialog(title, record);
  });
  if (added) {
    model_->Appended(before);
    SelectLine(static_cast<int>(*added));
  }
  UpdateButtons();
  ListBox1->setFocus();
}

void TFStaffForm::B_editClick() { EditSelected(); }

void TFStaffForm::EditSelected() {
  const auto edited = EditEmployee(Register_, SelectedIndex(), [this](const std::string& title, EmployeeRecord& record) {
    return RunEditDialog(title, record);
  });
  if (edited) {
    model_->Changed(static_cast<int>(*edited));
    SelectLine(static_cast<int>(*edited));
  }
  UpdateButtons();
}

void TFStaffForm::B_deleteClick() {
  const int selected = SelectedIndex();
  const auto next = DeleteEmployee(Register_, selected, frame_.services().messages);
  if (next) {
    model_->Removed(selected);
    SelectLine(*next);
  }
  UpdateButtons();
}

void TFStaffForm::B_PrintClick() {
  const QFont& font = ListBox1->font();
  PrintFont printFont;
  printFont.family = FromQt(font.family());
  printFont.pixelHeight = font.pixelSize();
  const Status printed = PrintPersonnelList(frame_.services().printer, Register_, printFont);
  if (!printed.ok()) frame_.services().messages.ReportError(printed.message());
}

void TFStaffForm::B_CloseClick() { close(); }

void TFStaffForm::CheckBox1Click() {
  delegate_->SetShowOldAccounts(CheckBox1->isChecked());
  ListBox1->viewport()->update();
}

void TFStaffForm::RefreshAfterExternalChange(std::size_t previousCount) {
  const int selected = SelectedIndex();
  model_->Reset();
  if (Register_.size() > previousCount) {
    SelectLine(static_cast<int>(Register_.size()) - 1);
  } else {
    SelectLine(selected);
  }
  ShowModified();
  UpdateButtons();
}

void TFStaffForm::Panel1Resize() {
  B_Close->move(CloseButtonLeft(Panel1->width(), B_Close->width(), B_delete->x(), B_delete->width()), B_Close->y());
}

bool TFStaffForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) {
    Panel1Resize();
  } else if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      EditSelected();
      return true;
    }
  } else if (watched == ListBox1 && event->type() == QEvent::Resize) {
    // The marker of those who left keeps its place from the right edge.
    ListBox1->viewport()->update();
  }
  return QWidget::eventFilter(watched, event);
}

void TFStaffForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ParentChange) TrimSystemMenu();
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdateButtons();
  QWidget::changeEvent(event);
}

void TFStaffForm::TrimSystemMenu() {
  // In the frame the window has a title, a maximise and a close button, and
  // no minimise button (its menu then offers no minimise either).
  auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (window == nullptr) return;
  const Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
  if (window->windowFlags() != flags) window->setWindowFlags(flags);
}

bool TFStaffForm::FormClose() {
  if (closed_) return true;
  Messages& messages = frame_.services().messages;
  if (Register_.Modified()) {
    const Status saved = SaveRegister(frame_.services().files, Register_,
                                      [&messages](const std::string& warning) { messages.Show(warning); });
    if (!saved.ok()) {
      // The records stay, so that nothing typed is lost.
      messages.ReportError(saved.message());
      return false;
    }
  }
  closed_ = true;
  model_->BeginReset();
  FreeRecords(Register_);
  model_->EndReset();
  frame_.ChildClosed();
  return true;
}

void TFStaffForm::closeEvent(QCloseEvent* event) {
  if (FormClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace zel::ui
