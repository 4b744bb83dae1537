// The import of net amounts from a spreadsheet at 1,000 / 10,000 / 100,000
// lines: the file read, split and told UTF-8, its header found, every line
// judged against the list with the totals now and after, and what the
// preview shows as it opens (its figures, and the cells of the lines on the
// screen, decoded as they come into sight). The floor: the same file read
// into fresh memory. The file is the list's own export with every amount
// changed, as an accountant sends it back from Excel.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "bench_lists.h"
#include "common/csv_reader.h"
#include "common/text.h"
#include "floor.h"
#include "payment/amount_import.h"
#include "payment/payment_csv.h"

namespace zel {
namespace {

// The lines of the preview on a screen of 768 pixels, and some.
constexpr std::size_t kScreenLines = 40;

// The list's amounts from `base` up.
PaymentList MakeList(std::int64_t n, double base) {
  return zelbench::MakeList(
      n, {"Иван Петров Георгиев ", "Заплата за месец май 2026 г.", Currency::Euro,
          [base](std::int64_t i) { return FormatAmount(base + static_cast<double>(i % 5000) / 4); }});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  ::close(fd);
}

void BM_ImportAmounts(benchmark::State& state) {
  const std::int64_t n = state.range(0);
  const PaymentList list = MakeList(n, 1000);
  const std::string file = zelbench::Dir().path + "/amounts-" + std::to_string(n) + ".csv";
  WriteFile(file, PaymentListCsv(MakeList(n, 1100)));
  zelbench::Summary::Get().Scaling("ImportAmounts", 10000, 100000, 12);
  zelbench::StepBesideFloor(
      state, "ImportAmounts/" + std::to_string(n), 3, [] { return 0; },
      [&file] { benchmark::DoNotOptimize(zelbench::ReadIntoFreshMemory(file)); },
      [&](int) {
        files::FileBytes bytes;
        if (!csv::ReadSpreadsheetFile(SystemFileSystem(), file, bytes).ok()) state.SkipWithError("read failed");
        csv::Table table(std::move(bytes));
        const std::optional<ImportColumns> columns = FindHeaderColumns(table);
        if (!columns) state.SkipWithError("no header");
        const AmountImport import(std::move(table), *columns, list);
        if (import.Count(ImportVerdict::Change) != static_cast<std::size_t>(n)) state.SkipWithError("not all changed");
        // What the preview shows as it opens: the figures and the first screenful of lines.
        benchmark::DoNotOptimize(import.VerdictSummary().data());
        benchmark::DoNotOptimize(import.totalAfter(false).data());
        for (std::size_t i = 0; i < std::min<std::size_t>(kScreenLines, import.lines().size()); ++i) {
          for (std::size_t c = 0; c < kPreviewColumnCount; ++c) {
            benchmark::DoNotOptimize(import.Cell(i, static_cast<PreviewColumn>(c)).data());
          }
        }
      });
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_ImportAmounts)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace zel
