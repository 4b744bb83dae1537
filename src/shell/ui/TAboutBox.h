#pragma once
// The About box: product, version and maker. Created once at start.

#include <QDialog>

class QLabel;
class QPushButton;

namespace zel::ui {

class TAboutBox : public QDialog {
  Q_OBJECT
public:
  explicit TAboutBox(QWidget* parent = nullptr);

  void setVisible(bool visible) override;

private:
  QLabel* ProgramIcon = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* OKButton = nullptr;
};

}  // namespace zel::ui
