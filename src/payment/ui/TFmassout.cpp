#include "payment/ui/TFmassout.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "common/ui/DialogButtons.h"
#include "common/ui/QtText.h"
#include "common/ui/TypingLimit.h"
#include "company/company_data.h"

namespace zel::ui {

namespace {

std::size_t Slot(PayFileField field) { return static_cast<std::size_t>(field); }

}  // namespace

TFmassout::TFmassout(Services& services, PayFileSettings& stored, ControlSheetCall printControlSheet, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(services),
      stored_(stored),
      printControlSheet_(std::move(printControlSheet)) {
  setObjectName(Qs("Fmassout"));
  setWindowTitle(Qs("Запис на файл"));
  CreateControls();
  FormCreate();
}

void TFmassout::CreateControls() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);

  const QFontMetrics metrics(font());
  int row = 0;
  for (const FieldInfo& info : PayFileFieldTable()) {
    const auto field = static_cast<PayFileField>(row);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Qs("Edit") + QString::number(row + 1));
    LimitTyping(*edit, info.maxLength);
    // Room for the longest text the field takes.
    edit->setMinimumWidth(metrics.horizontalAdvance(QString(std::max(info.maxLength, 10), QLatin1Char('W'))) * 3 / 4 +
                          12);
    if (!info.editable) {
      edit->setReadOnly(true);
      edit->setEnabled(false);
    }
    auto* label = new QLabel(ToQt(info.label), this);
    label->setObjectName(Qs("Label") + QString::number(row + 1));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(edit, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    edits_[Slot(field)] = edit;
    labels_[Slot(field)] = label;
    ++row;
  }
  grid->setColumnStretch(1, 1);

  B_Ok = NewDialogButton(*this, "B_Ok", "Ok", [this] { accept(); });
  B_Ok->setEnabled(false);
  // Enter confirms once a printed sheet has enabled "Ok", and does nothing before.
  B_Ok->setDefault(true);
  B_Print = NewDialogButton(*this, "B_Print", "Печат на контролен лист", [this] { B_PrintClick(); });
  B_Cancel = NewDialogButton(*this, "B_Cancel", "Отказ", [this] { reject(); });

  FieldsAboveButtons(*this, grid, {B_Ok, B_Print, B_Cancel});

  // The two fields that cannot be changed here are left out.
  SetTabOrder({Field(PayFileField::CompanyName), Field(PayFileField::CompanyIban), Field(PayFileField::PayDate),
               Field(PayFileField::SeqNo), B_Ok, B_Print, B_Cancel});
  Field(PayFileField::CompanyName)->setFocus();
}

void TFmassout::FormCreate() {
  const PayFileFieldTexts texts = InitialPayFileFields(LoadCompanyData(services_.settings), services_.clock.Today());
  for (std::size_t i = 0; i < kPayFileFieldCount; ++i) {
    const auto field = static_cast<PayFileField>(i);
    QLineEdit* edit = Field(field);
    // Whole, also a stored value longer than its field takes: the print
    // command saves the company data back as it was.
    ShowWhole(*edit, ToQt(texts[field]));
    edit->setCursorPosition(0);
  }
}

QLineEdit* TFmassout::Field(PayFileField field) const { return edits_[Slot(field)]; }

PayFileFieldTexts TFmassout::FieldTexts() const {
  PayFileFieldTexts texts;
  for (std::size_t i = 0; i < kPayFileFieldCount; ++i) {
    const auto field = static_cast<PayFileField>(i);
    texts[field] = FromQt(Field(field)->text());
  }
  return texts;
}

void TFmassout::B_PrintClick() {
  PayFileFieldTexts texts = FieldTexts();
  const PayFilePrintResult result = RunPayFilePrint(texts, services_.settings, stored_, printControlSheet_,
                                                    services_.folder.currency, services_.clock.Today());
  // The check writes the date with "." as its separators and the IBAN in
  // capitals: the fields show what was stored.
  for (const PayFileField checked : {PayFileField::PayDate, PayFileField::CompanyIban}) {
    QLineEdit* field = Field(checked);
    const QString text = ToQt(texts[checked]);
    if (field->text() != text) ShowWhole(*field, text);
  }

  if (!result.message.empty()) services_.messages.Show(result.message);
  if (!result.error.ok()) services_.messages.ReportError(result.error.message());
  switch (result.ok) {
    case OkButton::Enable:
      B_Ok->setEnabled(true);
      B_Ok->setFocus();
      break;
    case OkButton::Disable: B_Ok->setEnabled(false); break;
    case OkButton::Keep: break;
  }
  if (result.focus) {
    QLineEdit* offending = Field(*result.focus);
    offending->setFocus();
    offending->selectAll();
  }
}

}  // namespace zel::ui
