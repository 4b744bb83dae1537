#include "support/ui/ModalScript.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zel::test {

namespace {

void CloseDialog(QWidget* dialog) {
  if (auto* d = qobject_cast<QDialog*>(dialog)) {
    d->reject();
  } else {
    dialog->close();
  }
}

}  // namespace

ModalScript::ModalScript(int timeoutMs) : timeoutMs_(timeoutMs) { qApp->installEventFilter(this); }

ModalScript::~ModalScript() {
  qApp->removeEventFilter(this);
  if (!steps_.empty()) ADD_FAILURE() << steps_.size() << " expected modal dialog(s) never showed";
}

void ModalScript::Then(Step step) { steps_.push_back(std::move(step)); }

bool ModalScript::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (!widget->isWindow() || !widget->isModal()) return false;
  ++shown_;
  QPointer<QWidget> dialog(widget);
  if (steps_.empty()) {
    ADD_FAILURE() << "unexpected modal dialog \"" << widget->windowTitle().toStdString() << "\"";
    QTimer::singleShot(0, this, [dialog] {
      if (dialog) CloseDialog(dialog);
    });
    return false;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  // Run once the dialog's own event loop is running.
  QTimer::singleShot(0, this, [dialog, step] {
    if (dialog) step(dialog);
  });
  QTimer::singleShot(timeoutMs_, this, [dialog] {
    if (dialog && dialog->isVisible()) {
      ADD_FAILURE() << "modal dialog \"" << dialog->windowTitle().toStdString() << "\" left open";
      CloseDialog(dialog);
    }
  });
  return false;
}

bool WaitUntilNoModal(int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (QApplication::activeModalWidget() != nullptr) {
    if (deadline.hasExpired()) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

QAbstractButton* FindButton(QWidget* dialog, const QString& text) {
  for (auto* button : dialog->findChildren<QAbstractButton*>()) {
    QString caption = button->text();
    caption.remove(QLatin1Char('&'));
    if (caption == text) return button;
  }
  return nullptr;
}

}  // namespace zel::test
