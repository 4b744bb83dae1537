#include "payment/payment_list.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_set>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/fixed_records.h"
#include "common/key_hash.h"
#include "common/whole_file.h"

namespace zel {

namespace {

Status BuildLines(FileSystem& fs, const std::string& registerPath, PaymentList& list) {
  // The register is read a few hundred records at a time: the lines are the
  // only large memory. A trailing partial record is ignored.
  constexpr std::size_t kChunk = 192 * sizeof(EmployeeRecord);
  PaymentLine line = ZeroPaymentLine();  // each line made up here, then copied into the list once
  bool sized = false;
  const std::size_t before = list.lines.size();
  const std::size_t offBefore = list.offList.size();
  const Status read = files::ReadFileInChunks(fs, registerPath, kChunk, [&](std::string_view piece, std::size_t size) {
    // At most one line per record: no regrowth of a list of 100,000 lines.
    if (!sized) list.lines.reserve(list.lines.size() + size / sizeof(EmployeeRecord));
    sized = true;
    const std::size_t count = WholeRecords<EmployeeRecord>(piece);
    for (std::size_t i = 0; i < count; ++i) {
      std::memcpy(&line.Employee, piece.data() + i * sizeof(EmployeeRecord), sizeof(EmployeeRecord));
      if (IsPayable(line.Employee)) {
        list.lines.push_back(line);
      } else {
        list.offList.push_back({line.Employee.EGN, line.Employee.FullName, line.Employee.HasLeft != 0});
      }
    }
  });
  if (!read.ok()) {  // a file that failed half-way adds nothing
    list.lines.resize(before);
    list.offList.resize(offBefore);
  }
  return read;
}

// Each stored record goes to the first line with its EGN; a later record of
// the same EGN overwrites an earlier one.
Status MergeStoredFields(FileSystem& fs, const std::string& paymentPath, PaymentList& list) {
  files::FileBytes content;
  if (Status read = files::ReadFileInto(fs, paymentPath, content); !read.ok()) return read;
  const FirstIndexByKey<10> byEgn(list.lines.size(), [&list](std::size_t i) { return list.lines[i].Employee.EGN; });
  ForEachRecord<PaymentRecord>(std::string_view(content.data(), content.size()),
                               [&byEgn, &list](const PaymentRecord& rec) {
                                 const long found = byEgn.Find(rec.EGN.view());
                                 if (found < 0) return;
                                 // Whole fields, raw bytes included, so that an unchanged list saves unchanged.
                                 PaymentLine& line = list.lines[static_cast<std::size_t>(found)];
                                 line.BankCode = rec.BankCode;
                                 line.NetAmount = rec.NetAmount;
                                 line.Reason = rec.Reason;
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

void FreePaymentLines(PaymentList& list) {
  list.lines.clear();
  list.lines.shrink_to_fit();
  list.offList.clear();
  list.offList.shrink_to_fit();
  // A freed list is not a list to save.
  list.registerFound = false;
  list.paymentFileRead = false;
}

}  // namespace zel
