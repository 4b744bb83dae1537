#include "shell/data_folder_lock.h"

#include <string_view>

#include "common/cp1251.h"
#include "common/file_io.h"

namespace zel {

namespace {

// Host names have at most 253 characters.
constexpr std::size_t kLongestName = 253;

// The computer's name from the lock file, which comes from outside: its
// first line, without control characters or blanks around, not too long.
std::string ComputerNamed(std::string_view note) {
  note = note.substr(0, note.find_first_of("\r\n"));
  std::string name;
  for (char c : note.substr(0, kLongestName)) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) name.push_back(c);
  }
  const auto first = name.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool LockDataFolder(FileSystem& fs, const std::string& folder, Messages& messages, std::unique_ptr<FileLock>& lock) {
  // Without a current directory (removed under the program) there is no folder to lock.
  if (folder.empty()) return true;
  const std::string path = files::WithSeparator(fs, folder) + kLockFile;
  const std::string computer = fs.ComputerName();
  bool held = false;
  const Status locked = fs.LockFile(path, computer + "\n", lock, held);
  if (locked.ok()) return true;
  if (!held) {
    // No lock (a read-only folder, a network mount without locks, a lock
    // file another program holds): the work goes on, but the user must know
    // that a second copy would not be stopped.
    messages.Show(Cp("ZEL не може да заключи папката с данни (") + files::ShownPath(path) + ": " + locked.message() +
                  Cp("). Програмата не може да провери дали в тази папка не работи друго копие на ZEL: не стартирайте "
                     "второ копие в нея, за да не се загубят данни."));
    return true;
  }

  std::string note;
  (void)fs.ReadInChunks(path, kLongestName + 2, [&note](std::string_view piece, std::size_t) {
    if (note.empty()) note = piece;
  });
  const std::string holder = ComputerNamed(note);
  std::string text = Cp("Папката с данни се използва от друго копие на ZEL");
  if (!holder.empty()) {
    text += holder == computer ? Cp(" на този компютър") : Cp(" на компютъра „") + Utf8ToCp1251(holder) + Cp("“");
  }
  messages.Show(text + Cp(". Затворете го и стартирайте програмата отново."));
  return false;
}

}  // namespace zel
