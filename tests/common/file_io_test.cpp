#include "common/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/failing_file_system.h"
#include "support/fakes.h"

namespace zel::files {
namespace {

using test::FailingFileSystem;
using test::InjectedErrorText;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;
using Step = FailingFileSystem::Step;

std::string FullPath(const std::string& name) { return files::FullPath(SystemFileSystem(), name); }
bool Exists(const std::string& path) { return SystemFileSystem().Exists(path); }
std::string SystemErrorText(int err) { return std::strerror(err); }

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Saves through a file system whose chosen step fails (none at first).
class ReplaceFileTest : public ::testing::Test {
protected:
  Status Save(const std::string& content) {
    return ReplaceFile(fs, "data.dat", content, "data.bak", [this](const std::string& m) { warnings.push_back(m); });
  }
  Status ReplaceFile(const std::string& path, std::string_view content, const std::string& backup = {}) {
    return files::ReplaceFile(fs, path, content, backup);
  }
  Status ReplaceFile(FileSystem& with, const std::string& path, std::string_view content, const std::string& backup,
                     const WarningSink& warn) {
    return files::ReplaceFile(with, path, content, backup, warn);
  }
  void FailSaveStepForTesting(Step step) { fs.fail = step; }

  TempDir dir;
  FailingFileSystem fs;
  std::vector<std::string> warnings;
};

TEST_F(ReplaceFileTest, FirstSaveCreatesTheFileWithoutBackup) {
  ASSERT_TRUE(Save("one").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "one");
  EXPECT_FALSE(Exists(dir.File("data.bak")));
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"data.dat"});
}

TEST_F(ReplaceFileTest, PreviousFileBecomesTheBackupAndAnOlderBackupGoes) {
  ASSERT_TRUE(Save("one").ok());
  ASSERT_TRUE(Save("two").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "two");
  EXPECT_EQ(ReadFileBytes(dir.File("data.bak")), "one");
  ASSERT_TRUE(Save(std::string("three\0bytes", 11)).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), std::string("three\0bytes", 11));
  EXPECT_EQ(ReadFileBytes(dir.File("data.bak")), "two");
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"data.bak", "data.dat"}));
  // The backup is its own file: a further save must not change it through a shared link.
  ASSERT_TRUE(Save("four").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.bak")), std::string("three\0bytes", 11));
}

TEST_F(ReplaceFileTest, WithoutBackupNameNoBackupIsKept) {
  ASSERT_TRUE(ReplaceFile("plain.txt", "a").ok());
  ASSERT_TRUE(ReplaceFile("plain.txt", "b").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("plain.txt")), "b");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"plain.txt"});
}

TEST_F(ReplaceFileTest, EmptyContentGivesAnEmptyFile) {
  ASSERT_TRUE(Save("one").ok());
  ASSERT_TRUE(Save("").ok());
  EXPECT_TRUE(Exists(dir.File("data.dat")));
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "");
}

// A failure before the new file takes the main name leaves the previous file
// and its backup as they were, leaves no temporary file and names the file.
TEST_F(ReplaceFileTest, FailureBeforeTheRenameKeepsThePreviousFile) {
  for (Step step : {Step::CreateTemp, Step::WriteTemp, Step::SyncTemp, Step::Rename}) {
    SCOPED_TRACE(static_cast<int>(step));
    FailSaveStepForTesting(Step::None);
    ASSERT_TRUE(Save("old").ok());
    ASSERT_TRUE(Save("current").ok());
    FailSaveStepForTesting(step);
    const Status s = Save("new");
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message().rfind("Error save in file " + FullPath("data.dat") + " !", 0), 0u) << s.message();
    EXPECT_NE(s.message().find(InjectedErrorText()), std::string::npos) << s.message();
    EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "current");
    // Until the rename, the backup still holds a complete earlier version.
    const std::string backup = ReadFileBytes(dir.File("data.bak"));
    EXPECT_TRUE(backup == "old" || (step == Step::Rename && backup == "current")) << backup;
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"data.bak", "data.dat"}));
  }
}

