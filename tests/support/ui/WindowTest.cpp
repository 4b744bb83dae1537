#include "support/ui/WindowTest.h"

#include <QApplication>

#include "shell/ui/TSDIAppForm.h"

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

}  // namespace zel::test
