#include "shell/euro_report.h"

#include <algorithm>
#include <memory>

#include "common/calendar.h"
#include "common/cp1251.h"
#include "common/printing.h"
#include "common/text.h"

namespace zel {

namespace {

enum class RowKind { Title, Heading, Line, Total, Note, Blank };

// A row as cells: the name, the EGN, then before and after of each amount.
constexpr std::size_t kCells = 2 + 2 * kReportColumns;
using Cells = std::array<std::string_view, kCells>;

// Characters of the text file's columns.
constexpr std::size_t kNameChars = 32;
constexpr std::size_t kEgnChars = 12;
constexpr std::size_t kAmountChars = 13;

// Calls row(kind, cells, amountColumns) for every row of the report, top to bottom.
template <class Row>
void VisitReport(const ConversionReport& report, Row&& row) {
  const std::string title = Cp("Превръщане на сумите в евро");
  const std::string subtitle =
      Cp("Дата: ") + FormatDate(report.day) + Cp("   Курс: ") + std::string(kEuroRate) + Cp(" лв. за 1 евро");
  const std::string name = Cp("Име");
  const std::string egn = Cp("ЕГН");
  const std::string leva = Cp("лв.");
  const std::string euro = "EUR";
  const std::string total = Cp("Общо");
  row(RowKind::Title, Cells{title}, 0);
  row(RowKind::Title, Cells{subtitle}, 0);
  for (const ReportSection* section : {&report.staff, &report.payments}) {
    const std::size_t columns = section->labels.size();
    row(RowKind::Blank, Cells{}, 0);
    row(RowKind::Title, Cells{section->title}, 0);
    Cells labels{};
    Cells units{name, egn};
    for (std::size_t c = 0; c < columns; ++c) {
      labels[2 + 2 * c + 1] = section->labels[c];
      units[2 + 2 * c] = leva;
      units[2 + 2 * c + 1] = euro;
    }
    row(RowKind::Heading, labels, columns);
    row(RowKind::Heading, units, columns);
    for (const ReportLine& line : section->lines) {
      Cells cells{line.name.view(), line.egn.view()};
      for (std::size_t c = 0; c < columns; ++c) {
        cells[2 + 2 * c] = line.before[c].view();
        cells[2 + 2 * c + 1] = line.after[c].view();
      }
      row(RowKind::Line, cells, columns);
    }
    std::array<std::string, 2 * kReportColumns> totals;
    Cells sums{total};
    for (std::size_t c = 0; c < columns; ++c) {
      totals[2 * c] = section->totalBefore[c].Text();
      totals[2 * c + 1] = section->totalAfter[c].Text();
      sums[2 + 2 * c] = totals[2 * c];
      sums[2 + 2 * c + 1] = totals[2 * c + 1];
    }
    row(RowKind::Total, sums, columns);
    if (!section->note.empty()) row(RowKind::Note, Cells{section->note}, 0);
  }
}

void PutLeft(std::string& out, std::string_view text, std::size_t width) {
  out += text;
  if (text.size() < width) out.append(width - text.size(), ' ');
}

// At least one blank before: an amount wider than its column pushes the next.
void PutRight(std::string& out, std::string_view text, std::size_t width) {
  out.append(text.size() < width ? width - text.size() : 1, ' ');
  out += text;
}

// One row of the text, in code page 1251: names and EGNs from the left of
// their columns, amounts to the right of theirs, a label over its two amounts.
void AppendTextRow(std::string& out, RowKind kind, const Cells& cells, std::size_t columns) {
  const std::size_t start = out.size();
  if (kind == RowKind::Title || kind == RowKind::Note) {
    out += cells[0];
  } else if (kind != RowKind::Blank) {
    PutLeft(out, cells[0].substr(0, kNameChars - 1), kNameChars);
    PutLeft(out, cells[1], kEgnChars);
    for (std::size_t c = 0; c < columns; ++c) {
      if (kind == RowKind::Heading && cells[2 + 2 * c].empty()) {
        PutRight(out, cells[2 + 2 * c + 1], 2 * kAmountChars);
        continue;
      }
      for (std::size_t k = 0; k < 2; ++k) PutRight(out, cells[2 + 2 * c + k], kAmountChars);
    }
  }
  while (out.size() > start && out.back() == ' ') out.pop_back();
}

}  // namespace

std::vector<std::string> ReportLines(const ConversionReport& report) {
  std::vector<std::string> lines;
  lines.reserve(report.staff.lines.size() + report.payments.lines.size() + 16);
  VisitReport(report, [&lines](RowKind kind, const Cells& cells, std::size_t columns) {
    lines.emplace_back();
    AppendTextRow(lines.back(), kind, cells, columns);
  });
  return lines;
}

std::string ReportText(const ConversionReport& report) {
  std::string text = "\xEF\xBB\xBF";
  text.reserve((report.staff.lines.size() + report.payments.lines.size()) * 150);
  std::string row;
  VisitReport(report, [&](RowKind kind, const Cells& cells, std::size_t columns) {
    row.clear();
    AppendTextRow(row, kind, cells, columns);
    AppendCp1251AsUtf8(text, row);
    text += "\r\n";
  });
  return text;
}

Status PrintConversionReport(Printer& printer, const ConversionReport& report, const PrintFont& font) {
  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return Status::Ok();
  PrintSurface& s = *surface;
  s.SetFont(font);

  // The amount columns as wide as the widest amount, and never narrower than a usual salary.
  std::size_t widest = std::string_view("9999999.99").size();
  VisitReport(report, [&widest](RowKind kind, const Cells& cells, std::size_t columns) {
    if (kind != RowKind::Line && kind != RowKind::Total) return;
    for (std::size_t c = 2; c < 2 + 2 * columns; ++c) widest = std::max(widest, cells[c].size());
  });
  const int gap = s.TextWidth("WW");
  const int amountWidth = s.TextWidth(RepeatChar(static_cast<int>(widest), '9')) + gap;
  const int nameLeft = s.TextWidth("WWWW");
  const int egnLeft = std::max(nameLeft, s.PageWidth() - nameLeft - 2 * static_cast<int>(kReportColumns) * amountWidth -
                                             s.TextWidth("9999999999") - gap);
  const int firstAmountRight = egnLeft + s.TextWidth("9999999999") + gap + amountWidth;
  const int pitch = LinePitch(s);

  // The rows are drawn as they come; a page begins when the next would not fit.
  int page = 1;
  int y = 0;
  const auto beginPage = [&] {
    PrintPageNumber(s, pitch / 2, page);
    y = 2 * pitch;
  };
  beginPage();
  VisitReport(report, [&](RowKind kind, const Cells& cells, std::size_t columns) {
    if (s.PageHeight() < y + pitch) {
      s.NewPage();
      ++page;
      beginPage();
    }
    if (kind == RowKind::Title || kind == RowKind::Note) {
      s.TextOut(nameLeft, y, std::string(cells[0]));
    } else if (kind != RowKind::Blank) {
      s.TextOut(nameLeft, y, FitText(s, std::string(cells[0]), egnLeft - nameLeft - gap));
      s.TextOut(egnLeft, y, std::string(cells[1]));
      for (std::size_t c = 2; c < 2 + 2 * columns; ++c) {
        if (!cells[c].empty())
          TextOutRight(s, firstAmountRight + static_cast<int>(c - 2) * amountWidth, y, std::string(cells[c]));
      }
      if (kind == RowKind::Total) s.Line(nameLeft, y, s.PageWidth(), y);
    }
    y += pitch;
  });
  return s.End();
}

}  // namespace zel
