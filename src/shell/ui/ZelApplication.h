#pragma once
// The application object. An error that escapes a command ends that command
// only: it is reported in an error box and the program keeps running. Enter
// on a focused button presses that button, in every window.

#include <QApplication>

namespace zel {
class Messages;
}

namespace zel::ui {

class ZelApplication : public QApplication {
  Q_OBJECT
public:
  ZelApplication(int& argc, char* argv[]);

  // Where the errors are reported; until set they end the program.
  void SetErrorReport(Messages* messages) { messages_ = messages; }

  bool notify(QObject* receiver, QEvent* event) override;

private:
  Messages* messages_ = nullptr;
};

}  // namespace zel::ui
