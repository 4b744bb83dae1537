#include "support/failing_file_system.h"

#include <cerrno>
#include <cstring>

namespace zel::test {

namespace {

Status Injected(int error, int systemError) { return Status::Fail(std::strerror(error), systemError); }

class FailingOutputFile : public OutputFile {
public:
  FailingOutputFile(std::unique_ptr<OutputFile> real, bool failWrite, bool failSync, Status injected)
      : real_(std::move(real)), failWrite_(failWrite), failSync_(failSync), injected_(std::move(injected)) {}
  Status Write(std::string_view bytes) override { return failWrite_ ? injected_ : real_->Write(bytes); }
  Status Sync() override { return failSync_ ? injected_ : real_->Sync(); }
  Status Close() override { return real_->Close(); }

private:
  std::unique_ptr<OutputFile> real_;
  bool failWrite_;
  bool failSync_;
  Status injected_;
};

}  // namespace

std::string InjectedErrorText() { return std::strerror(EIO); }

Status FailingFileSystem::ReadAll(const std::string& path, std::string& content) {
  return Fails(Step::Read, path) ? Injected(error, systemError) : real_.ReadAll(path, content);
}

Status FailingFileSystem::CreateUnique(const std::string& prefix, std::string& path,
                                       std::unique_ptr<OutputFile>& file) {
  if (Fails(Step::CreateTemp, prefix)) return Injected(error, systemError);
  std::unique_ptr<OutputFile> real;
  if (Status s = real_.CreateUnique(prefix, path, real); !s.ok()) return s;
  file = std::make_unique<FailingOutputFile>(std::move(real), Fails(Step::WriteTemp, prefix),
                                             Fails(Step::SyncTemp, prefix), Injected(error, systemError));
  return Status::Ok();
}

Status FailingFileSystem::Remove(const std::string& path) {
  return Fails(Step::DeleteBackup, path) ? Injected(error, systemError) : real_.Remove(path);
}

Status FailingFileSystem::CheckReplaceable(const std::string& path) {
  return Fails(Step::CheckReplaceable, path) ? Injected(error, systemError) : real_.CheckReplaceable(path);
}

Status FailingFileSystem::Link(const std::string& from, const std::string& to) {
  return Fails(Step::KeepBackup, to, from) ? Injected(error, systemError) : real_.Link(from, to);
}

Status FailingFileSystem::Rename(const std::string& from, const std::string& to) {
  return Fails(Step::Rename, to, from) ? Injected(error, systemError) : real_.Rename(from, to);
}

Status FailingFileSystem::SyncFolder(const std::string& folder) {
  return Fails(Step::SyncFolder, folder) ? Injected(error, systemError) : real_.SyncFolder(folder);
}

}  // namespace zel::test
