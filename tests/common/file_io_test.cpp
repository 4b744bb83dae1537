#include "common/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/cp1251.h"
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
// The system's own words for a file or folder that is not there, as its
// file system passes them on: strerror on POSIX, FormatMessage on Windows.
std::string MissingReason(const std::string& path) {
  std::string content;
  return SystemFileSystem().ReadAll(path, content).message();
}
// A folder named in UTF-8, as the file routines name it, on every system.
std::filesystem::path Utf8Path(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

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

// The file is in place and whole: the save counts as done, and the doubt is told.
TEST_F(ReplaceFileTest, FolderFlushFailureLeavesTheNewFileSavedAndWarns) {
  ASSERT_TRUE(Save("current").ok());
  FailSaveStepForTesting(Step::SyncFolder);
  const Status s = Save("new");
  EXPECT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find(FullPath("data.dat")), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
  EXPECT_EQ(ReadFileBytes(dir.File("data.bak")), "current");
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"data.bak", "data.dat"}));
}

// About POSIX permissions: Windows does not apply a folder's read-only
// attribute to the files made in it, and the superuser ignores it everywhere.
TEST_F(ReplaceFileTest, ReadOnlyFolderKeepsThePreviousFile) {
  namespace sfs = std::filesystem;
  const std::string sub = dir.File("locked");
  ASSERT_TRUE(sfs::create_directory(sub));
  ASSERT_TRUE(ReplaceFile(sub + "/data.dat", "current").ok());
  const sfs::perms writable = sfs::perms::owner_write | sfs::perms::group_write | sfs::perms::others_write;
  sfs::permissions(sub, writable, sfs::perm_options::remove);
  if (std::ofstream(sub + "/probe")) {
    sfs::permissions(sub, sfs::perms::owner_write, sfs::perm_options::add);
    GTEST_SKIP() << "this user may write into read-only folders";
  }
  const Status s = ReplaceFile(sub + "/data.dat", "new", sub + "/data.bak");
  sfs::permissions(sub, sfs::perms::owner_write, sfs::perm_options::add);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find(sub + "/data.dat"), std::string::npos);
  EXPECT_NE(s.message().find(SystemErrorText(EACCES)), std::string::npos) << s.message();
  EXPECT_EQ(ReadFileBytes(sub + "/data.dat"), "current");
  EXPECT_EQ(Entries(sub), std::vector<std::string>{"data.dat"});
}

TEST_F(ReplaceFileTest, MissingFolderIsAFailureWithTheSystemsReason) {
  const Status s = ReplaceFile(dir.File("no/such/data.dat"), "new");
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find(MissingReason(dir.File("no/such/data.dat"))), std::string::npos) << s.message();
}

// Paths are UTF-8 and messages code page 1251: a Cyrillic folder name works
// whatever the system's code page, and reads right in a message.
TEST_F(ReplaceFileTest, CyrillicFolderIsSavedInAndShownInCodePage1251) {
  const std::string folder = dir.File("Данни");
  ASSERT_TRUE(std::filesystem::create_directory(Utf8Path(folder)));
  ASSERT_TRUE(ReplaceFile(folder + "/data.dat", "new").ok());
  std::string content;
  ASSERT_TRUE(SystemFileSystem().ReadAll(folder + "/data.dat", content).ok());
  EXPECT_EQ(content, "new");
  EXPECT_TRUE(std::filesystem::exists(Utf8Path(folder) / "data.dat"));

  const Status s = ReplaceFile(folder + "/липсва/data.dat", "new");
  EXPECT_EQ(s.message().rfind("Error save in file " + Cp(folder + "/липсва/data.dat") + " !", 0), 0u) << s.message();
}

// About POSIX semantics: Windows does not let a process remove its current directory.
TEST_F(ReplaceFileTest, RemovedCurrentDirectoryNeverSendsTheFileToTheRoot) {
  const std::string sub = dir.File("gone");
  ASSERT_TRUE(std::filesystem::create_directory(sub));
  std::filesystem::current_path(sub);
  std::error_code removed;
  std::filesystem::remove(sub, removed);
  if (removed) GTEST_SKIP() << "the system keeps the current directory: " << removed.message();
  const std::string name = "zel-orphan-" + std::to_string(std::random_device()()) + ".dat";
  const Status s = ReplaceFile(name, "x");
  const bool inRoot = Exists("/" + name);
  if (inRoot) std::filesystem::remove("/" + name);
  EXPECT_FALSE(s.ok());
  EXPECT_FALSE(inRoot);
}

