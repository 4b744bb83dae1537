#include "shell/data_conversion.h"

#include <cstring>
#include <utility>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/employee_record.h"
#include "common/file_io.h"
#include "common/fixed_records.h"
#include "payment/payment_record.h"
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

// Every whole record of the older file, converted, into the new file; nothing
// when the older file is missing or the new one exists. The new file appears
// whole or not at all, so an interrupted start converts again.
template <typename Old>
void ConvertFile(FileSystem& fs, const std::string& folder, const char* oldName, const char* newName,
                 Messages& messages) {
  const std::string source = folder + oldName;
  const std::string target = folder + newName;
  if (!fs.Exists(source) || fs.Exists(target)) return;

  std::string old;
  if (Status read = files::ReadFile(fs, source, old); !read.ok()) {
    messages.ReportError(read.message());
    return;
  }
  std::string content;
  using New = decltype(Converted(std::declval<const Old&>()));
  content.reserve(WholeRecords<Old>(old) * sizeof(New));
  ForEachRecord<Old>(old, [&content](const Old& record) {
    const New r = Converted(record);
    content.append(reinterpret_cast<const char*>(&r), sizeof r);
  });
  if (!files::ReplaceFile(fs, target, content).ok()) {
    messages.Show("Error save in file " + files::ShownPath(files::FullPath(fs, target)) + " !");
  }
}

}  // namespace

bool NotIbanData(FileSystem& fs, const std::string& folder, Messages& messages) {
  if (!fs.Exists(folder + kOldRegisterFile)) return false;
  const bool convert = !fs.Exists(folder + kRegisterFile) || !fs.Exists(folder + kPaymentListFile);
  if (convert) messages.Show(Cp("Данните не съдържат IBAN номер на сметка! Данните ще бъдат конвертирани !"));
  return convert;
}

void ConvertIBANData(FileSystem& fs, const std::string& folder, Messages& messages) {
  const std::string source = folder + kOldRegisterFile;
  if (!fs.Exists(source)) return;
  std::string old;
  if (Status read = files::ReadFile(fs, source, old); !read.ok()) {
    messages.ReportError(read.message());
    return;
  }
  // An empty file, and one whose size fits both layouts, count as the first layout.
  if (old.size() % sizeof(EmployeeRecordV1) == 0) {
    ConvertFile<EmployeeRecordV1>(fs, folder, kOldRegisterFile, kRegisterFile, messages);
  } else if (old.size() % sizeof(EmployeeRecordV2) == 0) {
    ConvertFile<EmployeeRecordV2>(fs, folder, kOldRegisterFile, kRegisterFile, messages);
  }
  ConvertFile<OldPaymentRecord>(fs, folder, kOldPaymentListFile, kPaymentListFile, messages);
}

}  // namespace zel
