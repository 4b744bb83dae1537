#include "shell/ui/TFEuroReport.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/CentreOnScreen.h"
#include "common/ui/QtText.h"

namespace zel::ui {

TFEuroReport::TFEuroReport(Services& services, const ConversionReport& report, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      services_(services),
      report_(report) {
  setObjectName(Qs("FEuroReport"));
  setWindowTitle(Qs("Превръщане в евро"));

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(Qs("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The columns are blanks: they line up in a font of one width.
  Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QString text;
  for (const std::string& line : ReportLines(report)) {
    text += ToQt(line);
    text += QLatin1Char('\n');
  }
  Memo1->setPlainText(text);

  B_Print = new QPushButton(Qs("Печат"), this);
  B_Print->setObjectName(Qs("B_Print"));
  B_Close = new QPushButton(Qs("Затвори"), this);
  B_Close->setObjectName(Qs("B_Close"));
  B_Close->setDefault(true);
  connect(B_Print, &QPushButton::clicked, this, &TFEuroReport::B_PrintClick);
  connect(B_Close, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(B_Print);
  buttons->addWidget(B_Close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1, 1);
  layout->addLayout(buttons);

  setTabOrder(Memo1, B_Print);
  setTabOrder(B_Print, B_Close);
  B_Close->setFocus();
  // Room for the widest lines on a 1366 x 768 screen.
  resize(1000, 600);
  CentreOnScreen(*this);
}

void TFEuroReport::B_PrintClick() {
  const Status printed = PrintConversionReport(services_.printer, report_, PrintFont{});
  if (!printed.ok()) services_.messages.ReportError(printed.message());
}

}  // namespace zel::ui
