// Saves on Windows where another program holds the file for a moment or for
// good, where the file is read-only, where the folder cannot be flushed, and
// where the folder's path is long.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h makes ReplaceFile a macro.
#undef ReplaceFile

namespace zel::files {
namespace {

// The "\\?\" form of an absolute ASCII path, good for any length.
std::wstring Long(const std::string& ascii) { return L"\\\\?\\" + std::wstring(ascii.begin(), ascii.end()); }

constexpr int kThroughout = -1;

TEST(WindowsSaves, Outcomes) {
  const std::string inUse = Cp("The file is in use by another program — close it and save again");
  const std::string readOnly = Cp("The file is read-only — clear its read-only attribute and save again");
  const struct {
    const char* what;
    int heldMs;  // 0: not held
    bool readOnly;
    int flushError;  // the system's error of the folder flush
    std::size_t folderLength;
    std::string reason;   // empty: saved
    const char* content;  // the file's after the save
  } cases[] = {
      {"held for 0.5 s", 500, false, 0, 0, "", "new"},
      {"held throughout", kThroughout, false, 0, 0, inUse, "old"},
      {"read-only", 0, true, 0, 0, readOnly, "old"},
      {"SMB folder flush", 0, false, ERROR_INVALID_FUNCTION, 0, "", "new"},
      {"folder flush not supported", 0, false, ERROR_NOT_SUPPORTED, 0, "", "new"},
      {"folder flush refused", 0, false, ERROR_INVALID_PARAMETER, 0, "", "new"},
      // Saved all the same, the doubt told as a warning.
      {"folder flush failed", 0, false, ERROR_WRITE_FAULT, 0, "", "new"},
      {"250-character folder", 0, false, 0, 250, "", "new"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    std::string folder = dir.path();
    if (c.folderLength > 0) {
      folder += "\\" + std::string(c.folderLength - folder.size() - 1, 'd');
      ASSERT_TRUE(::CreateDirectoryW(Long(folder).c_str(), nullptr));
    }
    const std::string path = folder + "\\employIB.dat";
    test::FailingFileSystem fs;
    std::vector<std::string> warnings;
    const auto save = [&](std::string_view content) {
      return ReplaceFile(fs, path, content, folder + "\\employIB.bak",
                         [&warnings](const std::string& warning) { warnings.push_back(warning); });
    };
    ASSERT_TRUE(save("old").ok());
    if (c.readOnly) ::SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_READONLY);
    fs.fail = c.flushError != 0 ? test::FailingFileSystem::Step::SyncFolder : test::FailingFileSystem::Step::None;
    fs.systemError = c.flushError;
    // Held as a program holds a file that lets nobody else read, write or delete it meanwhile.
    HANDLE held = c.heldMs == 0
                      ? INVALID_HANDLE_VALUE
                      : ::CreateFileW(Long(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(c.heldMs == 0 || held != INVALID_HANDLE_VALUE);
    std::thread release([&] {
      if (c.heldMs <= 0) return;
      ::Sleep(c.heldMs);
      ::CloseHandle(held);
    });
    const Status saved = save("new");
    release.join();
    if (c.heldMs == kThroughout) ::CloseHandle(held);
    EXPECT_EQ(saved.message(), c.reason.empty() ? "" : "Error save in file " + path + " ! (" + c.reason + ")");
    std::string content;
    EXPECT_TRUE(fs.ReadAll(path, content).ok() && content == c.content) << content;
    EXPECT_EQ(warnings.size(), c.flushError == ERROR_WRITE_FAULT ? 1u : 0u);
    std::vector<std::string> names;
    ASSERT_TRUE(fs.ListFolder(folder, names).ok());
    for (const std::string& name : names) EXPECT_FALSE(IsTemporaryOf(name, "employIB.dat")) << name;
    ::SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
}  // namespace zel::files
