#include "payment/payment_list.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/fixed_records.h"
#include "common/text.h"

namespace zel {

namespace {

// Only an IBAN whose length byte says exactly 22 makes an employee payable;
// a corrupt length byte above the capacity does not.
bool IsPayable(const EmployeeRecord& r) { return r.HasLeft == 0 && r.IBAN.length == 22; }

Status BuildLines(FileSystem& fs, const std::string& registerPath, PaymentList& list) {
  std::string content;
  if (Status read = files::ReadFile(fs, registerPath, content); !read.ok()) return read;
  // At most one line per record: no regrowth of a list of 100,000 lines.
  list.lines.reserve(list.lines.size() + WholeRecords<EmployeeRecord>(content));
  ForEachRecord<EmployeeRecord>(content, [&list](const EmployeeRecord& r) {
    if (!IsPayable(r)) return;
    PaymentLine line = ZeroPaymentLine();
    line.Employee = r;
    list.lines.push_back(line);
  });
  return Status::Ok();
}

// Each stored record goes to the first line with its EGN; a later record of
// the same EGN overwrites an earlier one. The index points into list.lines,
// which does not grow while it is in use.
Status MergeStoredFields(FileSystem& fs, const std::string& paymentPath, PaymentList& list) {
  std::string content;
  if (Status read = files::ReadFile(fs, paymentPath, content); !read.ok()) return read;
  std::unordered_map<std::string_view, PaymentLine*> byEgn;
  byEgn.reserve(list.lines.size());
  for (PaymentLine& line : list.lines) byEgn.emplace(line.Employee.EGN.view(), &line);

  ForEachRecord<PaymentRecord>(content, [&byEgn](const PaymentRecord& rec) {
    const auto found = byEgn.find(rec.EGN.view());
    if (found == byEgn.end()) return;
    // Whole fields, raw bytes included, so that an unchanged list saves unchanged.
    found->second->BankCode = rec.BankCode;
    found->second->NetAmount = rec.NetAmount;
    found->second->Reason = rec.Reason;
  });
  return Status::Ok();
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

Status LoadPaymentList(FileSystem& fs, PaymentList& list) {
  const std::string registerPath = DataFile(kRegisterFile);
  list.registerFound = fs.Exists(registerPath);
  list.paymentFileRead = false;
  if (!list.registerFound) return Status::Ok();
  if (Status s = BuildLines(fs, registerPath, list); !s.ok()) return s;

  const std::string paymentPath = DataFile(kPaymentListFile);
  if (!fs.Exists(paymentPath)) return Status::Ok();
  if (Status s = MergeStoredFields(fs, paymentPath, list); !s.ok()) return s;
  list.paymentFileRead = true;
  return Status::Ok();
}

std::string PaymentListCaption(const PaymentList& list) {
  std::string caption = Cp("Масово плащане");
  if (list.paymentFileRead) caption += " - " + std::to_string(list.lines.size());
  return caption;
}

Status SavePaymentList(FileSystem& fs, const PaymentList& list, const files::WarningSink& warn) {
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
  return files::ReplaceFile(fs, DataFile(kPaymentListFile), content, DataFile(kPaymentListBackup), warn);
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

}  // namespace zel
