#pragma once
// The mass payment list: the child window of the frame in which the user
// prepares a pay day. It builds the payment lines from the register and the
// stored payment list when it opens, edits the amount and reason of a line,
// gives every line one reason, prints the list, produces the mass payment
// file for the bank, and writes the lines back when it closes.

#include <QWidget>
#include <string>

#include "common/print_surface.h"
#include "common/ui/Services.h"
#include "payment/control_sheet.h"
#include "payment/pay_file_settings.h"
#include "payment/payment_list.h"

class QCheckBox;
class QFrame;
class QListView;
class QPushButton;

namespace zel::ui {

class MoneyListDelegate;
class MoneyListModel;

class TFMoneyForm : public QWidget {
  Q_OBJECT
public:
  // FormCreate: fixes the columns and loads the lines; a load failure is
  // reported, and the window is then not to be shown (Loaded() is false).
  explicit TFMoneyForm(Services& services, QWidget* parent = nullptr);
  ~TFMoneyForm() override;

  bool Loaded() const { return loaded_; }

  const PaymentList& paymentList() const { return list_; }
  const PayDay& payDay() const { return payDay_; }
  // The selected line, -1 when none.
  int SelectedIndex() const;

  // "Запис във файл" of the frame: the payment file dialog, then on "Ok"
  // the final mass payment file.
  void MakePaymentFile();
  // "Печат на контролен лист" of the payment file dialog, on the settings it stored.
  ControlSheetResult PrintControlSheet();

  // The commands.
  void B_editClick();
  void Button2Click();
  void B_PrintClick();
  void B_CloseClick();
  void CheckBox1Click();
  void EditPaymentLine();

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void FormCreate();
  void CreateControls();
  void Panel1Resize();
  // FormClose: true when the lines are saved (or there was nothing to save).
  bool FormClose();

  Services& services_;
  PaymentList list_;
  // The pay day's settings, control string and total (StoredControlString,
  // StoredTotal) from the control sheet to the final file.
  PayDay payDay_;
  // A list that could not be read whole is never written over the stored one.
  bool loaded_ = false;
  bool closed_ = false;

  MoneyListModel* model_ = nullptr;
  MoneyListDelegate* delegate_ = nullptr;
  QListView* ListBox1 = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* B_edit = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* B_Print = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* B_Close = nullptr;
};

}  // namespace zel::ui
