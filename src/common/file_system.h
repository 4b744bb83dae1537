#pragma once
// The operating system's files as the program needs them, behind one small
// interface: one realisation per system (POSIX, Windows), and fakes in the
// tests that make a chosen step fail. Everything above it (the crash-safe
// save, the readers) is written once against these primitives.
//
// Paths are byte strings: on POSIX the bytes the file system knows a file
// by, on Windows UTF-8 (the realisation converts to wide characters), so a
// folder with a Cyrillic name works whatever the system's code page.
// A failure comes back as a Status whose message is the system's own
// description of the error; the callers put the operation and the full path
// in front of it.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace zel {

// A file open for writing.
class OutputFile {
public:
  virtual ~OutputFile() = default;
  // Writes all of `bytes` (retrying short writes).
  virtual Status Write(std::string_view bytes) = 0;
  // Makes what was written durable on the disk (fsync, FlushFileBuffers).
  virtual Status Sync() = 0;
  // Closes the file; the destructor closes a file left open, ignoring errors.
  virtual Status Close() = 0;
};

// A lock this process holds on a file: released when destroyed, and by the
// system when the process ends, however it ends.
class FileLock {
public:
  virtual ~FileLock() = default;
};

// The length of the unique part of the names CreateUnique makes.
inline constexpr std::size_t kUniqueSuffixLength = 6;

class FileSystem {
public:
  virtual ~FileSystem() = default;

  // The separator of folder names: '/' or '\\'.
  virtual char Separator() const = 0;
  virtual bool IsAbsolute(std::string_view path) const = 0;
  // The process's current directory without a trailing separator; empty when
  // it cannot be told (removed under the program).
  virtual std::string CurrentDirectory() = 0;

  virtual bool Exists(const std::string& path) = 0;
  // The file's size in bytes, without reading it: a reader of files a person
  // chooses refuses one that is far too large before it takes any memory.
  virtual Status FileSize(const std::string& path, std::uint64_t& size) = 0;
  // The whole file, read into memory sized once from the file's size.
  virtual Status ReadAll(const std::string& path, std::string& content) = 0;
  // The whole file, read straight into memory that the caller keeps it in:
  // room(n) returns a buffer of at least n bytes, first for the file's size,
  // again (larger, the bytes of the earlier buffer kept) only if the file grew
  // meanwhile; `size` receives how many bytes the file has. This realisation
  // reads through ReadAll and copies; a system's own reads straight in.
  using Room = std::function<char*(std::size_t bytes)>;
  virtual Status ReadAllInto(const std::string& path, const Room& room, std::size_t& size) {
    std::string content;
    size = 0;
    if (Status read = ReadAll(path, content); !read.ok()) return read;
    if (!content.empty()) std::memcpy(room(content.size()), content.data(), content.size());
    size = content.size();
    return Status::Ok();
  }
  // The file in pieces of `chunk` bytes, in order, each handed to each()
  // with the file's size as known when it was opened (to size what is built
  // from it); every piece is whole but the last, which may be shorter. For
  // files read once from start to end without keeping their bytes: the
  // buffer is small and stays in the processor's cache. This realisation
  // reads through ReadAll.
  using Piece = std::function<void(std::string_view bytes, std::size_t fileSize)>;
  virtual Status ReadInChunks(const std::string& path, std::size_t chunk, const Piece& each) {
    std::string content;
    if (Status read = ReadAll(path, content); !read.ok()) return read;
    for (std::size_t at = 0; at < content.size(); at += chunk) {
      each(std::string_view(content).substr(at, chunk), content.size());
    }
    return Status::Ok();
  }

  // Creates a new, empty file whose name is `prefix` followed by
  // kUniqueSuffixLength ASCII letters or digits that make it unique, in the
  // folder of `prefix`; `path` receives its name. It has the usual
  // permissions of a data file, so that renamed into place it is one.
  virtual Status CreateUnique(const std::string& prefix, std::string& path, std::unique_ptr<OutputFile>& file) = 0;
  virtual Status Remove(const std::string& path) = 0;
  // Asked before a save touches anything: Ok when a rename may put a new file
  // in place of `path` (or there is no such file), otherwise why not (Windows
  // will not replace a read-only file, nor one another program holds).
  virtual Status CheckReplaceable(const std::string& path) = 0;
  // Gives the file `from` the second name `to` (a hard link), or copies it
  // (flushed to the disk) where the file system has no links. Fails when
  // `to` exists.
  virtual Status Link(const std::string& from, const std::string& to) = 0;
  // Puts `from` in place of `to` in one step, replacing an existing `to`:
  // at every instant `to` names either the old file or the new one.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  // Makes the folder's entries (a rename, a new name) durable on the disk.
  virtual Status SyncFolder(const std::string& folder) = 0;
  // Whether SyncFolder failed this way only because the folder cannot be
  // flushed at all (network shares and some file systems offer no such
  // thing): that is no failed save.
  virtual bool IsFlushUnsupported(const Status& failure) const = 0;
  // The names of the folder's entries, without "." and "..".
  virtual Status ListFolder(const std::string& folder, std::vector<std::string>& names) = 0;

  // Locks the file `path` (made when missing) against every other lock of
  // it, by this process or another, on this computer or, where the file
  // system passes locks on, another. `lock` receives the lock, and the file
  // then holds `note` alone. The file's mere presence locks nothing: a lock
  // ends with its process. Fails with `held` set when another holds the
  // lock, with `held` clear for any other reason (a read-only folder, a file
  // system without locks).
  virtual Status LockFile(const std::string& path, std::string_view note, std::unique_ptr<FileLock>& lock,
                          bool& held) = 0;
  // The name of this computer; empty when it cannot be told.
  virtual std::string ComputerName() = 0;
};

// The whole file into a container of bytes (std::string, a vector of char)
// through ReadAllInto, sized once; emptied when the read fails.
template <class Bytes>
Status ReadAllIntoBytes(FileSystem& fs, const std::string& path, Bytes& content) {
  std::size_t size = 0;
  const Status read = fs.ReadAllInto(
      path,
      [&content](std::size_t bytes) {
        content.resize(bytes);
        return content.data();
      },
      size);
  content.resize(read.ok() ? size : 0);
  return read;
}

// The realisation for the system the program runs on. It holds no state.
FileSystem& SystemFileSystem();

}  // namespace zel
