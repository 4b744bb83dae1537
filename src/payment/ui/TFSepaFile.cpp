#include "payment/ui/TFSepaFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/data_files.h"
#include "common/file_io.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/Dialogs.h"
#include "common/ui/QtText.h"
#include "common/ui/TypingLimit.h"
#include "company/company_data.h"

namespace zel::ui {

namespace {

std::size_t Slot(SepaField field) { return static_cast<std::size_t>(field); }

// The labels with their access keys; the messages quote them without.
const char* const kAccessLabels[kSepaFieldCount] = {"&Наредител на латиница", "&IBAN на наредителя", "&BIC на банката",
                                                    "&Дата на изпълнение"};

}  // namespace

TFSepaFile::TFSepaFile(Services& services, const PaymentList& list, const PrintFont& font, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(services),
      list_(list),
      font_(font) {
  setObjectName(Qs("FSepaFile"));
  setWindowTitle(Qs("SEPA файл (XML)"));
  UseDialogFont(*this);
  CreateControls();
  FormCreate();
}

void TFSepaFile::CreateControls() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  const QFontMetrics metrics(font());
  const auto addRow = [&](int row, const char* label, QWidget* field, const char* labelName) {
    auto* caption = new QLabel(Qs(label), this);
    caption->setObjectName(Qs(labelName));
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(field, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
  };
  int row = 0;
  for (const FieldInfo& info : SepaFieldTable()) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Qs("Edit") + QString::number(row + 1));
    LimitTyping(*edit, info.maxLength);
    // The name as wide as some 50 letters; the others as their longest text.
    const int letters = std::min(std::max(info.maxLength, 10), 50);
    edit->setMinimumWidth(metrics.horizontalAdvance(QString(letters, QLatin1Char('W'))) * 3 / 4 + 12);
    connect(edit, &QLineEdit::textEdited, this, [this] { FieldChanged(); });
    edits_[static_cast<std::size_t>(row)] = edit;
    addRow(row, kAccessLabels[row], edit, ("Label" + std::to_string(row + 1)).c_str());
    ++row;
  }
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(Qs("ComboBox1"));
  for (const SepaVersion version : {SepaVersion::Pain09, SepaVersion::Pain03}) {
    ComboBox1->addItem(
        QString::fromLatin1(SepaVersionName(version).data(), static_cast<qsizetype>(SepaVersionName(version).size())),
        static_cast<int>(version));
  }
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { FieldChanged(); });
  addRow(row++, "&Формат", ComboBox1, "Label5");
  CheckBox1 = new QCheckBox(Qs("&Едно осчетоводяване за целия файл"), this);
  CheckBox1->setObjectName(Qs("CheckBox1"));
  connect(CheckBox1, &QCheckBox::toggled, this, [this] { FieldChanged(); });
  grid->addWidget(CheckBox1, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
  grid->setColumnStretch(1, 1);

  B_Ok = NewDialogButton(*this, "B_Ok", "&Запис", [this] { B_OkClick(); });
  B_Ok->setEnabled(false);
  // Enter writes once a printed sheet has enabled "Запис", and does nothing before.
  B_Ok->setDefault(true);
  B_Print = NewDialogButton(*this, "B_Print", "&Печат на контролен лист", [this] { B_PrintClick(); });
  B_Cancel = NewDialogButton(*this, "B_Cancel", "Отказ", [this] { reject(); });

  FieldsAboveButtons(*this, grid, {B_Ok, B_Print, B_Cancel});

  SetTabOrder({Field(SepaField::PayerName), Field(SepaField::PayerIban), Field(SepaField::PayerBic),
               Field(SepaField::ExecutionDate), ComboBox1, CheckBox1, B_Ok, B_Print, B_Cancel});
  Field(SepaField::PayerName)->setFocus();
}

void TFSepaFile::FormCreate() {
  const SepaForm form = InitialSepaForm(LoadCompanyData(services_.settings), services_.clock.Today());
  for (std::size_t i = 0; i < kSepaFieldCount; ++i) {
    QLineEdit* edit = edits_[i];
    ShowWhole(*edit, ToQt(form.texts[i]));
    edit->setCursorPosition(0);
  }
  ComboBox1->setCurrentIndex(ComboBox1->findData(static_cast<int>(form.version)));
  CheckBox1->setChecked(form.batchBooking);
}

QLineEdit* TFSepaFile::Field(SepaField field) const { return edits_[Slot(field)]; }

SepaForm TFSepaFile::Form() const {
  SepaForm form;
  for (std::size_t i = 0; i < kSepaFieldCount; ++i) form.texts[i] = FromQt(edits_[i]->text());
  form.version = static_cast<SepaVersion>(ComboBox1->currentData().toInt());
  form.batchBooking = CheckBox1->isChecked();
  return form;
}

void TFSepaFile::FieldChanged() {
  file_.reset();
  B_Ok->setEnabled(false);
}

void TFSepaFile::B_PrintClick() {
  SepaForm form = Form();
  const SepaPrintResult result =
      RunSepaPrint(form, list_, services_.files, services_.clock, services_.printer, font_, file_);
  // The checks write the name in Latin letters, the IBAN and BIC in
  // capitals and the date with "." between its parts: the fields show what
  // went into the file.
  for (std::size_t i = 0; i < kSepaFieldCount; ++i) {
    const QString text = ToQt(form.texts[i]);
    if (edits_[i]->text() != text) ShowWhole(*edits_[i], text);
  }
  if (!result.message.empty()) services_.messages.Show(result.message);
  if (!result.error.ok()) services_.messages.ReportError(result.error.message());
  B_Ok->setEnabled(file_.has_value());
  if (file_) B_Ok->setFocus();
  if (result.focus) {
    QLineEdit* offending = Field(*result.focus);
    offending->setFocus();
    offending->selectAll();
  }
}

void TFSepaFile::B_OkClick() {
  if (!file_) return;
  // The data folder's path is UTF-8, as every path of the program.
  const QString suggested = QString::fromStdString(DataDir() + file_->suggestedName);
  const std::optional<QString> name =
      services_.dialogs.SaveFileName(this, FileOffer{Qs("SEPA XML (*.xml)"), suggested});
  if (!name) return;
  const std::string path = FilePathBytes(*name);
  const Status written = WriteSepaFile(services_.files, *file_, path);
  if (!written.ok()) {
    services_.messages.ReportError(written.message());
    return;
  }
  services_.messages.Show(SepaWrittenMessage(files::FullPath(services_.files, path)));
  accept();
}

}  // namespace zel::ui
