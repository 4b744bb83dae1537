// The register and payment list files at 1,000 / 10,000 / 100,000 employees,
// each beside the floor of reading or writing the same bytes raw.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "common/data_files.h"
#include "floor.h"
#include "payment/payment_list.h"
#include "personnel/register_files.h"

namespace {

using namespace zel;

class BenchDir {
public:
  BenchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    SetDataDir(path_ + "/");
  }
  ~BenchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const char* name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

BenchDir& Dir() {
  static BenchDir dir;
  return dir;
}

std::string RegisterBytes(std::int64_t n) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(n) * sizeof(EmployeeRecord));
  for (std::int64_t i = 0; i < n; ++i) {
    EmployeeRecord r = ZeroEmployeeRecord();
    const std::string num = std::to_string(1000000000 + i);
    r.FullName = "Employee " + num;
    r.EGN = num;
    r.IBAN = "BG80BNBG9661" + num;
    r.Account = num;
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  return bytes;
}

std::string PaymentBytes(std::int64_t n) {
  std::string bytes;
  for (std::int64_t i = n - 1; i >= 0; --i) {  // reverse order: the merge cannot ride on list order
    PaymentRecord p;
    std::memset(&p, 0, sizeof p);
    p.EGN = std::to_string(1000000000 + i);
    p.NetAmount = "1234.50";
    p.Reason = "Salary";
    bytes.append(reinterpret_cast<const char*>(&p), sizeof p);
  }
  return bytes;
}

void WriteRaw(const std::string& path, const std::string& bytes, bool sync) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  if (sync) ::fsync(fd);
  ::close(fd);
}

void Prepare(std::int64_t n, bool withPayments) {
  std::filesystem::remove(Dir().File("masspIB.dat"));
  WriteRaw(Dir().File("employIB.dat"), RegisterBytes(n), false);
  if (withPayments) WriteRaw(Dir().File("masspIB.dat"), PaymentBytes(n), false);
}

// The floor: the same bytes read into fresh memory, as the load must hand
// its records over in memory of their own.
void BM_LoadRegister(benchmark::State& state) {
  Prepare(state.range(0), false);
  const std::string file = Dir().File("employIB.dat");
  zelbench::StepBesideFloor(
      state, "LoadRegister/" + std::to_string(state.range(0)), 3, [] { return 0; },
      [&file] { benchmark::DoNotOptimize(zelbench::ReadIntoFreshMemory(file)); },
      [&state](int) {
        Register reg;
        if (!LoadRegister(zel::SystemFileSystem(), reg).ok() || reg.size() != static_cast<std::size_t>(state.range(0)))
          state.SkipWithError("load failed");
        benchmark::DoNotOptimize(reg.records().data());
      });
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveRegister(benchmark::State& state) {
  Prepare(state.range(0), false);
  Register reg;
  if (!LoadRegister(zel::SystemFileSystem(), reg).ok()) state.SkipWithError("load failed");
  for (auto _ : state) {
    if (!SaveRegister(zel::SystemFileSystem(), reg, {}).ok()) state.SkipWithError("save failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Plain write() of the same bytes; once without and once with the fsync
// that a crash-safe save cannot do without.
void BM_SaveRegister_RawFloor(benchmark::State& state) {
  const std::string bytes = RegisterBytes(state.range(0));
  for (auto _ : state) WriteRaw(Dir().File("raw.dat"), bytes, false);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveRegister_RawFsyncFloor(benchmark::State& state) {
  const std::string bytes = RegisterBytes(state.range(0));
  for (auto _ : state) WriteRaw(Dir().File("raw.dat"), bytes, true);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor: both files read into fresh memory.
void BM_LoadPaymentList(benchmark::State& state) {
  Prepare(state.range(0), true);
  const std::string registerFile = Dir().File("employIB.dat");
  const std::string paymentFile = Dir().File("masspIB.dat");
  zelbench::Summary::Get().Scaling("LoadPaymentList", 10000, 100000, 12);
  zelbench::StepBesideFloor(
      state, "LoadPaymentList/" + std::to_string(state.range(0)), 3, [] { return 0; },
      [&] {
        benchmark::DoNotOptimize(zelbench::ReadIntoFreshMemory(registerFile));
        benchmark::DoNotOptimize(zelbench::ReadIntoFreshMemory(paymentFile));
      },
      [&state](int) {
        PaymentList list;
        if (!LoadPaymentList(zel::SystemFileSystem(), list).ok() ||
            list.lines.size() != static_cast<std::size_t>(state.range(0)) || !list.paymentFileRead ||
            list.lines.front().NetAmount.view() != "1234.50")
          state.SkipWithError("load failed");
        benchmark::DoNotOptimize(list.lines.data());
      });
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

#define ZEL_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_LoadRegister) ZEL_SIZES->UseManualTime();
BENCHMARK(BM_SaveRegister) ZEL_SIZES;
BENCHMARK(BM_SaveRegister_RawFloor) ZEL_SIZES;
BENCHMARK(BM_SaveRegister_RawFsyncFloor) ZEL_SIZES;
BENCHMARK(BM_LoadPaymentList) ZEL_SIZES->UseManualTime();

}  // namespace
