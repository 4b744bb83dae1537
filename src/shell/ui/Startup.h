#pragma once

namespace zel::ui {

// The start-up sequence of the program; returns the exit code.
int RunProgram(int argc, char* argv[]);

}  // namespace zel::ui
