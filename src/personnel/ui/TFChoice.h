#pragma once
// The request-type choice dialog: account opening or overdraft. One is kept
// for the run, so that the last choice stays selected.

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
  // The dialog kept under the top-level window of `window` (the main
  // window), made on first use: every personnel list of the run opens it
  // on the last choice.
  static TFChoice& KeptFor(QWidget& window);

  // The selected item of RadioGroup1: 0 account opening, 1 overdraft.
  int ItemIndex() const;
  RequestType ChosenType() const;

private:
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* Item0 = nullptr;
  QRadioButton* Item1 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace zel::ui
