#pragma once
// The dialog "SEPA файл (XML)": the payer in Latin letters, its IBAN and
// BIC, the execution date, the format and the booking of the SEPA credit
// transfer file. "Печат на контролен лист" checks them, fixes the file and
// prints its control sheet; only then can "Запис" write that very file, and
// a change of any field afterwards takes "Запис" back until the next sheet.

#include <QDialog>
#include <array>
#include <optional>

#include "common/ui/Services.h"
#include "payment/payment_list.h"
#include "payment/sepa_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zel::ui {

class TFSepaFile : public QDialog {
  Q_OBJECT
public:
  // FormCreate: the fields from the company data and today.
  TFSepaFile(Services& services, const PaymentList& list, const PrintFont& font, QWidget* parent = nullptr);

  QLineEdit* Field(SepaField field) const;

  void B_PrintClick();
  void B_OkClick();

private:
  void CreateControls();
  void FormCreate();
  SepaForm Form() const;
  // A field changed after the sheet: what is written would no longer be what was printed.
  void FieldChanged();

  Services& services_;
  const PaymentList& list_;
  PrintFont font_;
  std::optional<SepaFile> file_;  // fixed by the last printed sheet
  std::array<QLineEdit*, kSepaFieldCount> edits_{};
  QComboBox* ComboBox1 = nullptr;  // the format
  QCheckBox* CheckBox1 = nullptr;  // one booking
  QPushButton* B_Ok = nullptr;
  QPushButton* B_Print = nullptr;
  QPushButton* B_Cancel = nullptr;
};

}  // namespace zel::ui
