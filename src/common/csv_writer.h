#pragma once
// A table for a spreadsheet, as Bulgarian Excel and LibreOffice open it with
// a double click: UTF-8 behind a byte order mark (without one Excel takes the
// text for the system's code page), ";" between the cells (the list
// separator of the Bulgarian locale), CR LF after each row.
//
// A cell is quoted when it holds a separator of any kind (";", "," or tab,
// so that the reader finds ";" again), a quote, a line end, or blanks at its
// ends, which a spreadsheet would drop. A text that begins with "=", "+",
// "-" or "@" would run as a formula when the file is opened: it gets an
// apostrophe in front, which shows it as the text it is. Amounts keep their
// digits and take a decimal comma, so that they open as numbers; an EGN or
// an account stays digits as well (Excel then shows an EGN without its
// leading zero, and the import of amounts fills it in again).

#include <string>
#include <string_view>
#include <utility>

namespace zel::csv {

class Writer {
public:
  Writer();

  // A text in code page 1251.
  void Text(std::string_view cp1251);
  // An amount as the program stores it ("1234.50") with a decimal comma
  // ("1234,50"); any other text as Text.
  void Amount(std::string_view amount);
  void EndRow();

  // The file: the byte order mark and every row ended so far.
  const std::string& bytes() const { return out_; }
  std::string TakeBytes() { return std::move(out_); }

private:
  void StartCell();

  std::string out_;
  bool rowStarted_ = false;
};

// The mark a formula-like text gets in front (see above); a reader of such a
// file drops it again before comparing texts.
inline constexpr char kFormulaGuard = '\'';
// Whether a text would run as a formula in a spreadsheet.
bool LooksLikeFormula(std::string_view text);

}  // namespace zel::csv
