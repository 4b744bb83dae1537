#include "payment/ui/TFMoneyForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QListView>
#include <QPushButton>
#include <algorithm>

#include "common/list_window.h"
#include "common/ui/ListWindow.h"
#include "common/ui/QtText.h"
#include "payment/money_list.h"
#include "payment/payment_file.h"
#include "payment/ui/MoneyListView.h"
#include "payment/ui/TFmassout.h"
#include "payment/ui/TFormEditMoney.h"

namespace zel::ui {

namespace {

constexpr int kButtonTop = 5;
constexpr int kButtonHeight = 27;
constexpr int kButtonGap = 4;

// Wide enough for its caption, and never narrower than a usual button.
void PlaceButton(QPushButton* button, int x) {
  button->setGeometry(x, kButtonTop, std::max(75, button->sizeHint().width()), kButtonHeight);
}

}  // namespace

TFMoneyForm::TFMoneyForm(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
  CreateControls();
  FormCreate();
}

TFMoneyForm::~TFMoneyForm() = default;

void TFMoneyForm::CreateControls() {
  setObjectName(Qs("FMoneyForm"));
  setWindowTitle(Qs("Масово плащане"));
  setFont(ListWindowFont());
  resize(544, 370);

  model_ = new MoneyListModel(list_, this);
  delegate_ = new MoneyListDelegate(*model_, font(), services_.folder.currency, this);

  ListBox1 = new QListView(this);
  ListBox1->setObjectName(Qs("ListBox1"));
  ListBox1->setModel(model_);
  ListBox1->setItemDelegate(delegate_);
  // Every line is as high as the first: the view never measures the others.
  ListBox1->setUniformItemSizes(true);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  EditOnEnterOrDoubleClick(*ListBox1, [this] { EditPaymentLine(); });

  Panel1 = new QFrame(this);
  Panel1->setObjectName(Qs("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->installEventFilter(this);

  B_edit = NewBarButton(*Panel1, "B_edit", "Редактиране");
  Button2 = NewBarButton(*Panel1, "Button2", "Основание");
  B_Print = NewBarButton(*Panel1, "B_Print", "Печат");
  CheckBox1 = NewOldAccountsBox(*Panel1);
  B_Close = NewBarButton(*Panel1, "B_Close", "Край");

  PlaceButton(B_edit, 8);
  PlaceButton(Button2, B_edit->geometry().right() + 1 + kButtonGap);
  PlaceButton(B_Print, Button2->geometry().right() + 1 + kButtonGap);
  const QSize box = CheckBox1->sizeHint();
  CheckBox1->setGeometry(B_Print->geometry().right() + 1 + 12, (kButtonBarHeight - box.height()) / 2, box.width(),
                         box.height());
  PlaceButton(B_Close, 0);
  // "Край" keeps to the right of the check box: narrower the window may not be.
  const int narrowest = CheckBox1->geometry().right() + 1 + kButtonGap + B_Close->width() + 10;
  setMinimumSize(narrowest, 140);

  connect(B_edit, &QPushButton::clicked, this, &TFMoneyForm::B_editClick);
  connect(Button2, &QPushButton::clicked, this, &TFMoneyForm::Button2Click);
  connect(B_Print, &QPushButton::clicked, this, &TFMoneyForm::B_PrintClick);
  connect(CheckBox1, &QCheckBox::toggled, this, &TFMoneyForm::CheckBox1Click);
  connect(B_Close, &QPushButton::clicked, this, &TFMoneyForm::B_CloseClick);

  StackListOverBar(*this, *ListBox1, *Panel1);

  setTabOrder(ListBox1, B_edit);
  setTabOrder(B_edit, Button2);
  setTabOrder(Button2, B_Print);
  setTabOrder(B_Print, CheckBox1);
  setTabOrder(CheckBox1, B_Close);
  // The keyboard starts in the list.
  setFocusProxy(ListBox1);
  Panel1Resize();
}

void TFMoneyForm::FormCreate() {
  list_.currency = services_.folder.currency;
  const Status loaded = LoadPaymentList(services_.files, list_);
  model_->Reload();
  // No line is selected until the user selects one.
  SelectRow(*ListBox1, -1);
  setWindowTitle(ToQt(PaymentListCaption(list_)));
  loaded_ = loaded.ok();
  if (!loaded_) services_.messages.ReportError(loaded.message());
}

int TFMoneyForm::SelectedIndex() const { return SelectedRow(*ListBox1); }

void TFMoneyForm::B_editClick() { EditPaymentLine(); }

void TFMoneyForm::EditPaymentLine() {
  const int selected = SelectedIndex();
  std::optional<PaymentLine> working = LineForEdit(list_, selected);
  if (!working) return;
  TFormEditMoney dialog(services_.messages, list_.currency, this);
  if (dialog.EditPayment(Qs("Редактиране"), *working) != QDialog::Accepted) return;
  if (!ApplyEditedLine(list_, selected, *working)) return;
  model_->LineChanged(selected);
  SelectRow(*ListBox1, selected);
}

void TFMoneyForm::Button2Click() {
  if (list_.lines.empty()) return;
  const std::optional<QString> reason =
      services_.dialogs.InputText(this, Qs("Попълване на основание"), Qs("Основание"), QString());
  if (!reason) return;
  FillReason(list_, FromQt(*reason));
  model_->AllChanged();
}

void TFMoneyForm::B_PrintClick() {
  const Status printed = PrintPaymentList(list_, services_.printer, ListPrintFont(font()));
  if (!printed.ok()) services_.messages.ReportError(printed.message());
}

void TFMoneyForm::CheckBox1Click() {
  delegate_->SetShowOldAccounts(CheckBox1->isChecked());
  ListBox1->viewport()->update();
}

void TFMoneyForm::B_CloseClick() { close(); }

void TFMoneyForm::MakePaymentFile() {
  TFmassout dialog(
      services_, payDay_.Settings, [this] { return PrintControlSheet(); }, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const FinalPaymentFileResult written = zel::MakePaymentFile(services_.files, list_, payDay_);
  if (written.status.ok()) {
    services_.messages.Show(written.message);
  } else {
    services_.messages.ReportError(written.status.message());
  }
}

ControlSheetResult TFMoneyForm::PrintControlSheet() {
  return zel::PrintControlSheet(services_.files, list_, payDay_, services_.printer, services_.clock,
                                ListPrintFont(font()));
}

bool TFMoneyForm::FormClose() {
  if (loaded_ && list_.registerFound) {
    // A new folder says it is in euro before it holds any amount.
    Status saved = RecordBeforeSave(services_.files, services_.folder, services_.clock.Today());
    if (saved.ok()) {
      saved = SavePaymentList(services_.files, list_,
                              [this](const std::string& warning) { services_.messages.Show(warning); });
    }
    if (!saved.ok()) {
      // The lines stay, and so does the window: what was typed is not lost.
      services_.messages.ReportError(saved.message());
      return false;
    }
  }
  FreePaymentLines(list_);
  model_->Reload();
  return true;
}

void TFMoneyForm::closeEvent(QCloseEvent* event) {
  CloseOnce(*event, closed_, [this] { return FormClose(); });
}

void TFMoneyForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The amounts keep to the right border.
  ListBox1->viewport()->update();
}

bool TFMoneyForm::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::ParentChange) TrimSystemMenu(*this);
  return handled;
}

bool TFMoneyForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) Panel1Resize();
  return QWidget::eventFilter(watched, event);
}

void TFMoneyForm::Panel1Resize() {
  B_Close->move(CloseButtonLeft(Panel1->width(), B_Close->width(), B_Print->x() + B_Print->width()), kButtonTop);
}

}  // namespace zel::ui
