// The pay-day pipeline at 1,000, 10,000 and 100,000 employees, each step
// beside the raw floor of the same bytes (written, or read, without any
// processing), so that the ratio is what we track.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_lists.h"
#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/text.h"
#include "floor.h"
#include "payment/crc.h"
#include "payment/payment_file.h"

namespace zel {
namespace {

const char* const kName = "O071226p.dp3";

PaymentList MakeList(std::int64_t n) {
  return zelbench::MakeList(
      n, {"Иван Петров Георгиев ", "Заплата за месец май 2026 г. и премия по трудов договор", Currency::Leva,
          [](std::int64_t i) { return FormatAmount(1000 + static_cast<double>(i % 5000) / 4); }});
}

using zelbench::Dir;

PayFileSettings Settings() {
  PayFileSettings s;
  s.PayerName = Cp("Торва ООД");
  s.PayerIBAN = "BG80BNBG96611020345678";
  s.PayDate = "07.12.2026";
  s.PaySeqNo = 3;
  s.PayFileName = kName;
  return s;
}

// The control sheet's pass: the body written, its control string and the total kept.
PayDay FirstPass(benchmark::State& state, const PaymentList& list) {
  PayDay day{Settings(), {}, 0};
  if (!WritePaymentBody(SystemFileSystem(), list, day).ok()) state.SkipWithError("write failed");
  day.StoredTotal = TotalAmount(list);
  return day;
}

void SetBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void BM_BuildLines(benchmark::State& state) {
  const PaymentList list = MakeList(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string body = PaymentFileBody(list);
    bytes = body.size();
    benchmark::DoNotOptimize(body.data());
  }
  SetBytes(state, bytes);
}

void BM_TotalAmount(benchmark::State& state) {
  const PaymentList list = MakeList(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(TotalAmount(list));
}

void BM_WriteBody(benchmark::State& state) {
  Dir();
  const PaymentList list = MakeList(state.range(0));
  PayDay day{Settings(), {}, 0};
  for (auto _ : state) {
    if (!WritePaymentBody(SystemFileSystem(), list, day).ok()) state.SkipWithError("write failed");
  }
  SetBytes(state, list.lines.size() * 146);
}

// The floor of the write: the same bytes written and flushed to the disk, as the save does.
void BM_RawWriteFloor(benchmark::State& state) {
  Dir();
  const std::string bytes = PaymentFileBody(MakeList(state.range(0)));
  for (auto _ : state) {
    const int fd = ::open("raw.bin", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(fd) != 0) {
      state.SkipWithError("raw write failed");
    }
    if (fd >= 0) ::close(fd);
  }
  SetBytes(state, bytes.size());
}

// No floor: judged by its throughput over the body in memory.
void BM_ControlString(benchmark::State& state) {
  const std::string body = PaymentFileBody(MakeList(state.range(0)));
  std::string control;
  zelbench::StepAtThroughput(state, "ControlString/" + std::to_string(state.range(0)), static_cast<double>(body.size()),
                             1, [&] {
                               control = ControlString(body);
                               benchmark::DoNotOptimize(control.data());
                             });
  SetBytes(state, body.size());
}

// The floor of every read: the same bytes read raw.
void BM_RawReadFloor(benchmark::State& state) {
  Dir();
  const std::string bytes = PaymentFileBody(MakeList(state.range(0)));
  {
    std::FILE* f = std::fopen("raw.bin", "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::string buffer(1 << 16, '\0');
  for (auto _ : state) {
    std::FILE* f = std::fopen("raw.bin", "rb");
    std::size_t total = 0;
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f)) total += n;
    std::fclose(f);
    benchmark::DoNotOptimize(total);
  }
  SetBytes(state, bytes.size());
}

void BM_FinalWriteAndVerify(benchmark::State& state) {
  Dir();
  const PaymentList list = MakeList(state.range(0));
  const PayDay day = FirstPass(state, list);
  for (auto _ : state) {
    const FinalPaymentFileResult r = MakePaymentFile(SystemFileSystem(), list, day);
    if (!r.status.ok()) state.SkipWithError(r.status.message().c_str());
  }
  SetBytes(state, (list.lines.size() + 1) * 146);
}

void BM_VerifyOnly(benchmark::State& state) {
  Dir();
  const PaymentList list = MakeList(state.range(0));
  if (!MakePaymentFile(SystemFileSystem(), list, FirstPass(state, list)).status.ok())
    state.SkipWithError("final failed");
  const std::string full = files::FullPath(SystemFileSystem(), kName);
  for (auto _ : state) {
    if (!VerifyPaymentFile(SystemFileSystem(), full, list).ok()) state.SkipWithError("verify failed");
  }
  SetBytes(state, (list.lines.size() + 1) * 146);
}

#define ZEL_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_BuildLines) ZEL_SIZES;
BENCHMARK(BM_TotalAmount) ZEL_SIZES;
BENCHMARK(BM_WriteBody) ZEL_SIZES;
BENCHMARK(BM_RawWriteFloor) ZEL_SIZES;
BENCHMARK(BM_ControlString) ZEL_SIZES->UseManualTime();
BENCHMARK(BM_VerifyOnly) ZEL_SIZES;
BENCHMARK(BM_RawReadFloor) ZEL_SIZES;
BENCHMARK(BM_FinalWriteAndVerify) ZEL_SIZES;

}  // namespace
}  // namespace zel
