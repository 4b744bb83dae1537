#include "personnel/ui/TFormEditPerson.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "common/messages.h"
#include "common/ui/CentreOnScreen.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/QtText.h"
#include "personnel/register.h"

namespace zel::ui {

namespace {

constexpr int kMargin = 12;
constexpr int kRowGap = 4;
// Labels end this far left of the centre line, fields start this far right of it.
constexpr int kCentreGap = 2;
// The widest field shows this many digits; longer texts scroll inside it.
constexpr int kWidestFieldChars = 42;

}  // namespace

TFormEditPerson::TFormEditPerson(Messages& messages, const Register& list, QWidget* parent)
    : QDialog(parent), messages_(messages), list_(list) {
  setObjectName(Qs("FormEditPerson"));
  UseDialogFont(*this);
  CreateControls();
  PlaceControls();
}

void TFormEditPerson::CreateControls() {
  const auto& table = EmployeeFieldTable();
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    edit->setMaxLength(table[i].maxLength);
    edit->setValidator(new Cp1251Validator(edit));
    auto* label = new QLabel(ToQt(table[i].label), this);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(edit);
    edits_[i] = edit;
    labels_[i] = label;
  }

  // The birth date follows the EGN; it looks like the dialog, not like a field.
  QLineEdit* birthDate = edits_[kFieldBirthDate];
  birthDate->setReadOnly(true);
  birthDate->setFocusPolicy(Qt::NoFocus);
  QPalette palette = birthDate->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  birthDate->setPalette(palette);
  connect(edits_[kFieldEgn], &QLineEdit::textChanged, this, &TFormEditPerson::Edit2Change);

  CheckBox1 = new QCheckBox(ToQt(EmployeeLeftCaption()), this);
  CheckBox1->setObjectName(Qs("CheckBox1"));
  // The caption stands to the left of the box.
  CheckBox1->setLayoutDirection(Qt::RightToLeft);

  B_Ok = NewDialogButton(*this, "B_Ok", "Потвърждаване", [this] { B_OkClick(); });
  B_Ok->setDefault(true);
  B_Cancel = NewDialogButton(*this, "B_Cancel", "Отказ", [this] { reject(); });

  QWidget* previous = nullptr;
  for (QWidget* next : edits_) {
    if (next == birthDate) continue;
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }
  setTabOrder(previous, CheckBox1);
  setTabOrder(CheckBox1, B_Ok);
  setTabOrder(B_Ok, B_Cancel);
}

void TFormEditPerson::PlaceControls() {
  const QFontMetrics metrics(font());
  const auto& table = EmployeeFieldTable();
  int labelWidth = 0;
  for (QLabel* label : labels_) labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label->text()));
  const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
  const int padding = 2 * edits_[0]->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8;
  const int fieldColumn = std::max(labelWidth, digit * kWidestFieldChars + padding);
  const int centre = kMargin + fieldColumn + kCentreGap;
  const int rowHeight = std::max(edits_[0]->sizeHint().height(), metrics.height() + 6);

  int y = kMargin;
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    // Each field is as wide as its longest text, so its size tells what it takes.
    // Two characters of slack: letters run wider than digits.
    const int chars = std::max(table[i].maxLength, 1) + 2;
    const int width = std::min(fieldColumn, digit * chars + padding);
    labels_[i]->setGeometry(centre - kCentreGap - fieldColumn, y, fieldColumn, rowHeight);
    edits_[i]->setGeometry(centre + kCentreGap, y, width, rowHeight);
    y += rowHeight + kRowGap;
  }

  // The box lines up with the fields, its caption with the labels.
  const QSize check = CheckBox1->sizeHint();
  const int box = CheckBox1->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, CheckBox1);
  CheckBox1->setGeometry(centre + kCentreGap + box - check.width(), y + 2, check.width(), check.height());
  y += check.height() + 2 * kMargin;

  const int dialogWidth = centre + kCentreGap + fieldColumn + kMargin;
  const int buttonHeight = std::max(27, B_Ok->sizeHint().height());
  const int cancelWidth = std::max(90, B_Cancel->sizeHint().width());
  const int okWidth = std::max(cancelWidth, B_Ok->sizeHint().width());
  B_Cancel->setGeometry(dialogWidth - kMargin - cancelWidth, y, cancelWidth, buttonHeight);
  B_Ok->setGeometry(B_Cancel->x() - 8 - okWidth, y, okWidth, buttonHeight);
  setFixedSize(dialogWidth, y + buttonHeight + kMargin);
}

bool TFormEditPerson::EditEmployee(const QString& title, EmployeeRecord& record) {
  setWindowTitle(title);
  record_ = &record;
  ShowRecord(record);
  CentreOnScreen(*this);
  edits_[kFieldFullName]->setFocus();
  const bool confirmed = exec() == QDialog::Accepted;
  record_ = nullptr;
  return confirmed;
}

void TFormEditPerson::ShowRecord(const EmployeeRecord& record) {
  // In field order: the EGN fills the birth date, and the stored birth date
  // then replaces it, so what was stored shows first.
  const EmployeeFields fields = LoadEmployeeFields(record, list_.currency());
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) edits_[i]->setText(ToQt(fields.texts[i]));
  CheckBox1->setChecked(fields.hasLeft);
}

EmployeeFields TFormEditPerson::CurrentFields() const {
  EmployeeFields fields;
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) fields.texts[i] = FromQt(edits_[i]->text());
  fields.hasLeft = CheckBox1->isChecked();
  return fields;
}

void TFormEditPerson::ShowFields(const EmployeeFields& fields) {
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    const QString text = ToQt(fields.texts[i]);
    // Unchanged fields keep their cursor and undo history.
    if (edits_[i]->text() != text) edits_[i]->setText(text);
  }
}

void TFormEditPerson::Edit2Change() {
  const std::string birthDate =
      BirthDateForEgnText(FromQt(edits_[kFieldEgn]->text()), FromQt(edits_[kFieldBirthDate]->text()));
  edits_[kFieldBirthDate]->setText(ToQt(birthDate));
}

void TFormEditPerson::B_OkClick() {
  EmployeeFields fields = CurrentFields();
  const EmployeeCheck result = CheckEmployeeInput(fields, list_);
  ShowFields(fields);
  if (!result.valid) {
    messages_.Show(result.message);
    edits_[static_cast<std::size_t>(result.field)]->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (record_ != nullptr) StoreEmployeeFields(fields, *record_);
  accept();
}

}  // namespace zel::ui
