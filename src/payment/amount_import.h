#pragma once
// Net amounts from a spreadsheet into the mass payment list: which columns
// hold the EGN, the amount and the name; what every line of the file would
// do to the list, shown before anything changes; and then the lines that pass
// the payment dialog's checks of an amount put into the list.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/csv_reader.h"
#include "common/currency.h"
#include "common/fixed_text.h"
#include "payment/payment_list.h"

namespace zel {

struct ImportColumns {
  int egn = -1;
  int amount = -1;
  int name = -1;             // -1: no name column
  std::size_t firstRow = 0;  // the first row of data, after the header
};

// A header among the first rows whose cells name the EGN ("ЕГН", "EGN") and
// the amount ("Сума за превод", "Нето", "Сума", "Net", "Amount", and the
// payment dialog's "Чиста сума за получаване"), case, blanks and a closing
// "(...)" ignored; a name column too when one is named. Nothing when no row is one.
std::optional<ImportColumns> FindHeaderColumns(const csv::Table& table);
// For the user to confirm when there is no header: the column of most EGNs,
// the other column of most amounts (those with decimals first), the column
// of most names, and whether the first row is a header.
ImportColumns GuessColumns(const csv::Table& table);

// The EGN of a cell: ten digits; fewer (a spreadsheet drops leading zeros)
// are filled with zeros on the left and `zeroFilled` says so. False for any
// other text.
bool ReadEgn(std::string_view cell, FixedText<10>& egn, bool& zeroFilled);

enum class AmountReading {
  Empty,
  NotAnAmount,  // no amount in any form a spreadsheet writes
  Refused,      // an amount, but not one the payment dialog stores
  Valid,
};
// An amount as spreadsheets write it: a decimal comma or point; thousands
// grouped by blanks, no-break blanks or apostrophes ("1 234,56", "1'234.56");
// the currency's label behind it only when it is the list's ("EUR" or "€",
// "лв."). Valid when it then passes the payment dialog's checks (at least the
// currency's minimum, at most two decimals); `stored` is then the text the
// dialog would store ("1234.56"). No floating point takes part.
AmountReading ReadAmount(std::string_view cell, Currency currency, FixedText<20>& stored);

// What a line of the file would do, in the order the checks decide it.
enum class ImportVerdict : std::uint8_t {
  InvalidEgn,      // no EGN in the cell
  NoSuchEmployee,  // not in the register
  Left,            // in the register, has left
  NoIban,          // in the register without an IBAN of 22 characters, or with one the checks refuse
  RepeatedEgn,     // on more lines of the file: none of them is taken
  InvalidAmount,   // no amount the payment dialog would store (an empty one where the line has an amount)
  NoChange,
  Change,
};
inline constexpr std::size_t kImportVerdictCount = 8;
// "невалиден ЕГН", "няма такъв служител", ... "ще се промени" (code page 1251).
const std::string& VerdictText(ImportVerdict verdict);

struct ImportLine {
  std::uint32_t row = 0;      // of the table
  std::int32_t line = -1;     // the payment line of the EGN, or -1
  std::int32_t offList = -1;  // else the employee of the register off the list, or -1
  ImportVerdict verdict = ImportVerdict::InvalidEgn;
  AmountReading amount = AmountReading::Empty;
  bool zeroFilled = false;
  std::int64_t cents = 0;  // the amount of a valid cell, in cents
};

// The columns of the preview, left to right.
enum class PreviewColumn { FileLine, Egn, Name, AmountNow, AmountFile, Verdict, Note };
inline constexpr std::size_t kPreviewColumnCount = 7;
const std::string& PreviewColumnTitle(PreviewColumn column);

// The import of one file into one list: built once (an index of the list by
// EGN, one pass over the rows), then shown and applied. The list must stay
// as it is while the import lives.
class AmountImport {
public:
  AmountImport(csv::Table table, const ImportColumns& columns, const PaymentList& list);

  // Every row of data that has an EGN or an amount cell, in file order.
  const std::vector<ImportLine>& lines() const { return lines_; }
  std::size_t Count(ImportVerdict verdict) const { return counts_[static_cast<std::size_t>(verdict)]; }
  // The lines with a readable EGN and an amount in a form; without any, the
  // file holds nothing to import.
  std::size_t withEgnAndAmount() const { return withEgnAndAmount_; }
  // The lines of the list that no line of the file names.
  std::size_t unnamed() const { return unnamed_; }

  // The amounts of the list summed exactly (an amount that is no plain
  // decimal counts nothing): now, and after applying.
  const std::string& totalNow() const { return totalNow_; }
  const std::string& totalAfter(bool emptyUnnamed) const { return emptyUnnamed ? totalEmpty_ : totalKeep_; }
  // How many lines of the list applying changes.
  std::size_t changes(bool emptyUnnamed) const;

  // The text of line i in a column of the preview (code page 1251).
  std::string Cell(std::size_t i, PreviewColumn column) const;
  // "ще се промени: 3, без промяна: 1, ..." of the verdicts that occur.
  std::string VerdictSummary() const;

  // Puts the amount of every line "ще се промени" into the list; with
  // emptyUnnamed also empties the amounts of the lines the file does not
  // name. The list is the one the import was built on. Returns how many
  // lines changed.
  std::size_t Apply(PaymentList& list, bool emptyUnnamed) const;

private:
  void ReadRows();
  void Decide();
  bool NameDiffers(const ImportLine& l) const;
  std::string_view CellOf(std::size_t row, int column) const;

  csv::Table table_;
  ImportColumns columns_;
  const PaymentList& list_;
  std::vector<ImportLine> lines_;
  // Per line of the list: the first line of the file that names it, or -1.
  std::vector<std::int32_t> first_;
  std::array<std::size_t, kImportVerdictCount> counts_{};
  std::size_t withEgnAndAmount_ = 0;
  std::size_t unnamed_ = 0;
  std::size_t unnamedWithAmount_ = 0;
  std::string totalNow_, totalKeep_, totalEmpty_;
};

// Why the import does not go on with the file at `shownPath` (code page
// 1251), or nothing: before its columns are chosen, a file with more rows
// than a table keeps or without a line of two cells; once read, one without
// any line that has an EGN and an amount.
std::optional<std::string> TableRefusal(const csv::Table& table, std::string_view shownPath);
std::optional<std::string> ImportRefusal(const AmountImport& import, std::string_view shownPath);

}  // namespace zel
