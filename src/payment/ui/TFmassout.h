#pragma once
// The payment file dialog "Запис на файл": the payer, the payment date and
// the sequence number of the mass payment file. "Печат на контролен лист"
// validates them, fixes the file name, saves the company data and has the
// control sheet printed; only a printed sheet enables "Ok".

#include <QDialog>
#include <array>

#include "common/ui/Services.h"
#include "payment/pay_file_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zel::ui {

class TFmassout : public QDialog {
  Q_OBJECT
public:
  // FormCreate: today's date, the sequence number "0" and the company data.
  // `stored` is where "Печат на контролен лист" stores the pay day's settings
  // before it has the control sheet printed.
  TFmassout(Services& services, PayFileSettings& stored, ControlSheetCall printControlSheet, QWidget* parent = nullptr);

  QLineEdit* Field(PayFileField field) const;
  PayFileFieldTexts FieldTexts() const;

  void B_PrintClick();

private:
  void CreateControls();
  void FormCreate();

  Services& services_;
  PayFileSettings& stored_;
  ControlSheetCall printControlSheet_;
  std::array<QLineEdit*, kPayFileFieldCount> edits_{};
  std::array<QLabel*, kPayFileFieldCount> labels_{};
  QPushButton* B_Ok = nullptr;
  QPushButton* B_Print = nullptr;
  QPushButton* B_Cancel = nullptr;
};

}  // namespace zel::ui
