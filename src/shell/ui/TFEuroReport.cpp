#include "shell/ui/TFEuroReport.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/CentreOnScreen.h"
#include "common/ui/DialogButtons.h"
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

  B_Print = NewDialogButton(*this, "B_Print", "Печат", [this] { B_PrintClick(); });
  B_Close = NewDialogButton(*this, "B_Close", "Затвори", [this] { accept(); });
  B_Close->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1, 1);
  layout->addLayout(ButtonRow({B_Print, B_Close}));
  SetTabOrder({Memo1, B_Print, B_Close});
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
