#include "common/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace zel::files {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Puts the failure hook back whatever the test does.
class ReplaceFileTest : public ::testing::Test {
protected:
  void TearDown() override { FailSaveStepForTesting(SaveStep::None); }

  Status Save(const std::string& content) {
    return ReplaceFile("data.dat", content, "data.bak", [this](const std::string& m) { warnings.push_back(m); });
  }

  TempDir dir;
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
  for (SaveStep step : {SaveStep::CreateTemp, SaveStep::WriteTemp, SaveStep::SyncTemp, SaveStep::Rename}) {
    SCOPED_TRACE(static_cast<int>(step));
    FailSaveStepForTesting(SaveStep::None);
    ASSERT_TRUE(Save("old").ok());
    ASSERT_TRUE(Save("current").ok());
    FailSaveStepForTesting(step);
    const Status s = Save("new");
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message().rfind("Error save in file " + FullPath("data.dat") + " !", 0), 0u) << s.message();
    EXPECT_NE(s.message().find(SystemErrorText(EIO)), std::string::npos) << s.message();
    EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "current");
    // Until the rename, the backup still holds a complete earlier version.
    const std::string backup = ReadFileBytes(dir.File("data.bak"));
    EXPECT_TRUE(backup == "old" || (step == SaveStep::Rename && backup == "current")) << backup;
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"data.bak", "data.dat"}));
  }
}

TEST_F(ReplaceFileTest, FailingToDeleteTheOldBackupWarnsAndSaves) {
  ASSERT_TRUE(Save("old").ok());
  ASSERT_TRUE(Save("current").ok());
  FailSaveStepForTesting(SaveStep::DeleteBackup);
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
  FailSaveStepForTesting(SaveStep::KeepBackup);
  EXPECT_TRUE(Save("new").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
  EXPECT_EQ(warnings, std::vector<std::string>{"Error renaming file " + FullPath("data.dat") + " to " +
                                               FullPath("data.bak") + "!"});
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"data.dat"});
}

TEST_F(ReplaceFileTest, WarningsWithoutASinkAreDropped) {
  ASSERT_TRUE(ReplaceFile("data.dat", "current", "data.bak").ok());
  FailSaveStepForTesting(SaveStep::KeepBackup);
  EXPECT_TRUE(ReplaceFile("data.dat", "new", "data.bak").ok());
  EXPECT_EQ(ReadFileBytes(dir.File("data.dat")), "new");
}

TEST_F(ReplaceFileTest, FolderFlushFailureIsReportedWithTheNewFileInPlace) {
  ASSERT_TRUE(Save("current").ok());
  FailSaveStepForTesting(SaveStep::SyncFolder);
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

TEST(FileIo, ReadRecordsIgnoresATrailingPartialRecord) {
  TempDir dir;
  WriteFileBytes(dir.File("r.dat"), "aaabbbcc");
  std::vector<std::string> records;
  ASSERT_TRUE(ReadRecords("r.dat", 3, [&](const char* r) { records.emplace_back(r, 3); }).ok());
  EXPECT_EQ(records, (std::vector<std::string>{"aaa", "bbb"}));
  EXPECT_FALSE(ReadRecords("missing.dat", 3, [&](const char*) {}).ok());
}

TEST(FileIo, PathsAreMadeAbsolute) {
  TempDir dir;
  EXPECT_EQ(FullPath("x.dat"), WithSeparator(CurrentDirectory()) + "x.dat");
  EXPECT_EQ(FullPath("/abs/x.dat"), "/abs/x.dat");
  EXPECT_EQ(WithSeparator("/a/"), "/a/");
  EXPECT_EQ(WithSeparator("/a"), "/a/");
}

std::vector<std::string> Lines(const std::string& bytes) {
  TempDir dir;
  WriteFileBytes(dir.File("t.txt"), bytes);
  LineReader reader;
  EXPECT_TRUE(reader.Open("t.txt").ok());
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  EXPECT_TRUE(reader.status().ok());
  EXPECT_FALSE(reader.Next(line));  // stays at the end
  return lines;
}

using L = std::vector<std::string>;

TEST(LineReader, EveryKindOfLineEnd) {
  EXPECT_EQ(Lines("a\r\nb\rc\nd"), (L{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n"), (L{"a"}));
  EXPECT_EQ(Lines("a\n\rb"), (L{"a", "", "b"}));  // LF CR is two line ends
  EXPECT_EQ(Lines("a\r\r\nb"), (L{"a", "", "b"}));
  EXPECT_EQ(Lines(""), L{});
}

TEST(LineReader, EmptyLinesCount) {
  EXPECT_EQ(Lines("\r\n\r\nx\r\n\r\n"), (L{"", "", "x", ""}));
  EXPECT_EQ(Lines("\n"), (L{""}));
}

TEST(LineReader, CtrlZEndsTheFile) {
  EXPECT_EQ(Lines("a\r\nb\x1A" "c\r\nd\r\n"), (L{"a", "b"}));
  EXPECT_EQ(Lines("a\r\n\x1A\r\nb"), (L{"a"}));
  EXPECT_EQ(Lines("\x1A" "abc"), L{});
}

TEST(LineReader, LineEndSplitAcrossTheReadBuffer) {
  // The reader fills 64 KiB at a time: put the CR at the last byte of the first fill.
  const std::string first(65535, 'x');
  EXPECT_EQ(Lines(first + "\r\ny"), (L{first, "y"}));
  EXPECT_EQ(Lines(first + "\r"), (L{first}));
  EXPECT_EQ(Lines(first + "\rz"), (L{first, "z"}));
}

TEST(LineReader, OverlongLinesAreCut) {
  const std::string longLine(LineReader::kMaxLine + 1000, 'q');
  const auto lines = Lines(longLine + "\r\nnext\r\n" + longLine);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(LineReader::kMaxLine, 'q'));
  EXPECT_EQ(lines[1], "next");
  EXPECT_EQ(lines[2], std::string(LineReader::kMaxLine, 'q'));
}

TEST(LineReader, MissingFileAndReopen) {
  TempDir dir;
  LineReader reader;
  const Status missing = reader.Open("nothing.txt");
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.message().find(FullPath("nothing.txt")), std::string::npos);
  std::string line;
  EXPECT_FALSE(reader.Next(line));

  WriteFileBytes(dir.File("a.txt"), "first\r\nsecond\r\n");
  WriteFileBytes(dir.File("b.txt"), "other\r\n");
  ASSERT_TRUE(reader.Open("a.txt").ok());
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "first");
  ASSERT_TRUE(reader.Open("b.txt").ok());
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "other");
  EXPECT_FALSE(reader.Next(line));
}

}  // namespace
}  // namespace zel::files
