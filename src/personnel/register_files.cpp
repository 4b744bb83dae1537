#include "personnel/register_files.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/cp1251.h"
#include "common/text.h"
#include "payment/payment_list.h"
#include "personnel/old_employee_records.h"

namespace zel {

namespace {

constexpr const char* kRegisterFile = "employIB.dat";
constexpr const char* kRegisterBackup = "employIB.bak";
constexpr const char* kOldRegisterFile = "employs.dat";
constexpr const char* kPaymentFile = "masspIB.dat";
constexpr const char* kOldPaymentFile = "masspay.dat";

// The fields both older layouts share with EmployeeRecord, copied as texts:
// a corrupt length byte is cut to the capacity and the bytes behind the
// length stay zero, as in a freshly filled record.
template <typename Old>
void CopyCommonFields(const Old& old, EmployeeRecord& r) {
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
}

EmployeeRecord FromOld(const EmployeeRecordV1& old) {
  EmployeeRecord r = ZeroEmployeeRecord();
  CopyCommonFields(old, r);
  return r;
}

EmployeeRecord FromOld(const EmployeeRecordV2& old) {
  EmployeeRecord r = ZeroEmployeeRecord();
  CopyCommonFields(old, r);
  r.Overdraft = old.Overdraft.view();
  r.LabourContract = old.LabourContract.view();
  return r;
}

template <typename Old>
void ConvertRegister(Messages& messages) {
  const std::string source = DataFile(kOldRegisterFile);
  const std::string target = DataFile(kRegisterFile);
  if (!files::Exists(source) || files::Exists(target)) return;

  std::string content;
  const Status read = files::ReadRecords(source, sizeof(Old), [&](const char* bytes) {
    Old old;
    std::memcpy(&old, bytes, sizeof old);
    const EmployeeRecord r = FromOld(old);
    content.append(reinterpret_cast<const char*>(&r), sizeof r);
  });
  if (!read.ok()) {
    messages.ReportError(read.message());
    return;
  }
  // employIB.dat appears whole or not at all, so an interrupted start converts again.
  if (!files::ReplaceFile(target, content).ok()) {
    messages.Show("Error save in file " + files::FullPath(target) + " !");
  }
}

}  // namespace

Status LoadRegister(Register& reg) {
  const std::string path = DataFile(kRegisterFile);
  if (!files::Exists(path)) return Status::Ok();
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error) reg.Reserve(reg.size() + static_cast<std::size_t>(size / sizeof(EmployeeRecord)));
  return files::ReadRecords(path, sizeof(EmployeeRecord), [&](const char* bytes) {
    EmployeeRecord r;
    std::memcpy(&r, bytes, sizeof r);
    reg.Append(r);
  });
}

Status SaveRegister(const Register& reg, const files::WarningSink& warn) {
  // The records lie in memory exactly as in the file, one after another.
  const auto& records = reg.records();
  const std::string_view content(reinterpret_cast<const char*>(records.data()),
                                 records.size() * sizeof(EmployeeRecord));
  return files::ReplaceFile(DataFile(kRegisterFile), content, DataFile(kRegisterBackup), warn);
}

void FreeRecords(Register& reg) { reg.Clear(); }

bool NotIbanData(Messages& messages) {
  if (!files::Exists(DataFile(kOldRegisterFile))) return false;
  const bool convert = !files::Exists(DataFile(kRegisterFile)) || !files::Exists(DataFile(kPaymentFile));
  if (convert) messages.Show(Cp("Данните не съдържат IBAN номер на сметка! Данните ще бъдат конвертирани !"));
  return convert;
}

void ConvertIBANData(Messages& messages) {
  const std::string source = DataFile(kOldRegisterFile);
  if (!files::Exists(source)) return;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(source, error);
  if (error) {
    messages.ReportError("Cannot open file " + files::FullPath(source) + " ! (" + error.message() + ")");
    return;
  }
  // An empty file, and one whose size fits both layouts, count as the first layout.
  if (size % sizeof(EmployeeRecordV1) == 0) {
    ConvertRegisterV1(messages);
  } else if (size % sizeof(EmployeeRecordV2) == 0) {
    ConvertRegisterV2(messages);
  }
  if (files::Exists(DataFile(kOldPaymentFile)) && !files::Exists(DataFile(kPaymentFile))) {
    ConvertPaymentList(messages);
  }
}

void ConvertRegisterV1(Messages& messages) { ConvertRegister<EmployeeRecordV1>(messages); }
void ConvertRegisterV2(Messages& messages) { ConvertRegister<EmployeeRecordV2>(messages); }

}  // namespace zel
