// Any bytes as a spreadsheet file: the table keeps every row's line and its
// cells; the writer's file of those cells reads back as the same cells; and
// the import of amounts over a small list counts every line once, and once
// applied finds nothing more to change, its total after becoming the total
// now.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/csv_reader.h"
#include "common/csv_writer.h"
#include "payment/amount_import.h"

namespace {

using zel::csv::Table;

void Check(bool ok) {
  if (!ok) std::abort();
}

// Short EGNs reach the fuzzer more easily; one shared EGN, one employee off the list.
zel::PaymentList List() {
  zel::PaymentList list;
  list.currency = zel::Currency::Euro;
  const char* egns[] = {"0000000001", "0000000022", "0000000022", "0000000333"};
  const char* amounts[] = {"", "10.00", "1.5", "x"};
  for (std::size_t i = 0; i < 4; ++i) {
    zel::PaymentLine line = zel::ZeroPaymentLine();
    line.Employee.EGN.assign(egns[i]);
    line.Employee.FullName.assign("A B C");
    line.Employee.IBAN.assign(i == 3 ? "BG81BNBG96611020345678" : "BG80BNBG96611020345678");
    line.NetAmount.assign(amounts[i]);
    list.lines.push_back(line);
  }
  zel::FixedText<10> egn{};
  zel::FixedText<60> name{};
  egn.assign("0000000004");
  name.assign("D E F");
  list.offList.push_back({egn, name, true});
  return list;
}

void WriterReadsBack(const Table& table) {
  zel::csv::Writer out;
  for (std::size_t r = 0; r < table.rows(); ++r) {
    for (std::size_t c = 0; c < table.columns(r); ++c) out.Text(table.cell(r, c));
    out.EndRow();
  }
  const Table back(out.bytes());
  Check(back.rows() == table.rows());
  for (std::size_t r = 0; r < table.rows(); ++r) {
    Check(back.columns(r) == table.columns(r));
    for (std::size_t c = 0; c < table.columns(r); ++c) {
      std::string cell(table.cell(r, c));
      if (zel::csv::LooksLikeFormula(cell)) cell.insert(0, 1, zel::csv::kFormulaGuard);
      Check(back.cell(r, c) == cell);
    }
  }
}

void ImportCountsAndSettles(const Table& table) {
  const std::optional<zel::ImportColumns> header = zel::FindHeaderColumns(table);
  const zel::ImportColumns columns = header ? *header : zel::GuessColumns(table);
  if (columns.egn < 0 || columns.amount < 0) return;
  zel::PaymentList list = List();
  const zel::AmountImport first(table, columns, list);
  std::size_t counted = 0;
  for (std::size_t v = 0; v < zel::kImportVerdictCount; ++v) counted += first.Count(static_cast<zel::ImportVerdict>(v));
  Check(counted == first.lines().size());
  for (std::size_t i = 0; i < first.lines().size(); ++i) {
    for (std::size_t c = 0; c < zel::kPreviewColumnCount; ++c) (void)first.Cell(i, static_cast<zel::PreviewColumn>(c));
  }
  const bool empty = !first.lines().empty() && first.lines()[0].row % 2 == 1;
  Check(first.Apply(list, empty) == first.changes(empty));
  const zel::AmountImport again(table, columns, list);
  Check(again.Count(zel::ImportVerdict::Change) == 0);
  Check(again.totalNow() == first.totalAfter(empty));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Table table(std::string(reinterpret_cast<const char*>(data), size));
  Check(table.complete());
  std::uint32_t line = 0;
  for (std::size_t r = 0; r < table.rows(); ++r) {
    Check(table.columns(r) >= 1 && table.line(r) > line);
    line = table.line(r);
  }
  WriterReadsBack(table);
  ImportCountsAndSettles(table);
  return 0;
}
