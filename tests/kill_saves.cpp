// Kills saves at random instants and checks that nothing is lost: a child
// process saves a file through the program's own save routine in a loop,
// alternating two versions of different sizes, and is killed with SIGKILL;
// after each kill the file must be one of the two versions exactly (never
// missing, never half), and so must its backup when there is one. After the
// kills, one more save must leave no temporary file behind.
//
// Then the conversion of a folder into euro is killed the same way: after
// each kill and the next start, the folder must hold exactly the files of
// the leva folder or exactly those of the converted one, nothing else.
//
// Usage: zel_kill_saves [kills per file kind, 100 by default] [random seed]
// POSIX only (fork, SIGKILL).

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/data_files.h"
#include "common/file_io.h"
#include "payment/pay_file_settings.h"
#include "payment/payment_file.h"
#include "payment/payment_list.h"
#include "personnel/register.h"
#include "personnel/register_files.h"
#include "shell/euro_conversion.h"

namespace zel {
namespace {

FileSystem& fs = SystemFileSystem();

struct FileKind {
  std::string label;
  std::string path;
  std::string backup;                       // empty: the save keeps no backup
  std::function<Status(int version)> save;  // version 0 or 1
};

std::string Digits(unsigned n, int width) {
  std::string s = std::to_string(n);
  return std::string(width - static_cast<int>(s.size()), '0') + s;
}

Register MakeRegister(unsigned count, unsigned seed) {
  Register reg;
  for (unsigned i = 0; i < count; ++i) {
    EmployeeRecord r = ZeroEmployeeRecord();
    r.FullName.assign("EMPLOYEE " + Digits(seed * 100000 + i, 8));
    r.EGN.assign(Digits(seed * 100000 + i, 10));
    r.IBAN.assign("BG80BNBG9661" + Digits(i, 10));
    reg.Append(r);
  }
  return reg;
}

PaymentList MakePaymentList(unsigned count, unsigned seed) {
  PaymentList list;
  list.registerFound = true;
  for (unsigned i = 0; i < count; ++i) {
    PaymentLine line = ZeroPaymentLine();
    line.Employee.FullName.assign("EMPLOYEE " + Digits(seed * 100000 + i, 8));
    line.Employee.EGN.assign(Digits(seed * 100000 + i, 10));
    line.Employee.IBAN.assign("BG80BNBG9661" + Digits(i, 10));
    line.NetAmount.assign(std::to_string(100 + i + seed) + ".50");
    line.Reason.assign("SALARY");
    list.lines.push_back(line);
  }
  return list;
}

std::vector<std::string> Temporaries(const FileKind& kind) {
  const std::filesystem::path path(kind.path);
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(path.parent_path())) {
    const std::string name = e.path().filename().string();
    if (files::IsTemporaryOf(name, path.filename().string())) names.push_back(name);
  }
  return names;
}

std::string Read(const std::string& path) {
  std::string content;
  return fs.ReadAll(path, content).ok() ? content : std::string();
}

// Returns false, with the reason printed, when a kill lost something.
bool Run(const FileKind& kind, int kills, std::mt19937& random) {
  std::string versions[2];
  auto saveOrDie = [&](int version) {
    if (Status s = kind.save(version); !s.ok()) {
      std::fprintf(stderr, "%s: save failed: %s\n", kind.label.c_str(), s.message().c_str());
      std::exit(2);
    }
  };
  // The two versions as the save routine writes them, and how long one save takes.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 6; ++i) {
    saveOrDie(i % 2);
    versions[i % 2] = Read(kind.path);
  }
  const auto saveTime = (std::chrono::steady_clock::now() - start) / 6;
  if (versions[0].size() == versions[1].size()) {
    std::fprintf(stderr, "%s: the two versions must differ in size\n", kind.label.c_str());
    return false;
  }
  auto complete = [&](const std::string& content) { return content == versions[0] || content == versions[1]; };
  // Kills fall anywhere in the first three saves of the child, or before its first.
  const auto window = std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 3).count() + 1;
  std::uniform_int_distribution<long long> delay(0, window);

  int midSave = 0;
  int backupMissing = 0;
  std::size_t mostLeft = 0;
  for (int k = 0; k < kills; ++k) {
    const std::vector<std::string> before = Temporaries(kind);
    const int first = k % 2;
    const pid_t child = ::fork();
    if (child < 0) {
      std::perror("fork");
      return false;
    }
    if (child == 0) {
      for (int i = first;; ++i) (void)kind.save(i % 2);
    }
    ::usleep(static_cast<useconds_t>(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    if (!fs.Exists(kind.path) || !complete(Read(kind.path))) {
      std::fprintf(stderr, "%s: after kill %d the file is missing or not one whole version (%zu bytes)\n",
                   kind.label.c_str(), k + 1, Read(kind.path).size());
      return false;
    }
    if (!kind.backup.empty()) {
      if (!fs.Exists(kind.backup)) {
        ++backupMissing;
      } else if (!complete(Read(kind.backup))) {
        std::fprintf(stderr, "%s: after kill %d the backup is not one whole version\n", kind.label.c_str(), k + 1);
        return false;
      }
    }
    const std::vector<std::string> after = Temporaries(kind);
    const std::set<std::string> old(before.begin(), before.end());
    for (const std::string& name : after) {
      if (!old.count(name)) {
        ++midSave;
        break;
      }
    }
    mostLeft = std::max(mostLeft, after.size());
  }
  const std::size_t leftBeforeLastSave = Temporaries(kind).size();
  saveOrDie(0);
  const std::size_t left = Temporaries(kind).size();
  std::printf(
      "%-14s %d kills (save %.2f ms): %d between the temporary's creation and its rename, "
      "backup absent after %d, at most %zu temporary at once, %zu before the last save, %zu after it\n",
      kind.label.c_str(), kills, std::chrono::duration<double, std::milli>(saveTime).count(), midSave, backupMissing,
      mostLeft, leftBeforeLastSave, left);
  if (Read(kind.path) != versions[0] || left != 0) {
    std::fprintf(stderr, "%s: the last save left a temporary file or a wrong file\n", kind.label.c_str());
    return false;
  }
  return true;
}

// Every file of the folder by name, with its bytes.
std::map<std::string, std::string> FolderState(const std::string& folder) {
  std::map<std::string, std::string> state;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    state[e.path().filename().string()] = Read(e.path().string());
  }
  return state;
}

