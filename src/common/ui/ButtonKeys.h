#pragma once
// Enter on a focused push button presses that button, in every window and
// dialog, as on the desktop the program was made for. Qt presses it only when
// the button is a dialog's "auto default" one; otherwise Enter does nothing
// (the list windows) or reaches the dialog's default button, which then runs
// in place of the one the user is on ("Потвърждаване" for a focused "Отказ").
// Installed once on the application object, so that every window, dialog and
// message box has it.

#include <QObject>

namespace zel::ui {

class EnterPressesFocusedButton : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zel::ui
