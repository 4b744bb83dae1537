#include "shell/ui/ZelApplication.h"

#include <exception>

#include "common/messages.h"
#include "common/ui/ButtonKeys.h"

namespace zel::ui {

ZelApplication::ZelApplication(int& argc, char* argv[]) : QApplication(argc, argv) {
  installEventFilter(new EnterPressesFocusedButton(this));
}

bool ZelApplication::notify(QObject* receiver, QEvent* event) {
  if (messages_ == nullptr) return QApplication::notify(receiver, event);
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    messages_->ReportError(error.what());
  } catch (...) {
    messages_->ReportError("Unknown error");
  }
  return false;
}

}  // namespace zel::ui
