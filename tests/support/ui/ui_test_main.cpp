// The window tests need one QApplication for the whole run. They never need
// a display: CTest sets the offscreen platform for the tests, and this
// default covers the listing of the tests and runs by hand; a developer who
// wants to watch sets QT_QPA_PLATFORM himself.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
