#include "shell/data_conversion.h"

#include <cstring>
#include <optional>
#include <utility>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/employee_record.h"
#include "common/euro.h"
#include "common/file_io.h"
#include "common/fixed_records.h"
#include "payment/payment_form.h"
#include "payment/payment_record.h"
#include "personnel/employee_form.h"
#include "shell/euro_conversion.h"
#include "shell/old_employee_records.h"

namespace zel {

namespace {

constexpr const char* kOldRegisterFile = "employs.dat";
constexpr const char* kOldPaymentListFile = "masspay.dat";

// The fields both older register layouts share with EmployeeRecord, copied
// as texts: a corrupt length byte is cut to the capacity and the bytes
// behind the length stay zero, as in a freshly filled record.
template <typename Old>
EmployeeRecord CommonFields(const Old& old) {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = old.FullName.view();
  r.ShortName = old.ShortName.view();
  r.EGN = old.EGN.view();
  r.BirthDate = old.BirthDate.view();
  r.PassportSeries = old.PassportSeries.view();
  r.PassportNo = old.PassportNo.view();
  r.IssueDate = old.IssueDate.view();
  r.IssuedBy = old.IssuedBy.view();
  r.Town = old.Town.view();
  r.Street = old.Street.view();
  r.RequestedSum = old.RequestedSum.view();
  r.MinBalance = old.MinBalance.view();
  r.Account = old.Account.view();
  r.HasLeft = old.HasLeft;
  return r;
}

EmployeeRecord Converted(const EmployeeRecordV1& old) { return CommonFields(old); }

EmployeeRecord Converted(const EmployeeRecordV2& old) {
  EmployeeRecord r = CommonFields(old);
  r.Overdraft = old.Overdraft.view();
  r.LabourContract = old.LabourContract.view();
  return r;
}

// The same fields at the same offsets, and an empty IBAN.
PaymentRecord Converted(const OldPaymentRecord& old) {
  PaymentRecord r;
  std::memset(&r, 0, sizeof r);
  std::memcpy(&r, &old, sizeof old);
  return r;
}

// The amounts of a converted record in euro, or the message why one cannot be.
std::optional<std::string> InEuro(EmployeeRecord& r) {
  static constexpr std::pair<FixedText<20> EmployeeRecord::*, int> kFields[] = {
      {&EmployeeRecord::RequestedSum, kFieldRequestedSum},
      {&EmployeeRecord::MinBalance, kFieldMinBalance},
      {&EmployeeRecord::Overdraft, kFieldOverdraft}};
  for (const auto& [field, label] : kFields) {
    FixedText<20>& amount = r.*field;
    if (amount.empty()) continue;
    const std::optional<std::string> euro = FieldInEuro(amount.view(), EuroRounding::General);
    if (!euro) return AmountRefusal(amount.view(), EmployeeFieldTable()[label].label, r.FullName.view(), r.EGN.view());
    amount = *euro;
  }
  return std::nullopt;
}

std::optional<std::string> InEuro(PaymentRecord& r) {
  if (r.NetAmount.empty()) return std::nullopt;
  const std::optional<std::string> euro = FieldInEuro(r.NetAmount.view(), EuroRounding::Pay);
  if (!euro)
    return AmountRefusal(r.NetAmount.view(), PaymentFieldInfoOf(PaymentField::NetAmount).label, {}, r.EGN.view());
  r.NetAmount = *euro;
  return std::nullopt;
}

// What ConvertFile did.
enum class Outcome { Nothing, Written, Refused };

// Every whole record of the older file, converted, into the new file; nothing
// when the older file is missing or the new one exists. The new file appears
// whole or not at all, so an interrupted start converts again. In a folder
// in euro the amounts are converted too, and one that cannot be keeps the
// whole file back (the older file stays as it is).
template <typename Old>
Outcome ConvertFile(FileSystem& fs, const std::string& folder, const char* oldName, const char* newName,
                    Messages& messages, Currency currency) {
  const std::string source = folder + oldName;
  const std::string target = folder + newName;
  if (!fs.Exists(source) || fs.Exists(target)) return Outcome::Nothing;

  std::string old;
  if (Status read = files::ReadFile(fs, source, old); !read.ok()) {
    messages.ReportError(read.message());
    return Outcome::Nothing;
  }
  std::string content;
  using New = decltype(Converted(std::declval<const Old&>()));
  content.reserve(WholeRecords<Old>(old) * sizeof(New));
  std::optional<std::string> refusal;
  ForEachRecord<Old>(old, [&](const Old& record) {
    New r = Converted(record);
    if (currency == Currency::Euro && !refusal) refusal = InEuro(r);
    content.append(reinterpret_cast<const char*>(&r), sizeof r);
  });
  if (refusal) {
    messages.Show(Cp("Файлът ") + oldName + Cp(" е от предишната версия на програмата и сумите в него са в лева. ") +
                  *refusal + Cp(" Файлът не е пренесен в ") + newName + ".");
    return Outcome::Refused;
  }
  if (!files::ReplaceFile(fs, target, content).ok()) {
    messages.Show("Error save in file " + files::ShownPath(files::FullPath(fs, target)) + " !");
    return Outcome::Nothing;
  }
  return Outcome::Written;
}

}  // namespace

bool NotIbanData(FileSystem& fs, const std::string& folder, Messages& messages) {
  if (!fs.Exists(folder + kOldRegisterFile)) return false;
  const bool convert = !fs.Exists(folder + kRegisterFile) || !fs.Exists(folder + kPaymentListFile);
  if (convert) messages.Show(Cp("Данните не съдържат IBAN номер на сметка! Данните ще бъдат конвертирани !"));
  return convert;
}

void ConvertIBANData(FileSystem& fs, const std::string& folder, Messages& messages, Currency currency) {
  const std::string source = folder + kOldRegisterFile;
  if (!fs.Exists(source)) return;
  std::string old;
  if (Status read = files::ReadFile(fs, source, old); !read.ok()) {
    messages.ReportError(read.message());
    return;
  }
  Outcome staff = Outcome::Nothing;
  // An empty file, and one whose size fits both layouts, count as the first layout.
  if (old.size() % sizeof(EmployeeRecordV1) == 0) {
    staff = ConvertFile<EmployeeRecordV1>(fs, folder, kOldRegisterFile, kRegisterFile, messages, currency);
  } else if (old.size() % sizeof(EmployeeRecordV2) == 0) {
    staff = ConvertFile<EmployeeRecordV2>(fs, folder, kOldRegisterFile, kRegisterFile, messages, currency);
  }
  const Outcome payments =
      ConvertFile<OldPaymentRecord>(fs, folder, kOldPaymentListFile, kPaymentListFile, messages, currency);
  if (currency == Currency::Euro && (staff == Outcome::Written || payments == Outcome::Written)) {
    messages.Show(Cp("Данните на предишната версия на програмата са в лева. Пренесените суми са превърнати в евро "
                     "по курс ") +
                  std::string(kEuroRate) + Cp(" лв. за 1 евро, както сумите на тази папка."));
  }
}

}  // namespace zel