void SetFolderState(const std::string& folder, const std::map<std::string, std::string>& state) {
  for (const auto& e : std::filesystem::directory_iterator(folder)) std::filesystem::remove(e.path());
  for (const auto& [name, bytes] : state) {
    if (!files::ReplaceFile(fs, folder + "/" + name, bytes).ok()) std::exit(2);
  }
}

// The conversion into euro of a folder with a register, a payment list and
// their backups, killed at random instants.
bool RunConversion(const std::string& folder, int kills, std::mt19937& random) {
  std::filesystem::create_directory(folder);
  SetDataDir(folder + "/");
  Register reg = MakeRegister(900, 1);
  for (std::size_t i = 0; i < reg.size(); ++i) {
    EmployeeRecord r = reg.at(i);
    r.RequestedSum = std::to_string(800 + i) + ".00";
    r.MinBalance = "2.00";
    r.Overdraft = i % 3 == 0 ? std::to_string(100 + i) : "";
    reg.Replace(i, r);
  }
  if (!SaveRegister(fs, reg, {}).ok() || !SaveRegister(fs, reg, {}).ok()) return false;
  const PaymentList list = MakePaymentList(900, 1);
  if (!SavePaymentList(fs, list, {}).ok() || !SavePaymentList(fs, list, {}).ok()) return false;
  const Date today{2026, 12, 8, 2};
  const auto leva = FolderState(folder);

  const auto start = std::chrono::steady_clock::now();
  DataFolder data = OpenDataFolder(fs).folder;
  if (!ConvertDataFolder(fs, data, today).status.ok() || data.currency != Currency::Euro) return false;
  const auto convertTime = std::chrono::steady_clock::now() - start;
  const auto euro = FolderState(folder);
  std::uniform_int_distribution<long long> delay(
      0, std::chrono::duration_cast<std::chrono::microseconds>(convertTime * 3 / 2).count() + 1);

  int inLeva = 0;
  int restored = 0;
  for (int k = 0; k < kills; ++k) {
    SetFolderState(folder, leva);
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
      DataFolder mine = OpenDataFolder(fs).folder;
      (void)ConvertDataFolder(fs, mine, today);
      std::_Exit(0);
    }
    ::usleep(static_cast<useconds_t>(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    // The next start.
    const FolderAtStart next = OpenDataFolder(fs);
    const auto state = FolderState(folder);
    if (!next.status.ok() || (state != leva && state != euro)) {
      std::fprintf(stderr, "conversion: after kill %d the folder is neither the leva nor the euro one (%zu files)\n",
                   k + 1, state.size());
      for (const auto& [name, bytes] : state) std::fprintf(stderr, "  %s %zu\n", name.c_str(), bytes.size());
      return false;
    }
    if ((state == leva) != (next.folder.currency == Currency::Leva)) {
      std::fprintf(stderr, "conversion: after kill %d the folder's files and its currency disagree\n", k + 1);
      return false;
    }
    inLeva += state == leva ? 1 : 0;
    restored += next.restored ? 1 : 0;
  }
  std::printf(
      "%-14s %d kills (conversion %.2f ms): leva after %d (of them %d undone at the next start), euro after %d\n",
      "conversion", kills, std::chrono::duration<double, std::milli>(convertTime).count(), inLeva, restored,
      kills - inLeva);
  return true;
}

}  // namespace
}  // namespace zel

int main(int argc, char** argv) {
  using namespace zel;
  const int kills = argc > 1 ? std::atoi(argv[1]) : 100;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : std::random_device()();
  std::mt19937 random(seed);
  std::printf("seed %u\n", seed);

  const char* tmp = std::getenv("TMPDIR");
  std::string folderPattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zel-kill-XXXXXX";
  if (::mkdtemp(folderPattern.data()) == nullptr) {
    std::perror("mkdtemp");
    return 2;
  }
  const std::string folder = folderPattern;
  SetDataDir(folder + "/");

  const Register registers[2] = {MakeRegister(900, 1), MakeRegister(600, 2)};
  const PaymentList lists[2] = {MakePaymentList(900, 1), MakePaymentList(600, 2)};
  PayDay payDay;
  payDay.Settings.PayFileName = folder + "/O081226p.dp1";

  const std::vector<FileKind> kinds = {
      {"register", DataFile(kRegisterFile), DataFile(kRegisterBackup),
       [&](int v) { return SaveRegister(fs, registers[v], {}); }},
      {"payment list", DataFile(kPaymentListFile), DataFile(kPaymentListBackup),
       [&](int v) { return SavePaymentList(fs, lists[v], {}); }},
      {"payment file", payDay.Settings.PayFileName, {}, [&](int v) { return WritePaymentBody(fs, lists[v], payDay); }},
  };
  bool ok = true;
  for (const FileKind& kind : kinds) ok = Run(kind, kills, random) && ok;
  ok = RunConversion(folder + "/euro", kills, random) && ok;
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return ok ? 0 : 1;
}
