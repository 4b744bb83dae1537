#include "payment/ui/TFormEditMoney.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "common/ui/CentreOnScreen.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

// Labels end this far left of the centre line, fields start this far right of it.
constexpr int kHalfGap = 2;

std::size_t Slot(PaymentField field) { return static_cast<std::size_t>(field); }

}  // namespace

TFormEditMoney::TFormEditMoney(Messages& messages, Currency currency, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      messages_(messages),
      currency_(currency) {
  setObjectName(Qs("FormEditMoney"));
  CreateControls();
}

void TFormEditMoney::CreateControls() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(2 * kHalfGap);
  grid->setVerticalSpacing(6);

  const QFontMetrics metrics(font());
  int labelWidth = 0;
  int row = 0;
  for (const FieldInfo& info : PaymentFieldTable()) {
    const std::size_t slot = static_cast<std::size_t>(row);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Qs("Edit") + QString::number(row + 1));
    edit->setMaxLength(info.maxLength);
    edit->setValidator(new Cp1251Validator(edit));
    if (!info.editable) {
      edit->setReadOnly(true);
      // Reached by a click (to copy a value) but not by Tab.
      edit->setFocusPolicy(Qt::ClickFocus);
      QPalette palette = edit->palette();
      palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
      edit->setPalette(palette);
    }
    auto* label = new QLabel(ToQt(info.label), this);
    label->setObjectName(Qs("Label") + QString::number(row + 1));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(edit);
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label->text()));
    grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(edit, row, 1);
    edits_[slot] = edit;
    labels_[slot] = label;
    ++row;
  }
  // Two halves of one width: the gap between labels and fields is the centre line.
  const int half = std::max(labelWidth, metrics.horizontalAdvance(QLatin1Char('0')) * 34);
  grid->setColumnMinimumWidth(0, half);
  grid->setColumnMinimumWidth(1, half);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);

  B_Ok = NewDialogButton(*this, "B_Ok", "Потвърждаване", [this] { accept(); });
  B_Ok->setDefault(true);
  B_Cancel = NewDialogButton(*this, "B_Cancel", "Отказ", [this] { reject(); });

  FieldsAboveButtons(*this, grid, {B_Ok, B_Cancel});

  QLineEdit* amount = Field(PaymentField::NetAmount);
  QLineEdit* reason = Field(PaymentField::Reason);
  setTabOrder(amount, reason);
  setTabOrder(reason, B_Ok);
  setTabOrder(B_Ok, B_Cancel);
}

QLineEdit* TFormEditMoney::Field(PaymentField field) const { return edits_[Slot(field)]; }

void TFormEditMoney::ShowLine(const PaymentLine& line) {
  const PaymentFieldTexts texts = LoadPaymentFields(line);
  for (std::size_t i = 0; i < kPaymentFieldCount; ++i) {
    const auto field = static_cast<PaymentField>(i);
    QLineEdit* edit = Field(field);
    edit->setText(ToQt(texts[field]));
    edit->setCursorPosition(0);
  }
}

PaymentFieldTexts TFormEditMoney::FieldTexts() const {
  PaymentFieldTexts texts;
  for (std::size_t i = 0; i < kPaymentFieldCount; ++i) {
    const auto field = static_cast<PaymentField>(i);
    texts[field] = FromQt(Field(field)->text());
  }
  return texts;
}

int TFormEditMoney::EditPayment(const QString& title, PaymentLine& line) {
  setWindowTitle(title);
  ShowLine(line);
  Field(PaymentField::NetAmount)->setFocus();
  Field(PaymentField::NetAmount)->selectAll();
  if (exec() != QDialog::Accepted) return QDialog::Rejected;
  // The checks passed on confirmation, so the amount is one the line can hold.
  if (!StorePaymentFields(FieldTexts(), line, currency_)) return QDialog::Rejected;
  return QDialog::Accepted;
}

bool TFormEditMoney::FormCloseQuery() {
  const PaymentInputCheck check = CheckPaymentInput(FieldTexts(), currency_);
  if (check.valid) return true;
  messages_.Show(check.message);
  // Also a field that cannot be edited here: the user sees which value is wrong.
  QLineEdit* offending = Field(check.field);
  offending->setFocus();
  offending->selectAll();
  return false;
}

void TFormEditMoney::accept() {
  if (FormCloseQuery()) QDialog::accept();
}

void TFormEditMoney::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

}  // namespace zel::ui
