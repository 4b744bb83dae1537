#pragma once
// The data folder's currency at start, and the one conversion of a folder's
// amounts from leva into euro: the register's requested sums, minimum
// balances and overdrafts to the nearest cent, the payment list's net
// amounts by the rule for pay. Files keep their layout; only the amounts change.
//
// The conversion is all or nothing. It first notes that it has begun (a
// journal file), keeps every data file and backup under a name that says
// leva ("employIB.dat.lev"), writes the converted files and the report, then
// the euro record, and ends the journal. A conversion cut off before the
// record is undone at the next start by putting the leva files back.

#include <string>

#include "common/clock.h"
#include "common/currency.h"
#include "common/file_system.h"
#include "common/status.h"
#include "shell/euro_report.h"

namespace zel {

inline constexpr const char* kConversionJournal = "valuta.jrn";
inline constexpr const char* kConversionReport = "euro_report.txt";
inline constexpr const char* kLevaSuffix = ".lev";

struct FolderAtStart {
  DataFolder folder;
  // A conversion had been cut off: the leva files were put back.
  bool restored = false;
  Status status = Status::Ok();  // a failure while putting them back
};

// The data folder DataDir names, as the start-up finds it: the temporary
// files that killed saves left are cleared, a conversion that was cut off is
// undone, and the currency is told: euro with the record, or with no data
// files yet (a new company); leva otherwise.
FolderAtStart OpenDataFolder(FileSystem& fs);

struct EuroConversionResult {
  Status status = Status::Ok();  // a file error; the leva files are then back in place
  std::string refusal;           // an amount that is no plain number: nothing was written
  ConversionReport report;
  std::string reportPath;  // full path of the report file
};

// Converts the folder's amounts into euro and records it; a folder already
// in euro is left alone. `today` dates the record and the report.
EuroConversionResult ConvertDataFolder(FileSystem& fs, DataFolder& folder, const Date& today);

// "Сумите в данните са в лева. ... Да бъдат ли превърнати ...?"
std::string EuroQuestion();
// The message after a conversion, naming the report file.
std::string EuroDoneMessage(const std::string& reportPath);
// Told at start when a cut-off conversion was undone.
std::string EuroRestoredMessage();

}  // namespace zel
