// The mark is a named mutex the installer opens by name: once in the user's
// session and once in the global namespace, where an installer run by an
// administrator from another session (another user logged in, a remote
// desktop) sees it too. The handles are never closed: Windows closes them when
// the process ends. A mutex that cannot be made leaves the program running;
// the uninstaller then still keeps its entry when a file in use resists.
#include "common/running_mark.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace zel {

void MarkProgramRunning() {
  ::CreateMutexW(nullptr, FALSE, L"ZEL-Nurvek-Torva");
  ::CreateMutexW(nullptr, FALSE, L"Global\\ZEL-Nurvek-Torva");
}

}  // namespace zel
