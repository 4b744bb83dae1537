#include "shell/ui/Startup.h"

int main(int argc, char* argv[]) { return zel::ui::RunProgram(argc, argv); }
