#pragma once
// The report of the conversion into euro on screen: every converted amount
// before and after, with the totals, as the report file holds it; "Печат"
// prints it like the lists.

#include <QDialog>

#include "common/ui/Services.h"
#include "shell/euro_report.h"

class QPlainTextEdit;
class QPushButton;

namespace zel::ui {

class TFEuroReport : public QDialog {
  Q_OBJECT
public:
  TFEuroReport(Services& services, const ConversionReport& report, QWidget* parent = nullptr);

  void B_PrintClick();

private:
  Services& services_;
  const ConversionReport& report_;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* B_Print = nullptr;
  QPushButton* B_Close = nullptr;
};

}  // namespace zel::ui
