// The window tests need one application object for the whole run: the
// program's own, so that they see the keyboard as the program has it. They
// never need a display: CTest sets the offscreen platform for the tests, and
// this default covers the listing of the tests and runs by hand; a developer
// who wants to watch sets QT_QPA_PLATFORM himself.
#include <gtest/gtest.h>

#include "shell/ui/ZelApplication.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zel::ui::ZelApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
