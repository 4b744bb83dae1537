// The file system of a POSIX system.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <locale.h>
#include <clocale>

#include <cerrno>
#include <cstring>

#include "common/file_system.h"

namespace zel {

namespace {

// The system's reason in English whatever the user's locale: the program's
// file messages are English, and a translated text would come in the
// locale's encoding rather than the code page of the messages.
Status Errno(int err) {
  static const locale_t english = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return Status::Fail(english != static_cast<locale_t>(0) ? ::strerror_l(err, english) : std::strerror(err), err);
}

bool WriteFully(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

class PosixOutputFile : public OutputFile {
public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixOutputFile(const PosixOutputFile&) = delete;
  PosixOutputFile& operator=(const PosixOutputFile&) = delete;

  Status Write(std::string_view bytes) override {
    return WriteFully(fd_, bytes.data(), bytes.size()) ? Status::Ok() : Errno(errno);
  }
  Status Sync() override { return ::fsync(fd_) == 0 ? Status::Ok() : Errno(errno); }
  Status Close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? Status::Ok() : Errno(errno);
  }

private:
  int fd_;
};

// flock locks belong to the open file, not to the process: a second open of
// the same file, in this process too, is refused the lock.
class PosixFileLock : public FileLock {
public:
  explicit PosixFileLock(int fd) : fd_(fd) {}
  ~PosixFileLock() override { ::close(fd_); }
  PosixFileLock(const PosixFileLock&) = delete;
  PosixFileLock& operator=(const PosixFileLock&) = delete;

private:
  int fd_;
};

// A copy of `from` under the new name `to`, on its way to the disk before it counts.
Status CopyFile(FileSystem& fs, const std::string& from, const std::string& to) {
  std::string content;
  if (Status read = fs.ReadAll(from, content); !read.ok()) return read;
  const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return Errno(errno);
  const bool ok = WriteFully(fd, content.data(), content.size()) && ::fsync(fd) == 0;
  const int err = errno;
  ::close(fd);
  if (ok) return Status::Ok();
  ::unlink(to.c_str());
  return Errno(err);
}

class PosixFileSystem : public FileSystem {
public:
  char Separator() const override { return '/'; }
  bool IsAbsolute(std::string_view path) const override { return !path.empty() && path.front() == '/'; }

  std::string CurrentDirectory() override {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
      if (errno != ERANGE) return {};
      buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
  }

  bool Exists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
  }

  Status FileSize(const std::string& path, std::uint64_t& size) override {
    size = 0;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return Errno(errno);
    size = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    return Status::Ok();
  }

  Status ReadAll(const std::string& path, std::string& content) override {
    return ReadAllIntoBytes(*this, path, content);
  }

  Status ReadAllInto(const std::string& path, const Room& room, std::size_t& size) override {
    size = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Errno(errno);
    struct stat st {};
    std::size_t capacity = 0;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) capacity = static_cast<std::size_t>(st.st_size);
    char* buffer = capacity > 0 ? room(capacity) : nullptr;
    char probe[4096];
    for (;;) {
      // Once the buffer is full a small read tells the end of the file from
      // a file that grew; only then does the buffer grow.
      const bool full = size == capacity;
      const ssize_t n = full ? ::read(fd, probe, sizeof probe) : ::read(fd, buffer + size, capacity - size);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        const int err = errno;
        ::close(fd);
        size = 0;
        return Errno(err);
      }
      if (full) {
        capacity = capacity * 2 > size + sizeof probe ? capacity * 2 : size + sizeof probe;
        buffer = room(capacity);
        std::memcpy(buffer + size, probe, static_cast<std::size_t>(n));
      }
      size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return Status::Ok();
  }

  Status ReadInChunks(const std::string& path, std::size_t chunk, const Piece& each) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Errno(errno);
    struct stat st {};
    const std::size_t size = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    std::string buffer(chunk, '\0');
    std::size_t filled = 0;
    for (;;) {
      const ssize_t n = ::read(fd, buffer.data() + filled, chunk - filled);
      if (n < 0) {
        if (errno == EINTR) continue;
        const int err = errno;
        ::close(fd);
        return Errno(err);
      }
      filled += static_cast<std::size_t>(n);
      if (n == 0 || filled == chunk) {
        if (filled > 0) each(std::string_view(buffer.data(), filled), size);
        if (n == 0) break;
        filled = 0;
      }
    }
    ::close(fd);
    return Status::Ok();
  }

  Status CreateUnique(const std::string& prefix, std::string& path, std::unique_ptr<OutputFile>& file) override {
    static_assert(kUniqueSuffixLength == 6, "mkstemp replaces exactly six X");
    path = prefix + "XXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0) {
      const int err = errno;
      path.clear();
      return Errno(err);
    }
    // mkstemp gives 0600; a data file is readable as any other file the user saves.
    ::fchmod(fd, 0644);
    file = std::make_unique<PosixOutputFile>(fd);
    return Status::Ok();
  }

  Status Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? Status::Ok() : Errno(errno); }

  // A rename replaces any file the folder lets it, a read-only one too.
  Status CheckReplaceable(const std::string&) override { return Status::Ok(); }

  Status Link(const std::string& from, const std::string& to) override {
    if (::link(from.c_str(), to.c_str()) == 0) return Status::Ok();
    if (errno == EEXIST) return Errno(errno);
    // No hard links on this file system (FAT, some network shares): copy instead.
    return CopyFile(*this, from, to);
  }

  Status Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0 ? Status::Ok() : Errno(errno);
  }

  Status SyncFolder(const std::string& folder) override {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Errno(errno);
    const bool synced = ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    return synced ? Status::Ok() : Errno(err);
  }

  // fsync's answer for a file that cannot be flushed; some network and FUSE
  // file systems give it for their folders.
  bool IsFlushUnsupported(const Status& failure) const override { return failure.systemError() == EINVAL; }

  Status ListFolder(const std::string& folder, std::vector<std::string>& names) override {
    names.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return Errno(errno);
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    return Status::Ok();
  }

  Status LockFile(const std::string& path, std::string_view note, std::unique_ptr<FileLock>& lock,
                  bool& held) override {
    held = false;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // Another user's lock file may be read-only to this one; a lock needs no more.
    const bool writable = fd >= 0;
    if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Errno(errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      held = err == EWOULDBLOCK;
      return Errno(err);
    }
    // The note only informs a refused copy; the lock holds without it.
    if (writable && ::ftruncate(fd, 0) == 0) (void)WriteFully(fd, note.data(), note.size());
    lock = std::make_unique<PosixFileLock>(fd);
    return Status::Ok();
  }

  std::string ComputerName() override {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem system;
  return system;
}

}  // namespace zel
