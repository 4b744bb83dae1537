#pragma once
// Drives modal dialogs in window tests. Queue what the user does with each
// dialog before the call that blocks on it; every modal dialog that shows
// takes the next step. A dialog without a step, a step without a dialog, or
// a dialog a step leaves open fails the test (and is closed, so that the
// test never hangs).

#include <QAbstractButton>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>

class QWidget;

namespace zel::test {

class ModalScript : public QObject {
public:
  using Step = std::function<void(QWidget* dialog)>;

  explicit ModalScript(int timeoutMs = 5000);
  ~ModalScript() override;

  // The next modal dialog to show gets `step`, run from its own event loop.
  void Then(Step step);
  // Drops the steps no dialog has taken (for a key press that may or may not open one).
  void Forget() { steps_.clear(); }
  int pending() const { return static_cast<int>(steps_.size()); }
  // How many modal dialogs have shown so far.
  int shown() const { return shown_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  std::deque<Step> steps_;
  int timeoutMs_;
  int shown_ = 0;
};

// Processes events until no modal widget is left; false after the timeout.
bool WaitUntilNoModal(int timeoutMs = 5000);

// The button of `dialog` whose text, without access key marks, is `text`.
QAbstractButton* FindButton(QWidget* dialog, const QString& text);

}  // namespace zel::test
