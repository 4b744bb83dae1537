#pragma once
// The preview of an import of amounts, before anything changes: every line
// of the file with what it would do, the number of changes, the list's total
// now and after, and what becomes of the amounts of the employees the file
// does not name. "Приложи" accepts, "Отказ" changes nothing.

#include <QDialog>

#include "common/currency.h"
#include "payment/amount_import.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace zel::ui {

class TFImportPreview : public QDialog {
  Q_OBJECT
public:
  // `file` is the file's name as the user chose it.
  TFImportPreview(const AmountImport& import, Currency currency, const QString& file, QWidget* parent = nullptr);

  // Whether the amounts of the lines the file does not name are to be emptied.
  bool EmptyUnnamed() const;

protected:
  void showEvent(QShowEvent* event) override;

private:
  class Lines;
  // The count of changes and the total after, for the choice made.
  void ShowOutcome();

  const AmountImport& import_;
  Currency currency_;
  QTableView* Grid = nullptr;
  QLabel* Changes = nullptr;
  QLabel* TotalAfter = nullptr;
  QRadioButton* KeepUnnamed = nullptr;
  QRadioButton* EmptyUnnamedButton = nullptr;
  QPushButton* B_Apply = nullptr;
  QPushButton* B_Cancel = nullptr;
};

}  // namespace zel::ui
