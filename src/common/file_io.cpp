#include "common/file_io.h"

#include <memory>
#include <vector>

#include "common/cp1251.h"

namespace zel::files {

namespace {

Status Failure(const char* what, const std::string& path, const Status& reason) {
  return Status::Fail(std::string(what) + " " + ShownPath(path) + " ! (" + reason.message() + ")");
}

std::size_t LastSeparator(const FileSystem& fs, const std::string& path) {
  return path.find_last_of(fs.Separator() == '/' ? "/" : "/\\");
}

std::string FolderOf(const FileSystem& fs, const std::string& path) {
  const auto slash = LastSeparator(fs, path);
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

bool IsAsciiLetterOrDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Keeps the current file under the backup name, an older backup deleted first.
void KeepBackup(FileSystem& fs, const std::string& full, const std::string& backupPath, const WarningSink& warn) {
  const std::string fullBackup = FullPath(fs, backupPath);
  if (fs.Exists(fullBackup) && !fs.Remove(fullBackup).ok() && warn) {
    warn("Error deleting file " + ShownPath(fullBackup) + " !");
  }
  if (!fs.Link(full, fullBackup).ok() && warn) {
    warn("Error renaming file " + ShownPath(full) + " to " + ShownPath(fullBackup) + "!");
  }
}

// Makes the new name of `full` durable. The file is in place and whole
// whatever happens here: a folder that cannot be flushed (a network share)
// is no failure, and another failure leaves only its survival of a power
// cut in doubt. That is told through `warn`, but the file counts as
// written: a caller that undid its work on it would act against the disk.
void FlushRenamed(FileSystem& fs, const std::string& full, const WarningSink& warn) {
  const Status s = fs.SyncFolder(FolderOf(fs, full));
  if (s.ok() || fs.IsFlushUnsupported(s) || !warn) return;
  warn("File " + ShownPath(full) + " is saved, but its folder could not be flushed to the disk (" + s.message() + ")");
}

}  // namespace

std::string ShownPath(std::string_view path) { return Utf8ToCp1251(path); }

bool IsTemporaryOf(std::string_view entry, std::string_view fileName) {
  if (entry.size() != fileName.size() + kTempMark.size() + kUniqueSuffixLength) return false;
  if (entry.substr(0, fileName.size()) != fileName) return false;
  if (entry.substr(fileName.size(), kTempMark.size()) != kTempMark) return false;
  const std::string_view suffix = entry.substr(fileName.size() + kTempMark.size());
  for (char c : suffix) {
    if (!IsAsciiLetterOrDigit(c)) return false;
  }
  return true;
}

void RemoveStaleTemporaries(FileSystem& fs, const std::string& path) {
  const std::string full = FullPath(fs, path);
  const auto slash = LastSeparator(fs, full);
  // The folder as a prefix of the entries' paths ("" for a bare name).
  const std::string folderPrefix = slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
  const std::string fileName = full.substr(folderPrefix.size());
  std::vector<std::string> names;
  if (!fs.ListFolder(FolderOf(fs, full), names).ok()) return;
  for (const std::string& name : names) {
    if (IsTemporaryOf(name, fileName)) (void)fs.Remove(folderPrefix + name);
  }
}

std::string WithSeparator(const FileSystem& fs, const std::string& directory) {
  if (!directory.empty() && directory.back() == fs.Separator()) return directory;
  return directory + fs.Separator();
}

std::string FullPath(FileSystem& fs, const std::string& name) {
  if (fs.IsAbsolute(name)) return name;
  // Without a current directory (removed under us) the name must stay
  // relative: joined to "" it would point into the root folder.
  const std::string current = fs.CurrentDirectory();
  if (current.empty()) return name;
  return WithSeparator(fs, current) + name;
}

Status ReadFile(FileSystem& fs, const std::string& path, std::string& content) {
  const Status read = fs.ReadAll(path, content);
  return read.ok() ? read : ReadFailure(fs, path, read);
}

Status ReadFailure(FileSystem& fs, const std::string& path, const Status& reason) {
  return Failure("Cannot read file", FullPath(fs, path), reason);
}

Status ReplaceFile(FileSystem& fs, const std::string& path, std::string_view content, const std::string& backupPath,
                   const WarningSink& warn) {
  const std::string full = FullPath(fs, path);
  if (Status s = fs.CheckReplaceable(full); !s.ok()) return Failure("Error save in file", full, s);
  // First, so that the room they take is free for the new file.
  RemoveStaleTemporaries(fs, full);
  std::string temp;
  std::unique_ptr<OutputFile> file;
  if (Status created = fs.CreateUnique(full + std::string(kTempMark), temp, file); !created.ok()) {
    return Failure("Error save in file", full, created);
  }

  auto fail = [&](const Status& reason) {
    file.reset();
    (void)fs.Remove(temp);
    return Failure("Error save in file", full, reason);
  };
  if (Status s = file->Write(content); !s.ok()) return fail(s);
  if (Status s = file->Sync(); !s.ok()) return fail(s);
  if (Status s = file->Close(); !s.ok()) return fail(s);

  if (!backupPath.empty() && fs.Exists(full)) KeepBackup(fs, full, backupPath, warn);

  if (Status s = fs.Rename(temp, full); !s.ok()) return fail(s);
  FlushRenamed(fs, full, warn);
  return Status::Ok();
}

Status KeepCopy(FileSystem& fs, const std::string& from, const std::string& to) {
  const std::string full = FullPath(fs, to);
  RemoveStaleTemporaries(fs, full);
  // A free name of the temporaries' pattern, so that a kill leaves nothing the clean-up misses.
  std::string temp;
  std::unique_ptr<OutputFile> placeholder;
  if (Status created = fs.CreateUnique(full + std::string(kTempMark), temp, placeholder); !created.ok()) {
    return Failure("Error save in file", full, created);
  }
  placeholder.reset();
  auto fail = [&](const Status& reason) {
    (void)fs.Remove(temp);
    return Failure("Error save in file", full, reason);
  };
  if (Status s = fs.Remove(temp); !s.ok()) return fail(s);
  if (Status s = fs.Link(FullPath(fs, from), temp); !s.ok()) return fail(s);
  if (Status s = fs.Rename(temp, full); !s.ok()) return fail(s);
  FlushRenamed(fs, full, {});
  return Status::Ok();
}

}  // namespace zel::files