// A save cut short by a kill leaves its temporary file; the next save of the
// same file deletes such files, and only names of the program's own pattern.
TEST_F(ReplaceFileTest, TheNextSaveDeletesStaleTemporariesAndNothingElse) {
  ASSERT_TRUE(Save("current").ok());
  const std::vector<std::string> stale = {"data.dat.tmp-Ab3xY9", "data.dat.tmp-000000"};
  const std::vector<std::string> kept = {"data.dat.old",        "data.dat.backup",      "data.dat.Ab3xY9",
                                         "data.dat.tmp-abc",    "data.dat.tmp-abcdefg", "data.dat.tmp-ab_d.f",
                                         "data.dat.tmp-ab cde", "xdata.dat.tmp-abcdef", "other.dat.tmp-abcdef",
                                         "data.dat.tmp-",       "data.dattmp-abcdef"};
  for (const auto& name : stale) WriteFileBytes(dir.File(name), "half");
  for (const auto& name : kept) WriteFileBytes(dir.File(name), "user's");
  ASSERT_TRUE(Save("new").ok());
  std::vector<std::string> expected = kept;
  expected.insert(expected.end(), {"data.bak", "data.dat"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(dir.path()), expected);
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
  for (const auto& name : kept) EXPECT_EQ(ReadFileBytes(dir.File(name)), "user's") << name;
}

// Both realisations make names of the pattern the clean-up looks for.
TEST(FileIo, TheSystemsTemporaryNamesAreOfThePattern) {
  TempDir dir;
  FileSystem& fs = SystemFileSystem();
  std::string temp;
  std::unique_ptr<OutputFile> file;
  ASSERT_TRUE(fs.CreateUnique(dir.File("employIB.dat") + std::string(kTempMark), temp, file).ok());
  ASSERT_TRUE(file->Close().ok());
  const std::string name = temp.substr(dir.path().size() + 1);
  EXPECT_TRUE(IsTemporaryOf(name, "employIB.dat")) << name;
  RemoveStaleTemporaries(fs, dir.File("employIB.dat"));
  EXPECT_TRUE(Entries(dir.path()).empty());
}

TEST(FileIo, PathsAreMadeAbsolute) {
  TempDir dir;
  FileSystem& fs = SystemFileSystem();
  EXPECT_EQ(FullPath("x.dat"), WithSeparator(fs, fs.CurrentDirectory()) + "x.dat");
  if (fs.Separator() == '/') {
    EXPECT_EQ(FullPath("/abs/x.dat"), "/abs/x.dat");
    EXPECT_EQ(WithSeparator(fs, "/a/"), "/a/");
    EXPECT_EQ(WithSeparator(fs, "/a"), "/a/");
  } else {
    // A drive's folder in either separator, and a network share, are absolute;
    // a name on the current drive ("\\x") or in a drive's current folder ("C:x") is not.
    EXPECT_EQ(FullPath("C:\\abs\\x.dat"), "C:\\abs\\x.dat");
    EXPECT_EQ(FullPath("d:/abs/x.dat"), "d:/abs/x.dat");
    EXPECT_EQ(FullPath("\\\\server\\share\\x.dat"), "\\\\server\\share\\x.dat");
    EXPECT_FALSE(fs.IsAbsolute("\\x.dat"));
    EXPECT_FALSE(fs.IsAbsolute("C:x.dat"));
    EXPECT_EQ(WithSeparator(fs, "C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(WithSeparator(fs, "C:\\a"), "C:\\a\\");
  }
}

TEST(FileIo, AFileThatCannotBeReadIsNamedWithTheSystemsReason) {
  TempDir dir;
  std::string content = "stale";
  const Status missing = ReadFile(SystemFileSystem(), "nothing.txt", content);
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.message().find(FullPath("nothing.txt")), std::string::npos);
  EXPECT_NE(missing.message().find(MissingReason("nothing.txt")), std::string::npos) << missing.message();
  EXPECT_TRUE(content.empty());
}

}  // namespace
}  // namespace zel::files
