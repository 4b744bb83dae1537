#pragma once
// The base of the window tests: a temporary data directory (also the current
// directory), the fakes of the seams, the pre-answered dialog facade, the
// script of the modal dialogs, and a main window for child windows that
// need their frame.

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>

#include "common/ui/Services.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"
#include "support/ui/ModalScript.h"
#include "support/ui/ScriptedDialogs.h"

namespace zel::ui {
class TSDIAppForm;
}

namespace zel::test {

class WindowTest : public ::testing::Test {
protected:
  WindowTest();
  ~WindowTest() override;

  // The main window, made on first use.
  ui::TSDIAppForm& Frame();

  // Gives the widget `name` of `window` the focus, presses `key` on it and
  // tells what followed, in words for a table: the title of a dialog that
  // opened (left by an edit and Enter on its "Отказ"), "ask" for a question
  // (answered Cancel), "print" for a print job, "input" for an input box
  // (cancelled), "ticked" for a check box of the window that changed,
  // "line N" for a list whose selection did, "closed" when the window went;
  // joined by blanks, empty when nothing happened.
  std::string Press(QWidget* window, const char* name, Qt::Key key);

  TempDir dir;
  FakeMessages messages;
  FakeSettingsStore settings;
  FakePrinter printer;
  FakeClock clock;
  ScriptedDialogs dialogs;
  FailingFileSystem files;  // the system's, with a chosen step made to fail
  DataFolder folder;        // a new folder: in euro
  ui::Services services{messages, settings, printer, clock, dialogs, files, folder};
  ModalScript modal;

private:
  std::unique_ptr<ui::TSDIAppForm> frame_;
};

}  // namespace zel::test
