#include "payment/payment_list.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "common/cp1251.h"
#include "common/text.h"

namespace zel {

namespace {

constexpr const char* kRegisterFile = "employIB.dat";
constexpr const char* kPaymentFile = "masspIB.dat";
constexpr const char* kPaymentBackup = "masspIB.bak";
constexpr const char* kOldPaymentFile = "masspay.dat";

// Only an IBAN whose length byte says exactly 22 makes an employee payable;
// a corrupt length byte above the capacity does not.
bool IsPayable(const EmployeeRecord& r) { return r.HasLeft == 0 && r.IBAN.length == 22; }

Status BuildLines(const std::string& registerPath, PaymentList& list) {
  // At most one line per record: no regrowth of a list of 100,000 lines.
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(registerPath, error);
  if (!error) list.lines.reserve(list.lines.size() + static_cast<std::size_t>(size / sizeof(EmployeeRecord)));
  return files::ReadRecords(registerPath, sizeof(EmployeeRecord), [&](const char* bytes) {
    EmployeeRecord r;
    std::memcpy(&r, bytes, sizeof r);
    if (!IsPayable(r)) return;
    PaymentLine line = ZeroPaymentLine();
    line.Employee = r;
    list.lines.push_back(line);
  });
}

// Each stored record goes to the first line with its EGN; a later record of
// the same EGN overwrites an earlier one. The index points into list.lines,
// which does not grow while it is in use.
Status MergeStoredFields(const std::string& paymentPath, PaymentList& list) {
  std::unordered_map<std::string_view, PaymentLine*> byEgn;
  byEgn.reserve(list.lines.size());
  for (PaymentLine& line : list.lines) byEgn.emplace(line.Employee.EGN.view(), &line);

  return files::ReadRecords(paymentPath, sizeof(PaymentRecord), [&](const char* bytes) {
    PaymentRecord rec;
    std::memcpy(&rec, bytes, sizeof rec);
    const auto found = byEgn.find(rec.EGN.view());
    if (found == byEgn.end()) return;
    // Whole fields, raw bytes included, so that an unchanged list saves unchanged.
    found->second->BankCode = rec.BankCode;
    found->second->NetAmount = rec.NetAmount;
    found->second->Reason = rec.Reason;
  });
}

PaymentRecord ToRecord(const PaymentLine& line) {
  PaymentRecord rec;
  rec.BankCode = line.BankCode;
  rec.EGN = line.Employee.EGN;
  rec.Account = line.Employee.Account;
  rec.NetAmount = line.NetAmount;
  rec.Reason = line.Reason;
  rec.IBAN = line.Employee.IBAN;
  return rec;
}

}  // namespace

Status LoadPaymentList(PaymentList& list) {
  const std::string registerPath = DataFile(kRegisterFile);
  list.registerFound = files::Exists(registerPath);
  list.paymentFileRead = false;
  if (!list.registerFound) return Status::Ok();
  if (Status s = BuildLines(registerPath, list); !s.ok()) return s;

  const std::string paymentPath = DataFile(kPaymentFile);
  if (!files::Exists(paymentPath)) return Status::Ok();
  if (Status s = MergeStoredFields(paymentPath, list); !s.ok()) return s;
  list.paymentFileRead = true;
  return Status::Ok();
}

std::string PaymentListCaption(const PaymentList& list) {
  std::string caption = Cp("Масово плащане");
  if (list.paymentFileRead) caption += " - " + std::to_string(list.lines.size());
  return caption;
}

Status SavePaymentList(const PaymentList& list, const files::WarningSink& warn) {
  // Without a register the list is empty by necessity, not by the user's
  // choice; saving it would throw away every stored amount and reason.
  if (!list.registerFound) return Status::Ok();
  std::string content;
  content.reserve(list.lines.size() * sizeof(PaymentRecord));
  // Loading gives a stored record to the first line of its EGN only, and the
  // last record of an EGN wins. A record for a later line of the same EGN
  // could never be read back, and written after the first it would overwrite
  // the first line's amount and reason at the next load: one record per EGN.
  std::unordered_set<std::string_view> written;
  written.reserve(list.lines.size());
  for (const PaymentLine& line : list.lines) {
    if (!written.insert(line.Employee.EGN.view()).second) continue;
    const PaymentRecord rec = ToRecord(line);
    content.append(reinterpret_cast<const char*>(&rec), sizeof rec);
  }
  return files::ReplaceFile(DataFile(kPaymentFile), content, DataFile(kPaymentBackup), warn);
}

const PaymentLine* FindLineByEgn(const PaymentList& list, std::string_view egn) {
  for (const PaymentLine& line : list.lines) {
    if (line.Employee.EGN.view() == egn) return &line;
  }
  return nullptr;
}

void FreePaymentLines(PaymentList& list) {
  list.lines.clear();
  list.lines.shrink_to_fit();
  // A freed list is not a list to save.
  list.registerFound = false;
  list.paymentFileRead = false;
}

void ConvertPaymentList(Messages& messages) {
  const std::string source = DataFile(kOldPaymentFile);
  const std::string target = DataFile(kPaymentFile);
  if (!files::Exists(source) || files::Exists(target)) return;

  std::string content;
  const Status read = files::ReadRecords(source, sizeof(OldPaymentRecord), [&](const char* bytes) {
    PaymentRecord rec;
    std::memset(&rec, 0, sizeof rec);
    std::memcpy(&rec, bytes, sizeof(OldPaymentRecord));  // the same fields at the same offsets
    content.append(reinterpret_cast<const char*>(&rec), sizeof rec);
  });
  if (!read.ok()) {
    messages.ReportError(read.message());
    return;
  }
  if (!files::ReplaceFile(target, content).ok()) {
    messages.Show("Error save in file " + files::FullPath(target) + " !");
  }
}

}  // namespace zel
