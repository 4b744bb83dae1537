#include "common/ui/QtMessages.h"

#include <QApplication>
#include <QMessageBox>

#include "common/ui/CentreOnScreen.h"
#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

QString ApplicationTitle() { return Qs("ZEL"); }

QMessageBox::Icon ToQtIcon(Messages::Icon icon) {
  switch (icon) {
    case Messages::Icon::Question: return QMessageBox::Question;
    case Messages::Icon::Error: return QMessageBox::Critical;
    case Messages::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

// A message box centred on its screen. It takes its final size only as it
// shows (wrapping a long text), so it is centred then.
class CentredBox : public QMessageBox {
public:
  using QMessageBox::QMessageBox;

protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    CentreOnScreen(*this);
  }
};

// Shows the box modally over the active window, centred on that window's
// screen; returns the button the user chose.
QMessageBox::StandardButton Run(QMessageBox& box) {
  // Texts carry names and paths, never markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
  return box.standardButton(box.clickedButton());
}

void ShowOk(const QString& caption, const std::string& text, QMessageBox::Icon icon) {
  CentredBox box(icon, caption, ToQt(text), QMessageBox::Ok, QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  Run(box);
}

}  // namespace

void QtMessages::Show(const std::string& text) { ShowOk(ApplicationTitle(), text, QMessageBox::NoIcon); }

void QtMessages::ShowCaptioned(const std::string& caption, const std::string& text) {
  ShowOk(ToQt(caption), text, QMessageBox::NoIcon);
}

bool QtMessages::Ask(const std::string& caption, const std::string& text, Icon icon, Default defaultButton) {
  CentredBox box(ToQtIcon(icon), ToQt(caption), ToQt(text), QMessageBox::Ok | QMessageBox::Cancel,
                 QApplication::activeWindow());
  box.setDefaultButton(defaultButton == Default::Cancel ? QMessageBox::Cancel : QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Cancel);
  return Run(box) == QMessageBox::Ok;
}

void QtMessages::ReportError(const std::string& text) { ShowOk(ApplicationTitle(), text, QMessageBox::Critical); }

}  // namespace zel::ui
