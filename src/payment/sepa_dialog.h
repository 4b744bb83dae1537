#pragma once
// The SEPA file dialog without its widgets: its fields and their checks, the
// print command that fixes the file and prints its control sheet, and the
// write of that very file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/form_fields.h"
#include "common/print_surface.h"
#include "common/status.h"
#include "company/company_data.h"
#include "payment/payment_list.h"
#include "payment/sepa_file.h"

namespace zel {

// The text fields, top to bottom; the format and the booking follow them.
enum class SepaField { PayerName, PayerIban, PayerBic, ExecutionDate };
inline constexpr std::size_t kSepaFieldCount = 4;

// Indexed by SepaField.
const std::array<FieldInfo, kSepaFieldCount>& SepaFieldTable();

struct SepaForm {
  std::array<std::string, kSepaFieldCount> texts;
  SepaVersion version = SepaVersion::Pain09;
  bool batchBooking = true;
  std::string& operator[](SepaField f) { return texts[static_cast<std::size_t>(f)]; }
  const std::string& operator[](SepaField f) const { return texts[static_cast<std::size_t>(f)]; }
};

// On opening: the company's name in Latin letters, its IBAN, no BIC, the
// next working day, version .09, one booking.
SepaForm InitialSepaForm(const CompanyData& company, const Date& today);

using SepaInputCheck = FieldCheck<SepaField>;
// The checks in their order: name, IBAN, BIC, date. The name is put into the
// Latin set, the IBAN and the BIC into capitals, the date's separators made
// "."; the fields are to show the changed texts. A date before today or on a
// day without payments is refused with the next working day named.
SepaInputCheck CheckSepaInput(SepaForm& form, const Date& today);

// The folder's count of SEPA files written, in the data folder: a number, as
// text. A missing or unreadable count is 0: the identifier also carries the
// second it was made in.
inline constexpr const char* kSepaCountFile = "sepacount.dat";
std::uint64_t ReadSepaCount(FileSystem& fs);

struct SepaPrintResult {
  bool printed = false;
  std::optional<SepaField> focus;  // after a failed check
  std::string message;             // a check's or the list's refusal, to show
  Status error = Status::Ok();     // a printer failure, to report
};

// "Печат на контролен лист": check the fields, take the lines, fix the
// identifier and the bytes of the file in `file`, and print its control sheet.
// `file` is emptied first, and kept only when the sheet was printed.
SepaPrintResult RunSepaPrint(SepaForm& form, const PaymentList& list, FileSystem& fs, const Clock& clock,
                             Printer& printer, const PrintFont& font, std::optional<SepaFile>& file);

// "Запис": the folder's count raised to the file's number, then the file
// written to `path`; both crash-safe, the count first, so that a number is
// never used twice.
Status WriteSepaFile(FileSystem& fs, const SepaFile& file, const std::string& path);

// The message after the write, with the file's full path.
std::string SepaWrittenMessage(const std::string& fullPath);

}  // namespace zel
