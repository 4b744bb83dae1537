#pragma once
// While the program runs, it leaves a mark by which the installer and the
// uninstaller know not to replace or take away its files under it.

namespace zel {

// Sets the mark for the rest of the process's life; the system takes it away
// when the process ends, also when it is killed. Where no installer looks
// for it, this does nothing.
void MarkProgramRunning();

}  // namespace zel
