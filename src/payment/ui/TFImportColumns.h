#pragma once
// The choice of the columns of a spreadsheet file that has no header naming
// them: its first lines as they are, and which column holds the EGN, the
// amount and (if any) the name, and whether the first line is a header.

#include <QDialog>

#include "common/csv_reader.h"
#include "common/messages.h"
#include "payment/amount_import.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

namespace zel::ui {

class TFImportColumns : public QDialog {
  Q_OBJECT
public:
  // Shows the first lines of `table` with the columns of `guess` chosen.
  TFImportColumns(Messages& messages, const csv::Table& table, const ImportColumns& guess, QWidget* parent = nullptr);

  // The columns as chosen; valid after the dialog was accepted.
  ImportColumns Chosen() const;

public slots:
  // Refuses one column for both the EGN and the amount.
  void accept() override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  Messages& messages_;
  QTableWidget* Grid = nullptr;
  QComboBox* EgnColumn = nullptr;
  QComboBox* AmountColumn = nullptr;
  QComboBox* NameColumn = nullptr;
  QCheckBox* HeaderRow = nullptr;
  QPushButton* B_Ok = nullptr;
  QPushButton* B_Cancel = nullptr;
};

}  // namespace zel::ui
