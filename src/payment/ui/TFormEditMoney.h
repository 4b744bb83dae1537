#pragma once
// The payment edit dialog: shows the employee a payment goes to and lets
// the user set its net amount and reason; the line is written only after a
// confirmation that passed the checks.

#include <QDialog>
#include <array>

#include "common/currency.h"
#include "common/messages.h"
#include "payment/payment_form.h"
#include "payment/payment_record.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zel::ui {

class TFormEditMoney : public QDialog {
  Q_OBJECT
public:
  // `currency` is that of the amounts, whose minimum the check applies.
  TFormEditMoney(Messages& messages, Currency currency, QWidget* parent = nullptr);

  // Shows the line under `title` modally; on OK the line holds the new net
  // amount and reason, on Cancel it is unchanged. Returns the modal result.
  int EditPayment(const QString& title, PaymentLine& line);

  QLineEdit* Field(PaymentField field) const;
  PaymentFieldTexts FieldTexts() const;

  // FormCloseQuery for a confirmation: false, after the message and with the
  // focus on the offending field, when the input is not valid.
  bool FormCloseQuery();

public slots:
  void accept() override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void CreateControls();
  void ShowLine(const PaymentLine& line);

  Messages& messages_;
  Currency currency_;
  std::array<QLineEdit*, kPaymentFieldCount> edits_{};
  std::array<QLabel*, kPaymentFieldCount> labels_{};
  QPushButton* B_Ok = nullptr;
  QPushButton* B_Cancel = nullptr;
};

}  // namespace zel::ui
