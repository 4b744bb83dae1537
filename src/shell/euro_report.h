#pragma once
// The report of the conversion into euro: for each employee the name, the
// EGN and every converted amount before and after, with the totals, for the
// register and for the payment list. Saved as a text file beside the data,
// shown, and printed like the lists.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/euro.h"
#include "common/fixed_text.h"
#include "common/print_surface.h"
#include "common/status.h"

namespace zel {

inline constexpr std::size_t kReportColumns = 3;

// One employee's amounts in one file, before and after; empty where empty.
struct ReportLine {
  FixedText<60> name;
  FixedText<10> egn;
  std::array<FixedText<20>, kReportColumns> before;
  std::array<FixedText<20>, kReportColumns> after;
};

struct ReportSection {
  std::string title;                // code page 1251
  std::vector<std::string> labels;  // the amounts' field labels, at most kReportColumns
  std::vector<ReportLine> lines;
  std::array<DecimalSum, kReportColumns> totalBefore;
  std::array<DecimalSum, kReportColumns> totalAfter;
  std::string note;  // what else the reader should know about this file, if anything
};

struct ConversionReport {
  Date day;
  ReportSection staff;     // the register
  ReportSection payments;  // the payment list
};

// The report as a text file: UTF-8 with a byte order mark and CR LF line
// ends, which every Notepad opens as it is meant; columns of blanks.
std::string ReportText(const ConversionReport& report);
// The same text in code page 1251 lines, as the window shows it.
std::vector<std::string> ReportLines(const ConversionReport& report);

// The report on paper, with page numbers; nothing when the print dialog is cancelled.
Status PrintConversionReport(Printer& printer, const ConversionReport& report, const PrintFont& font);

}  // namespace zel
