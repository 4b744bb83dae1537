#pragma once
// The company data dialog: the company's name, bank code, account and IBAN,
// loaded from the settings store when it is created and saved on "Ok" once
// they pass the check.

#include <QDialog>

#include "common/ui/Services.h"
#include "company/company_data.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zel::ui {

class TFfirmdata : public QDialog {
  Q_OBJECT
public:
  explicit TFfirmdata(Services& services, QWidget* parent = nullptr);

  // The texts of the four fields, in CompanyData order.
  CompanyData FieldData() const;

  void B_OkClick();

private:
  void FormCreate();
  QLineEdit* Field(CompanyField field) const;

  Services& services_;

  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* B_Ok = nullptr;
  QPushButton* CancelBtn = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLabel* Label4 = nullptr;
};

}  // namespace zel::ui
