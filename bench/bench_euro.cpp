// The conversion of a folder into euro at 1,000, 10,000 and 100,000
// employees with their payment list, beside its floor: saving those two
// files as the lists save them.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "floor.h"
#include "payment/payment_list.h"
#include "personnel/register.h"
#include "personnel/register_files.h"
#include "shell/euro_conversion.h"

namespace zel {
namespace {

FileSystem& fs = SystemFileSystem();

struct Folder {
  explicit Folder(std::int64_t n) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zel-bench-euro-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
    SetDataDir(path + "/");
    for (std::int64_t i = 0; i < n; ++i) {
      EmployeeRecord r = ZeroEmployeeRecord();
      r.FullName.assign(Cp("Иван Петров Георгиев ") + std::to_string(i));
      r.EGN.assign(std::to_string(7501010000 + i));
      r.IBAN.assign("BG80BNBG96611020345678");
      r.RequestedSum.assign(std::to_string(800 + i % 5000) + ".00");
      r.MinBalance.assign("2.00");
      if (i % 4 == 0) r.Overdraft.assign(std::to_string(100 + i % 900));
      staff.Append(r);
      PaymentLine line = ZeroPaymentLine();
      line.Employee = r;
      line.NetAmount.assign(std::to_string(1000 + i % 5000) + "." + std::to_string(10 + i % 90));
      line.Reason.assign(Cp("Заплата за месец ноември 2026 г."));
      payments.lines.push_back(line);
    }
    payments.registerFound = true;
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  // The folder in leva again: its two files and nothing else.
  void Reset() {
    for (const auto& e : std::filesystem::directory_iterator(path)) std::filesystem::remove(e.path());
    if (!SaveRegister(fs, staff, {}).ok() || !SavePaymentList(fs, payments, {}).ok()) std::abort();
  }

  std::string path;
  Register staff;
  PaymentList payments;
};

void BM_ConvertToEuro(benchmark::State& state) {
  Folder folder(state.range(0));
  zelbench::StepBesideFloor(
      state, "ConvertToEuro/" + std::to_string(state.range(0)), 3,
      [&folder] {
        folder.Reset();
        return 0;
      },
      [&folder] {
        if (!SaveRegister(fs, folder.staff, {}).ok() || !SavePaymentList(fs, folder.payments, {}).ok()) std::abort();
      },
      [](int) {
        DataFolder data = OpenDataFolder(fs).folder;
        const EuroConversionResult result = ConvertDataFolder(fs, data, Date{2026, 12, 8, 2});
        if (!result.status.ok() || !result.refusal.empty() || data.currency != Currency::Euro) std::abort();
        benchmark::DoNotOptimize(result.report.staff.lines.data());
      });
}

BENCHMARK(BM_ConvertToEuro)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace zel
