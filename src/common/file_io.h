#pragma once
// What the program does with files, written once above the file-system
// seam: whole files in, crash-safe replacement out. Every failure comes back
// as a Status whose message carries the full path and the system's reason.

#include <functional>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/status.h"

namespace zel::files {

// The directory followed by the separator, as file names are appended to it.
std::string WithSeparator(const FileSystem& fs, const std::string& directory);
// The name made absolute against the current directory (unchanged when it
// already is, or when there is no current directory to join it to).
std::string FullPath(FileSystem& fs, const std::string& name);

// A path as the messages show it. Paths are UTF-8 (on Windows always, on
// Linux in its usual locales) and message texts are code page 1251, so a
// Cyrillic folder name reads right in a message instead of as mojibake.
std::string ShownPath(std::string_view path);

// The whole file. A failure names the file by its full path.
Status ReadFile(FileSystem& fs, const std::string& path, std::string& content);

// The message of a read of `path` that failed for `reason`, in the words of ReadFile.
Status ReadFailure(FileSystem& fs, const std::string& path, const Status& reason);

using WarningSink = std::function<void(const std::string& message)>;

// Temporary files of a save are named after the file they replace: `path`
// followed by this mark and kUniqueSuffixLength letters or digits that make
// the name unique ("employIB.dat.tmp-a8Xk2Q"). The mark keeps the pattern
// apart from names a user gives copies ("employIB.dat.backup").
inline constexpr std::string_view kTempMark = ".tmp-";

// Whether the bare name `entry` is a temporary file of a save of the file
// with the bare name `fileName`: exactly the pattern above, nothing else.
bool IsTemporaryOf(std::string_view entry, std::string_view fileName);

// Deletes the temporary files that saves of `path` left in its folder when
// the program was killed in the middle of one. Only names of the pattern
// above for this very file are touched; a failure to list or delete is
// ignored (the save or start-up goes on, the file stays for the next time).
void RemoveStaleTemporaries(FileSystem& fs, const std::string& path);

// Replaces `path` with `content` so that a complete file stands under `path`
// at every instant, even if the program is killed: a file the system will not
// let a rename replace fails at once; the temporary files of
// earlier saves of `path` cut short are deleted, the content goes to a
// temporary file in the same folder and is flushed; when `backupPath` is not
// empty, the previous file is kept under that name (an older backup deleted
// first) by a second name or a copy, never by moving the main name away;
// then the temporary file is renamed over `path` and the folder is flushed.
// Once renamed the file is saved: a folder that cannot be flushed at all is
// no failure, and any other failure to flush it is only told through `warn`.
// Failing to delete the old backup or to keep the new one is reported through
// `warn` with "Error deleting file %s !" or "Error renaming file %s to %s!"
// and the save goes on. Any other failure leaves the previous file untouched,
// removes the temporary file and is returned as "Error save in file %s !".
Status ReplaceFile(FileSystem& fs, const std::string& path, std::string_view content,
                   const std::string& backupPath = {}, const WarningSink& warn = {});

// Makes `to` a complete copy of `from` at once or not at all: a second name
// (or a flushed copy where the file system has no links) made under a
// temporary name and renamed into place, replacing an existing `to`; the
// folder's flush counts as in ReplaceFile.
Status KeepCopy(FileSystem& fs, const std::string& from, const std::string& to);

}  // namespace zel::files
