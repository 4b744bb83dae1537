#include "common/ui/CentreOnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zel::ui {

void CentreOnScreen(QWidget& window) {
  QScreen* screen = window.parentWidget() != nullptr ? window.parentWidget()->screen() : window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace zel::ui
