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
// record is undone at the next start by putting the leva files back; one that
// fails is undone at once. Either way the folder is wholly in leva or wholly
// in euro, and what the disk holds is what the program reports.
//
// Nothing converts twice: a folder that holds the journal or a leva copy has
// been converted, or is being undone, and is never offered the conversion.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/currency.h"
#include "common/euro.h"
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
  // A record that does not say euro, told to the user; the folder is not taken as euro.
  std::string recordProblem;
};

// The data folder DataDir names, as the start-up finds it: the temporary
// files that killed saves left are cleared, a conversion that was cut off is
// undone, and the currency is told: euro with a record that says so, or with
// no data files yet (a new company); leva otherwise.
FolderAtStart OpenDataFolder(FileSystem& fs);

// The bare names of what an earlier conversion left in the folder: its
// journal and the leva copies of the data files and their backups.
std::vector<std::string> ConversionTraces(FileSystem& fs);

// The conversion worked out in memory, not yet written.
struct EuroConversionPlan {
  std::string staff;     // the register with its amounts in euro
  std::string payments;  // the payment list with its amounts in euro
  ConversionReport report;
  // What the question shows: the register's employees, and the mass payment
  // list's total as the list shows it, before and after.
  std::size_t employees = 0;
  std::string paymentsBefore;
  std::string paymentsAfter;
};

// What the conversion command offers a folder in leva.
struct EuroOffer {
  enum class Kind {
    None,           // the folder is in euro
    Convert,        // the question `text`; `plan` is what a yes writes
    RestoreRecord,  // the question `text`: the data were converted, the record went
    Refused,        // the message `text` (an amount that is no number, a conversion under way); nothing written
    Failed,         // `status`: the data files could not be read
  } kind = Kind::None;
  std::string text;
  EuroConversionPlan plan;
  Status status = Status::Ok();
};
EuroOffer OfferFor(FileSystem& fs, const DataFolder& folder, const Date& today);

struct EuroConversionResult {
  Status status = Status::Ok();  // a file error; `folder` then tells the state on disk
  std::string refusal;           // why nothing was written
  ConversionReport report;
  std::string reportPath;  // full path of the report file
};

// Writes a planned conversion and records it. On a failure it is undone;
// `folder` is set to what the disk then holds either way.
EuroConversionResult CarryOutConversion(FileSystem& fs, DataFolder& folder, EuroConversionPlan plan, const Date& today);

// Plans and carries out the conversion at once, refused as OfferFor refuses
// (a folder already in euro is left alone). `today` dates the record and the report.
EuroConversionResult ConvertDataFolder(FileSystem& fs, DataFolder& folder, const Date& today);

// The record of a converted folder that lost it, written again: the folder is in euro.
Status RestoreEuroRecord(FileSystem& fs, DataFolder& folder, const Date& today);

// The euro text of a leva amount for a data file's 20-character field, by
// `rounding`; nothing when it is no plain number or its euro text would not fit.
std::optional<std::string> FieldInEuro(std::string_view leva, EuroRounding rounding);
// "Сумата „…“ в „<label>“ на <who> не може да бъде превърната в евро: …",
// for an amount FieldInEuro refuses. `who` names the employee and the EGN.
std::string AmountRefusal(std::string_view amount, const std::string& label, std::string_view name,
                          std::string_view egn);

// The message after a conversion, naming the report file.
std::string EuroDoneMessage(const std::string& reportPath);
// What follows the error of a failed conversion: the state the folder is in.
std::string EuroFailedMessage(const DataFolder& folder);
// Told at start when a cut-off conversion was undone.
std::string EuroRestoredMessage();
// Told at start when a cut-off conversion could not be undone: the program ends.
std::string EuroNotRestoredMessage();

}  // namespace zel
