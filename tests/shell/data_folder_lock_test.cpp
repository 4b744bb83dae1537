#include "shell/data_folder_lock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "support/fakes.h"

namespace zel {
namespace {

class DataFolderLock : public ::testing::Test {
protected:
  bool Lock(std::unique_ptr<FileLock>& lock) { return LockDataFolder(fs, dir.path(), messages, lock); }
  // The refusal's words about the copy that holds the folder.
  static std::string Refusal(const std::string& where) {
    return Cp("Папката с данни се използва от друго копие на ZEL" + where +
              ". Затворете го и стартирайте програмата отново.");
  }

  test::TempDir dir;
  FileSystem& fs = SystemFileSystem();
  test::FakeMessages messages;
};

TEST_F(DataFolderLock, ASecondCopyIsRefusedWhileTheFirstHoldsTheFolder) {
  std::unique_ptr<FileLock> first;
  std::unique_ptr<FileLock> second;
  ASSERT_TRUE(Lock(first));
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(Lock(second));
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{Refusal(" на този компютър")});
  first.reset();
  EXPECT_TRUE(Lock(second));
  EXPECT_NE(second, nullptr);
  EXPECT_EQ(messages.log.size(), 1u);
}

// What the lock file says about its holder comes from outside.
TEST_F(DataFolderLock, TheRefusalNamesTheHoldersComputerWhenTheLockFileTells) {
  const struct {
    std::string note;
    std::string where;
  } cases[] = {
      {"SMETKI-2\n", " на компютъра „SMETKI-2“"},
      {"", ""},
      {" \x01pc\t7 \r\nsecond line", " на компютъра „pc7“"},
      {std::string(300, 'x'), " на компютъра „" + std::string(253, 'x') + "“"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<FileLock> other;
    bool held = false;
    ASSERT_TRUE(fs.LockFile(dir.File(kLockFile), c.note, other, held).ok());
    std::unique_ptr<FileLock> lock;
    messages.log.clear();
    EXPECT_FALSE(Lock(lock));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{Refusal(c.where)}) << c.note;
  }
}

// A copy that was killed leaves its lock file, but not its lock; a folder
// that cannot be locked at all does not keep the program from starting.
TEST_F(DataFolderLock, OnlyAHeldLockRefuses) {
  test::WriteFileBytes(dir.File(kLockFile), "KILLED-PC\n");
  std::unique_ptr<FileLock> lock;
  EXPECT_TRUE(Lock(lock));
  EXPECT_NE(lock, nullptr);
  lock.reset();
  EXPECT_TRUE(LockDataFolder(fs, dir.File("no such folder"), messages, lock));
  EXPECT_EQ(lock, nullptr);
  EXPECT_TRUE(messages.log.empty());
}

}  // namespace
}  // namespace zel
