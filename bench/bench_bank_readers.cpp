// The three bank file readers at 100,000 lines against a register of 100,000
// employees, each beside the floor of reading the same bytes and splitting
// them into lines.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/checks.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/text_lines.h"
#include "floor.h"
#include "personnel/bank_readers.h"
#include "personnel/register.h"

namespace {

constexpr int kCount = 100000;

class SilentMessages : public zel::Messages {
public:
  void Show(const std::string&) override { ++shown; }
  void ShowCaptioned(const std::string&, const std::string&) override { ++shown; }
  bool Ask(const std::string&, const std::string&, Icon, Default) override { return ++shown > 0; }
  void ReportError(const std::string&) override { ++shown; }
  long shown = 0;
};

std::string Digits(long n, int width) {
  std::string s = std::to_string(n);
  return std::string(static_cast<std::size_t>(width) - s.size(), '0') + s;
}

std::string Egn(int i, bool fresh) { return (fresh ? "91" : "80") + Digits(i, 8); }

std::string Account(int i) {
  const std::string nine = "10" + Digits(i, 7);
  return nine + static_cast<char>('0' + zel::AccountCheckDigit(nine));
}

std::string Iban(int i) {
  const std::string bban = "QRVA9150" + Account(i);
  const int check = 98 - zel::IbanRemainder("BG00" + bban);
  return "BG" + Digits(check, 2) + bban;
}

struct Data {
  std::string folder;
  std::string accountFile, ibanFile, blockFile;
  zel::Register withoutAccounts;  // employees as the account file finds them
  zel::Register withAccounts;     // employees as the IBAN file finds them

  Data() {
    folder = (std::filesystem::temp_directory_path() / "zel-bench-bank-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) std::abort();
    accountFile = folder + "/accounts.txt";
    ibanFile = folder + "/ibans.txt";
    blockFile = folder + "/blocks.txt";
    std::string accounts, ibans, blocks;
    for (int i = 0; i < kCount; ++i) {
      zel::EmployeeRecord r = zel::ZeroEmployeeRecord();
      r.FullName = "Employee " + std::to_string(i);
      r.EGN = Egn(i, false);
      withoutAccounts.Append(r);
      r.Account = Account(i);
      withAccounts.Append(r);
      accounts += Egn(i, false) + " " + Account(i) + "\r\n";
      ibans += Egn(i, false) + " " + Account(i) + " " + Iban(i) + "\r\n";
      blocks += "ADDO == 1106\r\n(1.)  == 1\r\n(4.)  == \x88\xa2\xa0\xad \x8f\xa5\xe2\xe0\xae\xa2 " +
                std::to_string(i) + "\r\n(5.)  == \x88.\x8f.\r\n(6.)  == " + Egn(i, true) +
                "\r\n(7.)  == 5\r\n(9.)  == 01.01.1991\r\n(10.) == A\r\n(11.) == 123456789\r\n"
                "(12.) == 01.02.2010\r\n(13.) == MVR\r\n(14.) == 20\r\n(18.) == Sofia\r\n"
                "(19.) == Shipka 5\r\n(25.) == 1\r\n(28.) == \x84\x80\r\n(46.) == 500\r\n(47.) == 10\r\n"
                "(21.) == " +
                Account(i) + "\r\n(TO50.1.) == Firm\r\nENDM\r\n\r\n";
    }
    Write(accountFile, accounts);
    Write(ibanFile, ibans);
    Write(blockFile, blocks);
  }
  ~Data() { std::filesystem::remove_all(folder); }

  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
};

Data& TheData() {
  static Data data;
  return data;
}

using Reader = zel::Status (*)(zel::FileSystem&, zel::Register&, zel::Messages&, const std::string&);

// The floor: the same file read into fresh memory and split into lines, as
// every reader must.
// The copy of the register that the reader works on is made and freed
// outside the timing.
void RunReader(benchmark::State& state, const char* name, Reader read, const zel::Register& start,
               const std::string& path, std::size_t expectedSize) {
  zelbench::StepBesideFloor(
      state, name, 3, [&start] { return start; },
      [&path] {
        const std::size_t size = std::filesystem::file_size(path);
        const std::unique_ptr<char[]> content = zelbench::ReadIntoFreshMemory(path);
        std::size_t n = 0;
        zel::ForEachLine(std::string_view(content.get(), size), [&n](std::string_view line) { n += line.size(); });
        benchmark::DoNotOptimize(n);
      },
      [&](zel::Register& reg) {
        SilentMessages messages;
        if (!read(zel::SystemFileSystem(), reg, messages, path).ok() || messages.shown != 0 ||
            reg.size() != expectedSize || !reg.Modified()) {
          state.SkipWithError("the reader did not do its work");
        }
        benchmark::DoNotOptimize(reg);
      });
  state.SetBytesProcessed(static_cast<long>(state.iterations()) * static_cast<long>(std::filesystem::file_size(path)));
}

void BM_ReadAccountFile(benchmark::State& state) {
  RunReader(state, "ReadAccountFile", zel::ReadAccountFile, TheData().withoutAccounts, TheData().accountFile, kCount);
}

void BM_ReadIbanFile(benchmark::State& state) {
  RunReader(state, "ReadIbanFile", zel::ReadIbanFile, TheData().withAccounts, TheData().ibanFile, kCount);
}

void BM_ReadBankDataFile(benchmark::State& state) {
  RunReader(state, "ReadBankDataFile", zel::ReadBankDataFile, TheData().withAccounts, TheData().blockFile, 2 * kCount);
}

}  // namespace

BENCHMARK(BM_ReadAccountFile)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ReadIbanFile)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ReadBankDataFile)->Unit(benchmark::kMillisecond)->UseManualTime();
