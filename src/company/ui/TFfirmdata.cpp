#include "company/ui/TFfirmdata.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/QtText.h"
#include "common/ui/TypingLimit.h"

namespace zel::ui {

namespace {

QLineEdit* NewEdit(QWidget* parent, const char* name, int maxLength) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(Qs(name));
  LimitTyping(*edit, maxLength);
  // Wide enough to show its longest text whole.
  const QString sample(static_cast<qsizetype>(maxLength), QChar(u'Н'));
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(sample) + 12);
  return edit;
}

QLabel* NewLabel(QWidget* parent, const char* name, const std::string& caption, QLineEdit* buddy) {
  auto* label = new QLabel(ToQt(caption), parent);
  label->setObjectName(Qs(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setBuddy(buddy);
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(Qs(caption), parent);
  button->setObjectName(Qs(name));
  // The dialog has no default button: Enter typed in a field presses
  // nothing, so a half-filled form is never confirmed by accident. Enter on
  // a focused button still presses that button, as everywhere.
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setMinimumWidth(80);
  return button;
}

}  // namespace

TFfirmdata::TFfirmdata(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
  setObjectName(Qs("Ffirmdata"));
  setWindowTitle(Qs("Данни за фирмата"));
  // A fixed dialog whose title bar holds the close box alone.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  QFont font(Qs("Times New Roman"));
  font.setPixelSize(10);
  setFont(font);

  const auto& table = CompanyFieldTable();
  Edit1 = NewEdit(this, "Edit1", table[kCompanyName].maxLength);
  Edit2 = NewEdit(this, "Edit2", table[kCompanyCodeBus].maxLength);
  Edit3 = NewEdit(this, "Edit3", table[kCompanyAccount].maxLength);
  Edit4 = NewEdit(this, "Edit4", table[kCompanyIban].maxLength);
  Label1 = NewLabel(this, "Label1", table[kCompanyName].label, Edit1);
  Label2 = NewLabel(this, "Label2", table[kCompanyCodeBus].label, Edit2);
  Label3 = NewLabel(this, "Label3", table[kCompanyAccount].label, Edit3);
  Label4 = NewLabel(this, "Label4", table[kCompanyIban].label, Edit4);

  auto* fields = new QGridLayout;
  fields->setContentsMargins(16, 16, 16, 12);
  fields->setHorizontalSpacing(8);
  fields->setVerticalSpacing(8);
  const std::pair<QLabel*, QLineEdit*> rows[] = {{Label1, Edit1}, {Label2, Edit2}, {Label3, Edit3}, {Label4, Edit4}};
  int row = 0;
  for (const auto& [label, edit] : rows) {
    fields->addWidget(label, row, 0);
    fields->addWidget(edit, row, 1, Qt::AlignLeft);
    ++row;
  }

  Panel1 = new QFrame(this);
  Panel1->setObjectName(Qs("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  B_Ok = NewButton(Panel1, "B_Ok", "Ok");
  CancelBtn = NewButton(Panel1, "CancelBtn", "Отказ");
  auto* buttons = new QHBoxLayout(Panel1);
  buttons->setContentsMargins(8, 6, 8, 6);
  buttons->addStretch(1);
  buttons->addWidget(B_Ok);
  buttons->addWidget(CancelBtn);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(fields);
  layout->addWidget(Panel1);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(B_Ok, &QPushButton::clicked, this, &TFfirmdata::B_OkClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);
  setTabOrder(Edit3, Edit4);
  setTabOrder(Edit4, B_Ok);
  setTabOrder(B_Ok, CancelBtn);
  Edit1->setFocus();

  FormCreate();
}

void TFfirmdata::FormCreate() {
  const CompanyData company = LoadCompanyData(services_.settings);
  // Whole, also a value longer than its field takes: "Ok" saves it back as it was.
  ShowWhole(*Edit1, ToQt(company.ClientName));
  ShowWhole(*Edit2, ToQt(company.CodeBUS));
  ShowWhole(*Edit3, ToQt(company.ClientAcc));
  ShowWhole(*Edit4, ToQt(company.IBANClientAcc));
}

QLineEdit* TFfirmdata::Field(CompanyField field) const {
  QLineEdit* const fields[kCompanyFieldCount] = {Edit1, Edit2, Edit3, Edit4};
  return fields[field];
}

CompanyData TFfirmdata::FieldData() const {
  return {FromQt(Edit1->text()), FromQt(Edit2->text()), FromQt(Edit3->text()), FromQt(Edit4->text())};
}

void TFfirmdata::B_OkClick() {
  const CompanyData company = FieldData();
  const CompanyCheck check = CheckCompanyData(company);
  if (!check.valid) {
    services_.messages.Show(check.message);
    Field(check.field)->setFocus();
    return;
  }
  const Status saved = SaveCompanyData(services_.settings, company);
  if (!saved.ok()) {
    // The user keeps his entries and may try again.
    services_.messages.ReportError(saved.message());
    return;
  }
  accept();
}

}  // namespace zel::ui
