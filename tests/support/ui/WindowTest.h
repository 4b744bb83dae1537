#pragma once
// The base of the window tests: a temporary data directory (also the current
// directory), the fakes of the seams, the pre-answered dialog facade, the
// script of the modal dialogs, and a main window for child windows that
// need their frame.

#include <gtest/gtest.h>

#include <memory>

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

  TempDir dir;
  FakeMessages messages;
  FakeSettingsStore settings;
  FakePrinter printer;
  FakeClock clock;
  ScriptedDialogs dialogs;
  FailingFileSystem files;  // the system's, with a chosen step made to fail
  ui::Services services{messages, settings, printer, clock, dialogs, files};
  ModalScript modal;

private:
  std::unique_ptr<ui::TSDIAppForm> frame_;
};

}  // namespace zel::test
