#include "payment/ui/TFMoneyForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QListView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/QtText.h"
#include "payment/money_list.h"
#include "payment/payment_file.h"
#include "payment/ui/MoneyListView.h"
#include "payment/ui/TFmassout.h"
#include "payment/ui/TFormEditMoney.h"
#include "shell/ui/TSDIAppForm.h"

namespace zel::ui {

namespace {

constexpr int kBarHeight = 37;
constexpr int kButtonTop = 5;
constexpr int kButtonHeight = 27;
constexpr int kButtonGap = 4;

QFont ListFont() {
  QFont font(Qs("Times New Roman"));
  font.setPixelSize(10);
  return font;
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(Qs(caption), parent);
  button->setObjectName(Qs(name));
  return button;
}

// Wide enough for its caption, and never narrower than a usual button.
void PlaceButton(QPushButton* button, int x) {
  button->setGeometry(x, kButtonTop, std::max(75, button->sizeHint().width()), kButtonHeight);
}

}  // namespace

TFMoneyForm::TFMoneyForm(TSDIAppForm& frame, QWidget* parent)
    : QWidget(parent), frame_(frame), services_(frame.services()) {
  CreateControls();
  FormCreate();
}

TFMoneyForm::~TFMoneyForm() = default;

void TFMoneyForm::CreateControls() {
  setObjectName(Qs("FMoneyForm"));
  setWindowTitle(Qs("Масово плащане"));
  setFont(ListFont());
  resize(544, 370);

  model_ = new MoneyListModel(list_, this);
  delegate_ = new MoneyListDelegate(*model_, font(), this);

  ListBox1 = new QListView(this);
  ListBox1->setObjectName(Qs("ListBox1"));
  ListBox1->setModel(model_);
  ListBox1->setItemDelegate(delegate_);
  // Every line is as high as the first: the view never measures the others.
  ListBox1->setUniformItemSizes(true);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  ListBox1->installEventFilter(this);
  connect(ListBox1, &QListView::doubleClicked, this, [this] { EditPaymentLine(); });

  Panel1 = new QFrame(this);
  Panel1->setObjectName(Qs("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setFixedHeight(kBarHeight);
  Panel1->installEventFilter(this);

  B_edit = NewButton(Panel1, "B_edit", "Редактиране");
  Button2 = NewButton(Panel1, "Button2", "Основание");
  B_Print = NewButton(Panel1, "B_Print", "Печат");
  CheckBox1 = new QCheckBox(Qs("Покажи стари сметки"), Panel1);
  CheckBox1->setObjectName(Qs("CheckBox1"));
  B_Close = NewButton(Panel1, "B_Close", "Край");

  PlaceButton(B_edit, 8);
  PlaceButton(Button2, B_edit->geometry().right() + 1 + kButtonGap);
  PlaceButton(B_Print, Button2->geometry().right() + 1 + kButtonGap);
  const QSize box = CheckBox1->sizeHint();
  CheckBox1->setGeometry(B_Print->geometry().right() + 1 + 12, (kBarHeight - box.height()) / 2, box.width(),
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

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ListBox1, 1);
  layout->addWidget(Panel1);

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
  const Status loaded = LoadPaymentList(services_.files, list_);
  model_->Reload();
  setWindowTitle(ToQt(PaymentListCaption(list_)));
  loaded_ = loaded.ok();
  if (!loaded_) services_.messages.ReportError(loaded.message());
}

int TFMoneyForm::SelectedIndex() const {
  const QModelIndexList selected = ListBox1->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void TFMoneyForm::SelectLine(int index) {
  const QModelIndex line = model_->index(index);
  if (!line.isValid()) return;
  ListBox1->setCurrentIndex(line);
  ListBox1->scrollTo(line);
}

PrintFont TFMoneyForm::ListPrintFont() const { return PrintFont{FromQt(font().family()), font().pixelSize()}; }

void TFMoneyForm::B_editClick() { EditPaymentLine(); }

void TFMoneyForm::EditPaymentLine() {
  const int selected = SelectedIndex();
  std::optional<PaymentLine> working = LineForEdit(list_, selected);
  if (!working) return;
  TFormEditMoney dialog(services_.messages, this);
  if (dialog.EditPayment(Qs("Редактиране"), *working) != QDialog::Accepted) return;
  if (!ApplyEditedLine(list_, selected, *working)) return;
  model_->LineChanged(selected);
  SelectLine(selected);
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
  const Status printed = PrintPaymentList(list_, services_.printer, ListPrintFont());
  if (!printed.ok()) services_.messages.ReportError(printed.message());
}

void TFMoneyForm::CheckBox1Click() {
  delegate_->SetShowOldAccounts(CheckBox1->isChecked());
  ListBox1->viewport()->update();
}

void TFMoneyForm::B_CloseClick() { close(); }

void TFMoneyForm::MakePaymentFile() {
  TFmassout dialog(services_, payDay_.Settings, [this] { return PrintControlSheet(); }, this);
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
                                ListPrintFont());
}

bool TFMoneyForm::FormClose() {
  if (loaded_) {
    const Status saved =
        SavePaymentList(services_.files, list_, [this](const std::string& warning) { services_.messages.Show(warning); });
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
  if (!closed_ && !FormClose()) {
    event->ignore();
    return;
  }
  event->accept();
  if (!closed_) {
    closed_ = true;
    frame_.ChildClosed();
  }
}

void TFMoneyForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The amounts keep to the right border.
  ListBox1->viewport()->update();
}

bool TFMoneyForm::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::ParentChange) TrimSystemMenu();
  return handled;
}

void TFMoneyForm::TrimSystemMenu() {
  auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (window == nullptr) return;
  // Maximise, but no minimise.
  window->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
}

bool TFMoneyForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      EditPaymentLine();
      return true;
    }
  } else if (watched == Panel1 && event->type() == QEvent::Resize) {
    Panel1Resize();
  }
  return QWidget::eventFilter(watched, event);
}

void TFMoneyForm::Panel1Resize() {
  B_Close->move(CloseButtonX(Panel1->width(), B_Close->width(), B_Print->x() + B_Print->width()), kButtonTop);
}

}  // namespace zel::ui
