// The SEPA credit transfer file for 1,000, 10,000 and 100,000 payments: the
// lines taken (amounts into cents, names and reasons into Latin letters), the
// XML made and saved crash-safe; beside its floor, the same bytes written to
// a file and flushed to the disk.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "bench_lists.h"
#include "common/calendar.h"
#include "common/file_io.h"
#include "floor.h"
#include "payment/sepa_file.h"

namespace zel {
namespace {

PaymentList MakeList(std::int64_t n) {
  return zelbench::MakeList(
      n, {"Щерю Жечев Цанков ", "Заплата за месец ноември 2026 г. и премия по трудов договор", Currency::Euro,
          [](std::int64_t i) { return std::to_string(1000 + i % 5000) + "." + std::to_string(10 + i % 90); }});
}

using zelbench::Dir;

SepaHeader Header() {
  SepaHeader header;
  header.created = {MakeDate(2026, 12, 7), {10, 11, 12}};
  header.messageId = SepaMessageId(header.created, 1);
  header.payerName = "Torva OOD";
  header.payerIban = "BG80BNBG96611020345678";
  header.payerBic = "BNBGBGSF";
  header.executionDate = MakeDate(2026, 12, 8);
  return header;
}

void BM_WriteSepaFile(benchmark::State& state) {
  Dir();
  const PaymentList list = MakeList(state.range(0));
  const std::string bytes = SepaDocument(Header(), CollectSepaPayments(list));
  zelbench::StepBesideFloor(
      state, "WriteSepaFile/" + std::to_string(state.range(0)), 3, [] { return 0; },
      [&bytes] {
        const int fd = ::open("raw.xml", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::fsync(fd) != 0) {
          std::abort();
        }
        ::close(fd);
      },
      [&list](int) {
        const SepaPayments payments = CollectSepaPayments(list);
        const std::string xml = SepaDocument(Header(), payments);
        if (!files::ReplaceFile(SystemFileSystem(), "SEPA-20261208-1.xml", xml).ok()) std::abort();
      });
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_WriteSepaFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace zel
