#include "support/failing_file_system.h"

#include <cerrno>
#include <cstring>

namespace zel::test {

namespace {

Status Injected(int error, int systemError) { return Status::Fail(std::strerror(error), systemError); }

class FailingOutputFile : public OutputFile {
public:
  FailingOutputFile(std::unique_ptr<OutputFile> real, FailingFileSystem::Step fail, Status injected)
      : real_(std::move(real)), fail_(fail), injected_(std::move(injected)) {}
  Status Write(std::string_view bytes) override {
    return fail_ == FailingFileSystem::Step::WriteTemp ? injected_ : real_->Write(bytes);
  }
  Status Sync() override { return fail_ == FailingFileSystem::Step::SyncTemp ? injected_ : real_->Sync(); }
  Status Close() override { return real_->Close(); }

private:
  std::unique_ptr<OutputFile> real_;
  FailingFileSystem::Step fail_;
  Status injected_;
};

}  // namespace

std::string InjectedErrorText() { return std::strerror(EIO); }

Status FailingFileSystem::ReadAll(const std::string& path, std::string& content) {
  return fail == Step::Read ? Injected(error, systemError) : real_.ReadAll(path, content);
}

Status FailingFileSystem::CreateUnique(const std::string& prefix, std::string& path,
                                       std::unique_ptr<OutputFile>& file) {
  if (fail == Step::CreateTemp) return Injected(error, systemError);
  std::unique_ptr<OutputFile> real;
  if (Status s = real_.CreateUnique(prefix, path, real); !s.ok()) return s;
  file = std::make_unique<FailingOutputFile>(std::move(real), fail, Injected(error, systemError));
  return Status::Ok();
}

Status FailingFileSystem::Remove(const std::string& path) {
  return fail == Step::DeleteBackup ? Injected(error, systemError) : real_.Remove(path);
}

Status FailingFileSystem::Link(const std::string& from, const std::string& to) {
  return fail == Step::KeepBackup ? Injected(error, systemError) : real_.Link(from, to);
}

Status FailingFileSystem::Rename(const std::string& from, const std::string& to) {
  return fail == Step::Rename ? Injected(error, systemError) : real_.Rename(from, to);
}

Status FailingFileSystem::SyncFolder(const std::string& folder) {
  return fail == Step::SyncFolder ? Injected(error, systemError) : real_.SyncFolder(folder);
}

}  // namespace zel::test
