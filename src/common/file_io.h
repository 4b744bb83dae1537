#pragma once
// The file system as the program uses it: whole fixed records in, crash-safe
// replacement out, text lines in. Every failure comes back as a Status whose
// message carries the full path and the system's description.

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace zel::files {

bool Exists(const std::string& path);
std::string CurrentDirectory();
// The name made absolute against the current directory (unchanged when it already is).
std::string FullPath(const std::string& name);
// The directory followed by the separator, as file names are appended to it.
std::string WithSeparator(const std::string& directory);
std::string SystemErrorText(int errnum);

// Calls `each` with every whole record of `recordSize` bytes, in file order.
// A trailing partial record is ignored. A missing file is an error.
Status ReadRecords(const std::string& path, std::size_t recordSize,
                   const std::function<void(const char* record)>& each);

// Reads the whole file.
Status ReadAll(const std::string& path, std::string& content);

using WarningSink = std::function<void(const std::string& message)>;

// Replaces `path` with `content` so that a complete file stands under `path`
// at every instant, even if the program is killed: the content goes to a
// temporary file in the same folder and is flushed; when `backupPath` is not
// empty, the previous file is kept under that name (an older backup deleted
// first) by a hard link or a copy, never by moving the main name away; then
// the temporary file is renamed over `path` and the folder is flushed.
// Failing to delete the old backup or to keep the new one is reported through
// `warn` with "Error deleting file %s !" or "Error renaming file %s to %s!"
// and the save goes on. Any other failure leaves the previous file untouched,
// removes the temporary file and is returned.
Status ReplaceFile(const std::string& path, std::string_view content,
                   const std::string& backupPath = {}, const WarningSink& warn = {});

// The steps of ReplaceFile, for tests that make one of them fail.
enum class SaveStep { None, CreateTemp, WriteTemp, SyncTemp, DeleteBackup, KeepBackup, Rename, SyncFolder };
void FailSaveStepForTesting(SaveStep step);

// Reads a text file line by line. A line ends at CR LF, at a lone CR or at a
// lone LF; the last line counts even without a line end. A byte 26 (Ctrl-Z)
// ends the file. Lines longer than kMaxLine bytes keep their first kMaxLine
// bytes; the rest is skipped, so a hostile file cannot exhaust memory.
class LineReader {
public:
  static constexpr std::size_t kMaxLine = 64 * 1024;

  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  Status Open(const std::string& path);
  // False at the end of the file or after a read error (see status()).
  bool Next(std::string& line);
  const Status& status() const { return status_; }

private:
  bool Fill();

  std::FILE* file_ = nullptr;
  std::string path_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  Status status_ = Status::Ok();
};

}  // namespace zel::files
