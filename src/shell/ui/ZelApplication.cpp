#include "shell/ui/ZelApplication.h"

#include <exception>

#include "common/messages.h"

namespace zel::ui {

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
