// The file system on Windows. Paths arrive as UTF-8 and go to the wide-character
// API, so that a data folder with a Cyrillic name works whatever the system's
// ANSI code page is; the program's own texts stay code page 1251.
#include "common/file_system.h"

#include "common/cp1251.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h stays in this file: it makes ReplaceFile a macro, which would
// rename the core's function of that name wherever both are seen.
#undef ReplaceFile

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace zel {

namespace {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  // Invalid UTF-8 is refused rather than turned into U+FFFD, which would name another file.
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n);
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string utf8(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

// The system's description of an error, in code page 1251 like every message
// text. English is asked for first: it reads the same as the program's other
// English file messages; a system without English texts gives its own
// language, which is Bulgarian where the program is used.
std::string ErrorText(DWORD error) {
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  wchar_t* buffer = nullptr;
  DWORD n = ::FormatMessageW(flags, nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                             reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (n == 0) n = ::FormatMessageW(flags, nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (n == 0) return "Windows error " + std::to_string(error);
  std::wstring text(buffer, n);
  ::LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.')) {
    text.pop_back();
  }
  return Utf8ToCp1251(Utf8(text));
}

Status Fail(DWORD error) { return Status::Fail(ErrorText(error), static_cast<int>(error)); }
Status LastError() { return Fail(::GetLastError()); }

// Longer paths than this reach the system only in the "\\?\" form: MAX_PATH
// less the room of an 8.3 name, the limit of a folder's path.
constexpr std::size_t kShortPathLimit = MAX_PATH - 12;

// The "\\?\" form of a path, which the system takes whatever its length.
// That form is used as it stands, so it is made of the full path, which
// GetFullPathNameW gives with backslashes and without "." and "..". The
// path is left as it is when it is short enough without.
std::wstring LongForm(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path;
  const bool driveFolder = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  if (driveFolder && path.size() < kShortPathLimit) return path;
  std::wstring full(path.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return path;
    if (n < full.size()) {
      full.resize(n);
      break;
    }
    full.resize(n);
  }
  if (full.size() < kShortPathLimit) return path;
  // "\\server\share\..." becomes "\\?\UNC\server\share\...".
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// A path that cannot be converted names no file; CreateFileW and friends
// would take the empty string for the current directory.
bool Convert(const std::string& path, std::wstring& wide) {
  wide = Wide(path);
  if (!path.empty() && wide.empty()) {
    ::SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return false;
  }
  if (!wide.empty()) wide = LongForm(wide);
  return true;
}

class Handle {
public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  HANDLE release() { return std::exchange(h_, INVALID_HANDLE_VALUE); }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  bool Close() {
    if (!valid()) return true;
    const bool ok = ::CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

private:
  HANDLE h_;
};

// Others may read the file, and rename or delete it (FILE_SHARE_DELETE), as on POSIX.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenNew(const std::wstring& path) {
  return ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Another program (a virus scanner, a backup agent, an editor) may hold a
// file open for a moment so that it cannot be replaced: Windows then answers
// with a sharing or lock violation, or with a denied access.
bool MayBeHeld(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_USER_MAPPED_FILE;
}

// Whether another program has the file open and lets nobody delete or
// replace it meanwhile.
bool HeldByAnother(const std::wstring& path) {
  Handle probe(::CreateFileW(path.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !probe.valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// Pauses between the tries of an operation on a held file: growing, so that
// a short hold costs little and a longer one (a scan of a large file) is
// waited out, about 2.8 seconds in all before the user is told.
constexpr DWORD kFirstPause = 25;
constexpr DWORD kLongestPause = 500;
constexpr DWORD kPatience = 2500;

// Runs `attempt` (which returns ERROR_SUCCESS or the error) until it succeeds,
// fails for another reason than a held file, or patience runs out. A denied
// access counts only while one of `files` is held: otherwise it is for good.
template <class Attempt>
DWORD RetryWhileHeld(std::initializer_list<const std::wstring*> files, Attempt attempt) {
  DWORD pause = kFirstPause;
  for (DWORD waited = 0;; waited += pause, pause = std::min(pause * 2, kLongestPause)) {
    const DWORD error = attempt();
    if (error == ERROR_SUCCESS || !MayBeHeld(error) || waited >= kPatience) return error;
    if (error == ERROR_ACCESS_DENIED &&
        std::none_of(files.begin(), files.end(), [](const std::wstring* file) { return HeldByAnother(*file); })) {
      return error;
    }
    ::Sleep(pause);
  }
}

class WindowsOutputFile : public OutputFile {
public:
  explicit WindowsOutputFile(HANDLE h) : file_(h) {}
  Status Write(std::string_view bytes) override { return WriteAll(file_.get(), bytes) ? Status::Ok() : LastError(); }
  Status Sync() override { return ::FlushFileBuffers(file_.get()) ? Status::Ok() : LastError(); }
  Status Close() override { return file_.Close() ? Status::Ok() : LastError(); }

private:
  Handle file_;
};

// kUniqueSuffixLength characters that differ from one call to the next, also across
// processes started in the same tick.
std::string UniqueSuffix(unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  unsigned long long seed =
      ::GetTickCount64() * 1000003ull + ::GetCurrentProcessId() * 7919ull + counter.fetch_add(1) * 104729ull + attempt;
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix;
  for (std::size_t i = 0; i < kUniqueSuffixLength; ++i) {
    suffix.push_back(kDigits[seed % 36]);
    seed /= 36;
  }
  return suffix;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Closing the handle, also by the end of the process, releases the lock.
class WindowsFileLock : public FileLock {
public:
  explicit WindowsFileLock(HANDLE h) : file_(h) {}

private:
  Handle file_;
};

// The locked byte lies far beyond the note: Windows keeps every other handle
// from reading locked bytes, and a refused copy reads the note.
constexpr DWORD kLockOffset = 0x40000000;

class WindowsFileSystem : public FileSystem {
public:
  char Separator() const override { return '\\'; }

  // "C:\..." and "C:/..." and UNC names "\\server\share\...". A name that
  // starts with one backslash or a drive letter without one ("\x", "C:x")
  // depends on the current drive or its folder; the program makes none.
  bool IsAbsolute(std::string_view path) const override {
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return true;
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  }

  std::string CurrentDirectory() override {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
      if (n == 0) return {};
      if (n < buffer.size()) {
        buffer.resize(n);
        break;
      }
      buffer.resize(n);
    }
    std::string path = Utf8(buffer);
    while (!path.empty() && IsSeparator(path.back())) path.pop_back();
    return path;
  }

  bool Exists(const std::string& path) override {
    std::wstring wide;
    return Convert(path, wide) && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  Status FileSize(const std::string& path, std::uint64_t& size) override {
    size = 0;
    std::wstring wide;
    if (!Convert(path, wide)) return LastError();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return LastError();
    size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return Status::Ok();
  }

  Status ReadAll(const std::string& path, std::string& content) override {
    content.clear();
    std::wstring wide;
    if (!Convert(path, wide)) return LastError();
    Handle file(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return LastError();
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
      content.reserve(static_cast<std::size_t>(size.QuadPart));
    char chunk[1 << 16];
    for (;;) {
      DWORD n = 0;
      if (!::ReadFile(file.get(), chunk, sizeof chunk, &n, nullptr)) {
        const DWORD error = ::GetLastError();
        content.clear();
        return Fail(error);
      }
      if (n == 0) break;
      content.append(chunk, n);
    }
    return Status::Ok();
  }

  Status CreateUnique(const std::string& prefix, std::string& path, std::unique_ptr<OutputFile>& file) override {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      const std::string candidate = prefix + UniqueSuffix(attempt);
      std::wstring wide;
      if (!Convert(candidate, wide)) return LastError();
      const HANDLE h = OpenNew(wide);
      if (h != INVALID_HANDLE_VALUE) {
        path = candidate;
        file = std::make_unique<WindowsOutputFile>(h);
        return Status::Ok();
      }
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return Fail(error);
    }
    return Fail(ERROR_FILE_EXISTS);
  }

  Status Remove(const std::string& path) override {
    std::wstring wide;
    if (!Convert(path, wide) || !::DeleteFileW(wide.c_str())) return LastError();
    return Status::Ok();
  }

  Status CheckReplaceable(const std::string& path) override {
    std::wstring wide;
    if (!Convert(path, wide)) return LastError();
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Status::Ok();
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      return Status::Fail(Utf8ToCp1251("The file is read-only — clear its read-only attribute and save again"),
                          ERROR_ACCESS_DENIED);
    }
    // Held by another program as long as the rename would wait for it: the
    // same answer, before anything is written.
    const DWORD held = RetryWhileHeld(
        {&wide}, [&] { return HeldByAnother(wide) ? DWORD{ERROR_SHARING_VIOLATION} : DWORD{ERROR_SUCCESS}; });
    if (held != ERROR_SUCCESS) {
      return Status::Fail(Utf8ToCp1251("The file is in use by another program — close it and save again"),
                          static_cast<int>(held));
    }
    return Status::Ok();
  }

  Status Link(const std::string& from, const std::string& to) override {
    std::wstring wideFrom;
    std::wstring wideTo;
    if (!Convert(from, wideFrom) || !Convert(to, wideTo)) return LastError();
    if (::CreateHardLinkW(wideTo.c_str(), wideFrom.c_str(), nullptr)) return Status::Ok();
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return Fail(error);
    // FAT and some network shares have no hard links: copy, flushed like the save itself.
    std::string content;
    if (Status s = ReadAll(from, content); !s.ok()) return s;
    Handle copy(OpenNew(wideTo));
    if (!copy.valid()) return LastError();
    if (!WriteAll(copy.get(), content) || !::FlushFileBuffers(copy.get()) || !copy.Close()) {
      const DWORD copyError = ::GetLastError();
      copy.Close();
      ::DeleteFileW(wideTo.c_str());
      return Fail(copyError);
    }
    return Status::Ok();
  }

  // Replacing an existing name is one step. Either file may be held by
  // another program for a while (see RetryWhileHeld); a file still held after
  // that is reported as in use, so that the user knows what to do.
  // MOVEFILE_WRITE_THROUGH: a move that the system carries out as a copy and
  // a delete returns only once the copy is on the disk.
  Status Rename(const std::string& from, const std::string& to) override {
    std::wstring wideFrom;
    std::wstring wideTo;
    if (!Convert(from, wideFrom) || !Convert(to, wideTo)) return LastError();
    const DWORD error = RetryWhileHeld({&wideFrom, &wideTo}, [&] {
      const bool moved =
          ::MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
      return moved ? ERROR_SUCCESS : ::GetLastError();
    });
    if (error == ERROR_SUCCESS) return Status::Ok();
    if (MayBeHeld(error) && (error != ERROR_ACCESS_DENIED || HeldByAnother(wideTo) || HeldByAnother(wideFrom))) {
      return Status::Fail(Utf8ToCp1251("The file is in use by another program — close it and save again"),
                          static_cast<int>(error));
    }
    return Fail(error);
  }

  Status SyncFolder(const std::string& folder) override {
    std::string name = folder;
    if (name.size() == 2 && name[1] == ':') name.push_back('\\');  // "C:" alone is C's current folder
    std::wstring wide;
    if (!Convert(name, wide)) return LastError();
    // A folder opens only with FILE_FLAG_BACKUP_SEMANTICS; FlushFileBuffers needs the write access.
    Handle dir(::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (dir.valid() && ::FlushFileBuffers(dir.get())) return Status::Ok();
    return LastError();
  }

  // Some Windows versions and file systems refuse to open a folder for
  // writing or to flush it (ERROR_ACCESS_DENIED), also to a user who may
  // create files in it; network shares offer no such flush (SMB answers
  // ERROR_INVALID_FUNCTION, others ERROR_NOT_SUPPORTED or
  // ERROR_INVALID_PARAMETER). The new name then stands as the file system
  // keeps it (NTFS journals its folder entries, a server its own disks).
  bool IsFlushUnsupported(const Status& failure) const override {
    switch (failure.systemError()) {
      case ERROR_ACCESS_DENIED:
      case ERROR_INVALID_FUNCTION:
      case ERROR_NOT_SUPPORTED:
      case ERROR_INVALID_PARAMETER: return true;
      default: return false;
    }
  }

  Status ListFolder(const std::string& folder, std::vector<std::string>& names) override {
    names.clear();
    std::string pattern = folder;
    if (!pattern.empty() && !IsSeparator(pattern.back())) pattern.push_back('\\');
    pattern.push_back('*');
    std::wstring wide;
    if (!Convert(pattern, wide)) return LastError();
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileW(wide.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
      // The root folder of a drive has no "." entry, so an empty one matches nothing.
      const DWORD error = ::GetLastError();
      return error == ERROR_FILE_NOT_FOUND ? Status::Ok() : Fail(error);
    }
    DWORD error = ERROR_NO_MORE_FILES;
    for (;;) {
      const std::wstring_view name = entry.cFileName;
      if (name != L"." && name != L"..") names.push_back(Utf8(name));
      if (!::FindNextFileW(find, &entry)) {
        error = ::GetLastError();
        break;
      }
    }
    ::FindClose(find);
    return error == ERROR_NO_MORE_FILES ? Status::Ok() : Fail(error);
  }

  Status LockFile(const std::string& path, std::string_view note, std::unique_ptr<FileLock>& lock,
                  bool& held) override {
    held = false;
    std::wstring wide;
    if (!Convert(path, wide)) return LastError();
    // Others may open it to try the lock and read the note, but not delete it while it is held.
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    bool writable = true;
    Handle file(::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    // Another user's lock file may be read-only to this one; a lock needs no more.
    if (!file.valid() && ::GetLastError() == ERROR_ACCESS_DENIED) {
      writable = false;
      file.Reset(
          ::CreateFileW(wide.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    if (!file.valid()) return LastError();
    OVERLAPPED at{};
    at.Offset = kLockOffset;
    if (!::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      const DWORD error = ::GetLastError();
      held = error == ERROR_LOCK_VIOLATION;
      return Fail(error);
    }
    // The note only informs a refused copy; the lock holds without it.
    if (writable && ::SetEndOfFile(file.get())) (void)WriteAll(file.get(), note);
    lock = std::make_unique<WindowsFileLock>(file.release());
    return Status::Ok();
  }

  std::string ComputerName() override {
    wchar_t name[256];
    DWORD size = static_cast<DWORD>(std::size(name));
    if (!::GetComputerNameExW(ComputerNameDnsHostname, name, &size)) {
      size = static_cast<DWORD>(std::size(name));
      if (!::GetComputerNameW(name, &size)) return {};
    }
    return Utf8(std::wstring_view(name, size));
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static WindowsFileSystem system;
  return system;
}

}  // namespace zel
