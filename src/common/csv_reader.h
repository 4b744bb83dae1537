#pragma once
// The one reader of files a person makes with a spreadsheet (Excel,
// LibreOffice, a payroll program saving CSV): bytes become rows of cells in
// code page 1251. The encoding is found first (UTF-16 or UTF-8 by their byte
// order mark, UTF-8 without one when every byte sequence is UTF-8, else
// Windows-1251), then the separator (";", tab or "," from the first lines),
// then the cells as RFC 4180 quotes them: a quoted cell may hold the
// separator, line ends and doubled quotes; CR LF, LF or a lone CR end a row.
//
// Characters code page 1251 has no byte for become "?", which is no digit,
// sign or separator, so such a character can never turn into a part of an
// EGN or an amount; the narrow and thin blanks some locales group digits with
// become the no-break blank 0xA0, as the grouping they are.
//
// Reading takes one pass over the bytes, sixteen at a time, that finds the
// rows and cells and tells UTF-8 from code page 1251. A cell of a UTF-8 file
// with letters in it is decoded when it is first read, in place: an import
// reads three cells of a row, and a table of 100,000 names need not be
// decoded for it. Reading a cell thus writes to the table; one table is not
// for several threads at once.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/status.h"
#include "common/whole_file.h"

namespace zel::csv {

// A table of amounts for a payroll is a few megabytes; far more than this is
// some other file chosen by mistake, refused before it takes any memory.
inline constexpr std::uint64_t kMaxFileBytes = 50ull * 1024 * 1024;
// What a table keeps at most; a file with more is refused as too large.
inline constexpr std::size_t kMaxRows = 1'000'000;
inline constexpr std::size_t kMaxCells = 16'000'000;

enum class Encoding { Utf8, Cp1251, Utf16 };

class Table {
public:
  Table() = default;
  // Any bytes make a table; nothing in them makes this fail.
  explicit Table(files::FileBytes bytes);
  explicit Table(std::string_view bytes);

  Encoding encoding() const { return encoding_; }
  char separator() const { return separator_; }
  // How many characters became "?" (see above).
  std::size_t replaced() const { return replaced_; }
  // False when the file had more rows or cells than kMaxRows or kMaxCells;
  // the table then ends there.
  bool complete() const { return complete_; }

  std::size_t rows() const { return lines_.size(); }
  std::size_t columns(std::size_t row) const { return rowFirst_[row + 1] - rowFirst_[row]; }
  // The cell, with blanks and all; empty past the row's last cell.
  std::string_view cell(std::size_t row, std::size_t column) const {
    if (column >= columns(row)) return {};
    Span& s = cells_[rowFirst_[row] + column];
    if ((s.size & kUndecoded) != 0) Decode(s);
    return std::string_view(text_.data() + s.begin, s.size);
  }
  // Whether the cell is this text (code page 1251), as cell() == text, and
  // without decoding the cell where it can.
  bool CellIs(std::size_t row, std::size_t column, std::string_view text) const;
  // The line of the file on which the row begins, from 1. A blank line is a
  // row of one empty cell.
  std::uint32_t line(std::size_t row) const { return lines_[row]; }

private:
  struct Span {
    std::uint32_t begin;
    std::uint32_t size;  // with kUndecoded
  };
  // In Span::size: a cell of a UTF-8 file with bytes of 0x80 and above, not yet decoded.
  static constexpr std::uint32_t kUndecoded = 0x8000'0000u;
  void Read(std::size_t from, bool utf8Mark);
  void Unquote(Span& s) const;
  void Decode(Span& s) const;

  // Code page 1251 in the cells read (and in every cell of another file);
  // quoted cells unquoted in place.
  mutable files::FileBytes text_;
  mutable std::vector<Span> cells_;
  std::vector<std::uint32_t> rowFirst_{0};  // index of each row's first cell, and one past the last
  std::vector<std::uint32_t> lines_;
  Encoding encoding_ = Encoding::Utf8;
  char separator_ = ';';
  std::size_t replaced_ = 0;
  bool complete_ = true;
};

// The separator of a text in code page 1251: of ";", tab and ",", the one
// that stands the same number of times (outside quotes) on most of the first
// lines; ";" when none stands on any.
char FindSeparator(std::string_view text);

// The whole file for a Table. A file that cannot be read, an empty one and
// one larger than kMaxFileBytes are refused with a message in Bulgarian that
// names the file; the size is checked before anything is read.
Status ReadSpreadsheetFile(FileSystem& fs, const std::string& path, files::FileBytes& bytes);
Status ReadSpreadsheetFile(FileSystem& fs, const std::string& path, std::string& bytes);

}  // namespace zel::csv
