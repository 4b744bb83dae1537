#include "support/ui/Keyboard.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QKeySequence>
#include <QTest>
#include <QWidget>

namespace zel::test {

Names TabWalk(QWidget* window, int limit) {
  // The focus as the top-level window has it: a child window of the frame
  // may lose it to the frame.
  window = window->window();
  QWidget* start = window->focusWidget();
  if (start == nullptr) return {"(no focus)"};
  Names names{start->objectName().toStdString()};
  for (int i = 0; i < limit; ++i) {
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    QWidget* at = window->focusWidget();
    names.push_back(at == nullptr                ? "(no focus)"
                    : at->objectName().isEmpty() ? at->metaObject()->className()
                                                 : at->objectName().toStdString());
    if (at == start) return names;
  }
  names.push_back("(stuck)");
  return names;
}

int PressIn(QWidget* dialog, const KeyPress& press) {
  QWidget* target = dialog->findChild<QWidget*>(QString::fromUtf8(press.widget));
  if (target == nullptr) {
    ADD_FAILURE() << "no widget " << press.widget;
    return kStaysOpen;
  }
  target->setFocus(Qt::TabFocusReason);
  QTest::keyClick(target, press.key);
  if (!dialog->isVisible()) return static_cast<QDialog*>(dialog)->result();
  static_cast<QDialog*>(dialog)->reject();
  return kStaysOpen;
}

std::string Describe(const KeyPress& press) {
  return std::string(press.widget) + " " + QKeySequence(press.key).toString().toStdString();
}

void EditThenEnterOnCancel(QWidget* dialog) {
  QTest::keyClick(dialog->focusWidget(), Qt::Key_End);
  QTest::sendKeyEvent(QTest::Click, dialog->focusWidget(), Qt::Key_unknown, QString(QChar(u'а')), Qt::NoModifier);
  for (int i = 0; i < 40; ++i) {
    auto* button = qobject_cast<QAbstractButton*>(dialog->focusWidget());
    if (button != nullptr && button->text() == QStringLiteral("Отказ")) {
      QTest::keyClick(button, Qt::Key_Return);
      return;
    }
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
  }
  ADD_FAILURE() << "Tab never reached \"Отказ\"";
}

}  // namespace zel::test
