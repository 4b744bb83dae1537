#include "common/ui/ButtonKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace zel::ui {

namespace {

bool IsEnter(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

}  // namespace

bool EnterPressesFocusedButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* button = qobject_cast<QPushButton*>(watched);
  if (button == nullptr || !IsEnter(*static_cast<QKeyEvent*>(event))) return false;
  // One press, one command: a held key does not repeat it. A disabled button
  // does nothing, and the key goes no further (to a default button).
  if (button->isEnabled() && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) button->click();
  return true;
}

}  // namespace zel::ui
