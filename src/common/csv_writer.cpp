#include "common/csv_writer.h"

#include "common/cp1251.h"
#include "common/euro.h"

namespace zel::csv {

namespace {

constexpr char kSeparator = ';';
constexpr std::string_view kRowEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool NeedsQuotes(std::string_view text) {
  if (text.empty()) return false;
  if (IsBlank(text.front()) || IsBlank(text.back())) return true;
  return text.find_first_of(";,\t\"\r\n") != std::string_view::npos;
}

}  // namespace

bool LooksLikeFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos;
}

Writer::Writer() : out_("\xEF\xBB\xBF") {}

void Writer::StartCell() {
  if (rowStarted_) out_ += kSeparator;
  rowStarted_ = true;
}

void Writer::Text(std::string_view cp1251) {
  StartCell();
  std::string cell;
  if (LooksLikeFormula(cp1251)) cell += kFormulaGuard;
  cell += cp1251;
  if (!NeedsQuotes(cell)) {
    AppendCp1251AsUtf8(out_, cell);
    return;
  }
  out_ += '"';
  for (std::size_t at = 0;;) {
    const std::size_t quote = cell.find('"', at);
    AppendCp1251AsUtf8(out_, std::string_view(cell).substr(at, quote - at));
    if (quote == std::string::npos) break;
    out_ += "\"\"";
    at = quote + 1;
  }
  out_ += '"';
}

void Writer::Amount(std::string_view amount) {
  if (!IsPlainDecimal(amount)) {
    Text(amount);
    return;
  }
  StartCell();
  const std::size_t point = amount.find('.');
  out_ += amount.substr(0, point);
  if (point != std::string_view::npos) {
    out_ += ',';
    out_ += amount.substr(point + 1);
  }
}

void Writer::EndRow() {
  out_ += kRowEnd;
  rowStarted_ = false;
}

}  // namespace zel::csv
