#pragma once
// One running copy of the program per data folder: two would overwrite each
// other's saves, and the clean-up of stale temporaries of one could delete a
// temporary of the other in the middle of its save.

#include <memory>
#include <string>

#include "common/file_system.h"
#include "common/messages.h"

namespace zel {

// The lock file in the data folder. It holds the name of the computer whose
// copy holds the lock, for the message of a refused copy.
inline constexpr const char* kLockFile = "zel.lock";

// Takes the lock of the data folder `folder` for as long as `lock` is kept.
// When another copy holds it, says so (on which computer, when the lock file
// tells) and returns false: the program is to end without touching anything.
// A folder that cannot be locked at all (read-only, on a file system without
// locks) does not stop the program: the user is told that no other copy is
// kept out, and it returns true with `lock` left empty.
bool LockDataFolder(FileSystem& fs, const std::string& folder, Messages& messages, std::unique_ptr<FileLock>& lock);

}  // namespace zel