TEST_F(ReplaceFileTest, FailingToDeleteTheOldBackupWarnsAndSaves) {
  ASSERT_TRUE(Save("old").ok());
  ASSERT_TRUE(Save("current").ok());
  FailSaveStepForTesting(Step::DeleteBackup);
  EXPECT_TRUE(Save("new").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
  EXPECT_EQ(ReadFileBytes(dir.File("data.bak")), "old");
  const std::string main = FullPath("data.dat");
  const std::string bak = FullPath("data.bak");
  EXPECT_EQ(warnings, (std::vector<std::string>{"Error deleting file " + bak + " !",
                                                "Error renaming file " + main + " to " + bak + "!"}));
}

TEST_F(ReplaceFileTest, FailingToKeepTheBackupWarnsAndSaves) {
  ASSERT_TRUE(Save("old").ok());
  ASSERT_TRUE(Save("current").ok());
  FailSaveStepForTesting(Step::KeepBackup);
  EXPECT_TRUE(Save("new").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
  EXPECT_EQ(warnings, std::vector<std::string>{"Error renaming file " + FullPath("data.dat") + " to " +
                                               FullPath("data.bak") + "!"});
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"data.dat"});
}

TEST_F(ReplaceFileTest, WarningsWithoutASinkAreDropped) {
  ASSERT_TRUE(ReplaceFile("data.dat", "current", "data.bak").ok());
  FailSaveStepForTesting(Step::KeepBackup);
  EXPECT_TRUE(ReplaceFile("data.dat", "new", "data.bak").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
}

TEST_F(ReplaceFileTest, FolderFlushFailureIsReportedWithTheNewFileInPlace) {
  ASSERT_TRUE(Save("current").ok());
  FailSaveStepForTesting(Step::SyncFolder);
  const Status s = Save("new");
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.message().rfind("Error save in file " + FullPath("data.dat"), 0), 0u);
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
  EXPECT_EQ(ReadFileBytes(dir.File("data.bak")), "current");
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"data.bak", "data.dat"}));
}

TEST_F(ReplaceFileTest, ReadOnlyFolderKeepsThePreviousFile) {
  const std::string sub = dir.File("locked");
  ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
  ASSERT_TRUE(ReplaceFile(sub + "/data.dat", "current").ok());
  ASSERT_EQ(::chmod(sub.c_str(), 0555), 0);
  if (::access(sub.c_str(), W_OK) == 0) {
    ::chmod(sub.c_str(), 0755);
    GTEST_SKIP() << "this user may write into read-only folders";
  }
  const Status s = ReplaceFile(sub + "/data.dat", "new", sub + "/data.bak");
  ::chmod(sub.c_str(), 0755);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find(sub + "/data.dat"), std::string::npos);
  EXPECT_NE(s.message().find(SystemErrorText(EACCES)), std::string::npos) << s.message();
  EXPECT_EQ(ReadFileBytes(sub + "/data.dat"), "current");
  EXPECT_EQ(Entries(sub), std::vector<std::string>{"data.dat"});
}

TEST_F(ReplaceFileTest, MissingFolderIsAFailureWithTheSystemsReason) {
  const Status s = ReplaceFile(dir.File("no/such/data.dat"), "new");
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find(SystemErrorText(ENOENT)), std::string::npos) << s.message();
}

TEST_F(ReplaceFileTest, RemovedCurrentDirectoryNeverSendsTheFileToTheRoot) {
  const std::string sub = dir.File("gone");
  ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
  ASSERT_EQ(::chdir(sub.c_str()), 0);
  ASSERT_EQ(::rmdir(sub.c_str()), 0);
  const std::string name = "zel-orphan-" + std::to_string(::getpid()) + ".dat";
  const Status s = ReplaceFile(name, "x");
  const bool inRoot = Exists("/" + name);
  if (inRoot) ::unlink(("/" + name).c_str());
  EXPECT_FALSE(s.ok());
  EXPECT_FALSE(inRoot);
}

TEST(FileIo, PathsAreMadeAbsolute) {
  TempDir dir;
  FileSystem& fs = SystemFileSystem();
  EXPECT_EQ(FullPath("x.dat"), WithSeparator(fs, fs.CurrentDirectory()) + "x.dat");
  EXPECT_EQ(FullPath("/abs/x.dat"), "/abs/x.dat");
  EXPECT_EQ(WithSeparator(fs, "/a/"), "/a/");
  EXPECT_EQ(WithSeparator(fs, "/a"), "/a/");
}

TEST(FileIo, AFileThatCannotBeReadIsNamedWithTheSystemsReason) {
  TempDir dir;
  std::string content = "stale";
  const Status missing = ReadFile(SystemFileSystem(), "nothing.txt", content);
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.message().find(FullPath("nothing.txt")), std::string::npos);
  EXPECT_NE(missing.message().find(SystemErrorText(ENOENT)), std::string::npos) << missing.message();
  EXPECT_TRUE(content.empty());
}

}  // namespace
}  // namespace zel::files
