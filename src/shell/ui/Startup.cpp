#include "shell/ui/Startup.h"

#include <QApplication>

namespace zel::ui {

int RunProgram(int argc, char* argv[]) {
  QApplication app(argc, argv);
  return 0;
}

}  // namespace zel::ui
