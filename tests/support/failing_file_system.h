#pragma once
// The system's file system with one chosen step made to fail, as a full disk,
// a lost permission or a broken network share would make it fail: the step
// does nothing and reports the system's description of an input/output error.

#include <cerrno>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace zel::test {

// The text the failing step reports unless told another error.
std::string InjectedErrorText();

class FailingFileSystem : public FileSystem {
public:
  enum class Step {
    None,
    CreateTemp,
    WriteTemp,
    SyncTemp,
    DeleteBackup,
    KeepBackup,
    Rename,
    SyncFolder,
    Read,
    CheckReplaceable
  };

  explicit FailingFileSystem(Step step = Step::None) : fail(step) {}

  // The step that fails, every time it runs (DeleteBackup: every removal,
  // KeepBackup: every link).
  Step fail;
  // When set, decides instead of `fail` which runs of which steps fail:
  // `path` is what the step makes, changes or reads (the target of a rename
  // or link, the prefix of a temporary file, the folder flushed), `from` the
  // source of a rename or link (empty for the other steps).
  std::function<bool(Step step, const std::string& path, const std::string& from)> failWhen;
  // The system's error the failing step reports: EIO, or ENOSPC for a full
  // disk, EACCES for a folder that became read-only.
  int error = EIO;
  // The system's own number the failure carries for the file system to
  // judge (ERROR_INVALID_FUNCTION on Windows, say); 0: none, so it stands.
  int systemError = 0;

  char Separator() const override { return real_.Separator(); }
  bool IsAbsolute(std::string_view path) const override { return real_.IsAbsolute(path); }
  std::string CurrentDirectory() override { return real_.CurrentDirectory(); }
  bool Exists(const std::string& path) override { return real_.Exists(path); }
  Status FileSize(const std::string& path, std::uint64_t& size) override { return real_.FileSize(path, size); }
  Status ReadAll(const std::string& path, std::string& content) override;
  Status CreateUnique(const std::string& prefix, std::string& path, std::unique_ptr<OutputFile>& file) override;
  Status Remove(const std::string& path) override;
  Status CheckReplaceable(const std::string& path) override;
  Status Link(const std::string& from, const std::string& to) override;
  Status Rename(const std::string& from, const std::string& to) override;
  Status SyncFolder(const std::string& folder) override;
  bool IsFlushUnsupported(const Status& failure) const override { return real_.IsFlushUnsupported(failure); }
  Status ListFolder(const std::string& folder, std::vector<std::string>& names) override {
    return real_.ListFolder(folder, names);
  }
  Status LockFile(const std::string& path, std::string_view note, std::unique_ptr<FileLock>& lock,
                  bool& held) override {
    return real_.LockFile(path, note, lock, held);
  }
  std::string ComputerName() override { return real_.ComputerName(); }

private:
  bool Fails(Step step, const std::string& path, const std::string& from = {}) const {
    return failWhen ? failWhen(step, path, from) : fail == step;
  }

  FileSystem& real_ = SystemFileSystem();
};

}  // namespace zel::test
