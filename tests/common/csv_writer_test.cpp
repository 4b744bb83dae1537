#include "common/csv_writer.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "common/csv_reader.h"

namespace zel::csv {
namespace {

TEST(CsvWriter, QuotesWhatASpreadsheetWouldMisreadAndReadsBackTheSame) {
  const struct {
    const char* cell;     // UTF-8
    const char* written;  // UTF-8, as the file holds it
    bool amount = false;
  } cells[] = {
      {"Иван Петров", "Иван Петров"},
      {"", ""},
      {"a;b", "\"a;b\""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {" blank at the ends ", "\" blank at the ends \""},
      {"=SUM(A1:A9)", "'=SUM(A1:A9)"},
      {"-1;2", "\"'-1;2\""},
      {"@x", "'@x"},
      {"0541150000", "0541150000"},
      {"1234.50", "1234,50", true},
      {"7", "7", true},
      {"-5.00", "'-5.00", true},  // no amount the program stores: a text
  };
  // Each cell behind its row's number, as a table has more than one column.
  Writer out;
  std::string expected = "\xEF\xBB\xBF";
  for (std::size_t r = 0; r < std::size(cells); ++r) {
    const auto& c = cells[r];
    out.Text(std::to_string(r));
    expected += std::to_string(r) + ";" + c.written + "\r\n";
    if (c.amount) {
      out.Amount(Cp(c.cell));
    } else {
      out.Text(Cp(c.cell));
    }
    out.EndRow();
  }
  EXPECT_EQ(out.bytes(), expected);

  const Table back(out.bytes());
  ASSERT_EQ(back.rows(), std::size(cells));
  for (std::size_t r = 0; r < back.rows(); ++r) {
    std::string cell = Cp(cells[r].cell);
    if (cells[r].amount && cell.find('.') != std::string::npos && cell[0] != '-') cell[cell.find('.')] = ',';
    if (LooksLikeFormula(cell)) cell.insert(0, 1, kFormulaGuard);
    EXPECT_EQ(back.cell(r, 1), cell) << r;
  }
}

}  // namespace
}  // namespace zel::csv
