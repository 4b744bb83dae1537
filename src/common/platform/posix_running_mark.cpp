// The package manager replaces a running program's files safely here: no mark.
#include "common/running_mark.h"

namespace zel {

void MarkProgramRunning() {}

}  // namespace zel
