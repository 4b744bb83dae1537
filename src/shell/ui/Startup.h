#pragma once

#include <memory>

namespace zel::ui {

struct Services;
class TSDIAppForm;

// The start-up sequence of the program; returns the exit code.
int RunProgram(int argc, char* argv[]);

// The start-up between the application and its message loop: the program's
// icon, the lock of the data folder (the current directory), which the main
// window holds for its life, the main window, the one-time conversion of the
// older data files, the About box, the refusal of a floppy drive, then
// DataDir. The main window ready to be shown, or nothing when the program is
// to end (the user has been told why).
std::unique_ptr<TSDIAppForm> StartUp(Services& services);

}  // namespace zel::ui
