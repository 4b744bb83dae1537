#include "shell/data_folder_lock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "support/fakes.h"

namespace zel {
namespace {

std::string Refusal(const std::string& where) {
  return Cp("Папката с данни се използва от друго копие на ZEL" + where +
            ". Затворете го и стартирайте програмата отново.");
}

TEST(DataFolderLock, ASecondLockIsRefusedWhileTheFirstIsHeld) {
  test::TempDir dir;
  test::FakeMessages messages;
  std::unique_ptr<FileLock> first;
  std::unique_ptr<FileLock> second;
  ASSERT_TRUE(LockDataFolder(SystemFileSystem(), dir.path(), messages, first));
  EXPECT_FALSE(LockDataFolder(SystemFileSystem(), dir.path(), messages, second));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{Refusal(" на този компютър")});
  first.reset();
  EXPECT_TRUE(LockDataFolder(SystemFileSystem(), dir.path(), messages, second));
  EXPECT_NE(second, nullptr);
  // A killed copy's lock file without its lock refuses nothing; a folder that
  // cannot be locked refuses nothing either, but the user is told once.
  second.reset();
  EXPECT_TRUE(LockDataFolder(SystemFileSystem(), dir.path(), messages, second));
  EXPECT_EQ(messages.log.size(), 1u);
  EXPECT_TRUE(LockDataFolder(SystemFileSystem(), dir.File("missing"), messages, first));
  EXPECT_EQ(first, nullptr);
  ASSERT_EQ(messages.log.size(), 2u);
  EXPECT_NE(messages.log[1].text.find(Cp("не може да заключи")), std::string::npos);
  EXPECT_NE(messages.log[1].text.find(dir.File("missing")), std::string::npos);
}

// What the lock file says about its holder comes from outside.
TEST(DataFolderLock, TheRefusalNamesTheHoldersComputerAsTheLockFileTells) {
  const struct {
    std::string note;
    std::string where;
  } cases[] = {
      {"SMETKI-2\n", " на компютъра „SMETKI-2“"},
      {"", ""},
      {" \x01pc\t7 \r\nsecond line", " на компютъра „pc7“"},
      {std::string(300, 'x'), " на компютъра „" + std::string(253, 'x') + "“"},
  };
  test::TempDir dir;
  for (const auto& c : cases) {
    std::unique_ptr<FileLock> other;
    bool held = false;
    ASSERT_TRUE(SystemFileSystem().LockFile(dir.File(kLockFile), c.note, other, held).ok());
    test::FakeMessages messages;
    std::unique_ptr<FileLock> lock;
    EXPECT_FALSE(LockDataFolder(SystemFileSystem(), dir.path(), messages, lock));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{Refusal(c.where)}) << c.note;
  }
}

}  // namespace
}  // namespace zel
