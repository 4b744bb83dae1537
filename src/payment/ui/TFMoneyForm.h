#pragma once
// The mass payment list: the child window of the frame in which the user
// prepares a pay day. It builds the payment lines from the register and the
// stored payment list when it opens, edits the amount and reason of a line,
// gives every line one reason, prints the list, produces the mass payment
// file for the bank, and writes the lines back when it closes.

#include "common/ui/ListWindow.h"
#include "payment/control_sheet.h"
#include "payment/money_list.h"
#include "payment/payment_list.h"

namespace zel::ui {

class TFMoneyForm : public ListWindow {
  Q_OBJECT
public:
  // FormCreate: fixes the columns and loads the lines; a load failure is
  // reported, and the window is then not to be shown (Loaded() is false).
  explicit TFMoneyForm(Services& services);

  const PaymentList& paymentList() const { return list_; }
  const PayDay& payDay() const { return payDay_; }

  // "Запис във файл" of the frame: the payment file dialog, then on "Ok"
  // the final mass payment file.
  void WriteFile() override;
  // The bank's files go into the personnel list only.
  void ReadBankFile(BankFile) override {}
  // "SEPA файл (XML)" of the frame: the SEPA credit transfer file of the lines.
  void WriteSepaFile() override;
  // "Внос на суми от файл" of the frame: net amounts from a spreadsheet file, after a preview.
  void ImportAmounts() override;
  // "Износ в CSV" of the frame: the lines into a spreadsheet file.
  void ExportCsv() override;

private:
  int LineCount() const override { return static_cast<int>(list_.lines.size()); }
  std::string LineName(int row) const override;
  // As wide as the amounts at their leftmost place: a narrower list scrolls.
  int LineWidth() const override { return columns_.amountMinRight + columns_.letterW; }
  void DrawLine(QPainter& painter, const QRect& rect, int row) const override;
  void EditSelected() override;
  // FormClose: true when the lines are saved (or there was nothing to save).
  bool FormClose() override;

  void Button2Click();
  void B_PrintClick();
  // "Печат на контролен лист" of the payment file dialog, on the settings it stored.
  ControlSheetResult PrintControlSheet();

  PaymentList list_;
  // The pay day's settings, control string and total (StoredControlString,
  // StoredTotal) from the control sheet to the final file.
  PayDay payDay_;
  MoneyListColumns columns_;
};

}  // namespace zel::ui
