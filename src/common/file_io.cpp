#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace zel::files {

namespace {

SaveStep g_failStep = SaveStep::None;

// True when the test hook asks this step to fail; sets errno as a real failure would.
bool Injected(SaveStep step) {
  if (g_failStep != step) return false;
  errno = EIO;
  return true;
}

std::string Describe(const char* what, const std::string& path, int err) {
  return std::string(what) + " " + path + " ! (" + SystemErrorText(err) + ")";
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
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

// Keeps the current file under the backup name without moving it away.
bool KeepBackup(const std::string& path, const std::string& backupPath) {
  if (Injected(SaveStep::KeepBackup)) return false;
  if (::link(path.c_str(), backupPath.c_str()) == 0) return true;
  if (errno == EEXIST) return false;
  // No hard links on this file system: copy instead.
  std::string content;
  if (!ReadAll(path, content).ok()) return false;
  const int fd = ::open(backupPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = WriteFully(fd, content.data(), content.size()) && ::fsync(fd) == 0;
  const int err = errno;
  ::close(fd);
  if (!ok) {
    ::unlink(backupPath.c_str());
    errno = err;
  }
  return ok;
}

}  // namespace

void FailSaveStepForTesting(SaveStep step) { g_failStep = step; }

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::string CurrentDirectory() {
  std::string buffer(4096, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(std::strlen(buffer.c_str()));
  return buffer;
}

std::string WithSeparator(const std::string& directory) {
  if (!directory.empty() && directory.back() == '/') return directory;
  return directory + "/";
}

std::string FullPath(const std::string& name) {
  if (!name.empty() && name.front() == '/') return name;
  // Without a current directory (removed under us) the name must stay
  // relative: joined to "" it would point into the root folder.
  const std::string current = CurrentDirectory();
  if (current.empty()) return name;
  return WithSeparator(current) + name;
}

std::string SystemErrorText(int errnum) { return std::strerror(errnum); }

Status ReadAll(const std::string& path, std::string& content) {
  content.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::Fail(Describe("Cannot open file", FullPath(path), errno));
  // Reserving the size up front spares a large register the regrowth of the buffer.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size > 0) content.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return Status::Fail(Describe("Error reading file", FullPath(path), err));
    }
    content.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return Status::Ok();
}

Status ReadRecords(const std::string& path, std::size_t recordSize,
                   const std::function<void(const char* record)>& each) {
  std::string content;
  if (Status s = ReadAll(path, content); !s.ok()) return s;
  const std::size_t whole = recordSize == 0 ? 0 : content.size() / recordSize;
  for (std::size_t i = 0; i < whole; ++i) each(content.data() + i * recordSize);
  return Status::Ok();
}

Status ReplaceFile(const std::string& path, std::string_view content, const std::string& backupPath,
                   const WarningSink& warn) {
  const std::string full = FullPath(path);
  const std::string folder = DirectoryOf(full);
  std::string temp = full + ".XXXXXX";

  int fd = Injected(SaveStep::CreateTemp) ? -1 : ::mkstemp(temp.data());
  if (fd < 0) return Status::Fail(Describe("Error save in file", full, errno));
  ::fchmod(fd, 0644);

  auto fail = [&](int err) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    return Status::Fail(Describe("Error save in file", full, err));
  };
  if (Injected(SaveStep::WriteTemp) || !WriteFully(fd, content.data(), content.size())) return fail(errno);
  if (Injected(SaveStep::SyncTemp) || ::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    fd = -1;
    return fail(errno);
  }
  fd = -1;

  if (!backupPath.empty() && Exists(full)) {
    const std::string fullBackup = FullPath(backupPath);
    if (Exists(fullBackup) && (Injected(SaveStep::DeleteBackup) || ::unlink(fullBackup.c_str()) != 0)) {
      if (warn) warn("Error deleting file " + fullBackup + " !");
    }
    if (!KeepBackup(full, fullBackup)) {
      if (warn) warn("Error renaming file " + full + " to " + fullBackup + "!");
    }
  }

  if (Injected(SaveStep::Rename) || ::rename(temp.c_str(), full.c_str()) != 0) return fail(errno);

  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  bool synced = dirFd >= 0 && !Injected(SaveStep::SyncFolder) && ::fsync(dirFd) == 0;
  const int err = errno;
  if (dirFd >= 0) ::close(dirFd);
  // The new file is in place; only its durability across a power cut is in doubt.
  if (!synced) return Status::Fail(Describe("Error save in file", full, err));
  return Status::Ok();
}

LineReader::~LineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

Status LineReader::Open(const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  path_ = FullPath(path);
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) {
    status_ = Status::Fail(Describe("Cannot open file", path_, errno));
    return status_;
  }
  buffer_.resize(1 << 16);
  pos_ = end_ = 0;
  eof_ = false;
  status_ = Status::Ok();
  return status_;
}

bool LineReader::Fill() {
  if (eof_ || file_ == nullptr) return false;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  pos_ = 0;
  if (end_ == 0) {
    eof_ = true;
    if (std::ferror(file_)) status_ = Status::Fail(Describe("Error reading file", path_, errno));
    return false;
  }
  return true;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (file_ == nullptr || !status_.ok()) return false;
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) return any && status_.ok();
    const char c = buffer_[pos_];
    if (c == 26) {  // Ctrl-Z: the end of a text file
      eof_ = true;
      pos_ = end_ = 0;
      return any;
    }
    ++pos_;
    if (c == '\n') return true;
    if (c == '\r') {
      if (pos_ == end_) Fill();
      if (pos_ < end_ && buffer_[pos_] == '\n') ++pos_;
      return true;
    }
    any = true;
    if (line.size() < kMaxLine) line.push_back(c);
  }
}

}  // namespace zel::files
