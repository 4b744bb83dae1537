#include "support/ui/WindowTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QTest>
#include <utility>
#include <vector>

#include "common/ui/ListWindow.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/Keyboard.h"

namespace zel::test {

WindowTest::WindowTest() = default;

WindowTest::~WindowTest() {
  // Windows go first, while the fakes and the data directory they use remain.
  frame_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

ui::TSDIAppForm& WindowTest::Frame() {
  if (!frame_) frame_ = std::make_unique<ui::TSDIAppForm>(services);
  return *frame_;
}

std::string WindowTest::Press(QWidget* window, const char* name, Qt::Key key) {
  QWidget* widget = window->findChild<QWidget*>(QString::fromUtf8(name));
  if (widget == nullptr) return std::string("no widget ") + name;
  std::string what;
  const auto add = [&what](const std::string& word) { what += (what.empty() ? "" : " ") + word; };
  const std::size_t logged = messages.log.size();
  const int printed = printer.dialogs;
  const std::size_t inputs = dialogs.inputCalls.size();
  std::vector<std::pair<QPointer<QCheckBox>, bool>> boxes;
  for (QCheckBox* box : window->findChildren<QCheckBox*>()) boxes.emplace_back(box, box->isChecked());
  std::vector<std::pair<QPointer<QAbstractItemView>, int>> lists;
  for (QAbstractItemView* list : window->findChildren<QAbstractItemView*>())
    lists.emplace_back(list, ui::SelectedRow(*list));
  const QPointer<QWidget> alive(window);

  modal.Then([&add](QWidget* dialog) {
    add(dialog->windowTitle().toStdString());
    EditThenEnterOnCancel(dialog);
  });
  messages.answers = {false};
  widget->setFocus(Qt::TabFocusReason);
  QTest::keyClick(widget, key);
  EXPECT_TRUE(WaitUntilNoModal());
  modal.Forget();
  messages.answers.clear();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  for (std::size_t i = logged; i < messages.log.size(); ++i) add(messages.log[i].kind);
  if (printer.dialogs > printed) add("print");
  if (dialogs.inputCalls.size() > inputs) add("input");
  for (const auto& [box, checked] : boxes) {
    if (box && box->isChecked() != checked) add("ticked");
  }
  for (const auto& [list, row] : lists) {
    if (list && ui::SelectedRow(*list) != row) add("line " + std::to_string(ui::SelectedRow(*list)));
  }
  if (!alive) add("closed");
  return what;
}

}  // namespace zel::test
