#pragma once
// The request-type choice dialog: account opening or overdraft. Created once
// at start and kept, so that the last choice stays selected for the run.

#include <QDialog>

#include "personnel/request_files.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace zel::ui {

class TFChoice : public QDialog {
  Q_OBJECT
public:
  explicit TFChoice(QWidget* parent = nullptr);

  // The selected item of RadioGroup1: 0 account opening, 1 overdraft.
  int ItemIndex() const;
  void SetItemIndex(int index);
  RequestType ChosenType() const;

private:
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* Item0 = nullptr;
  QRadioButton* Item1 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace zel::ui
