#include "shell/euro_conversion.h"

#include <cstring>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/employee_record.h"
#include "common/euro.h"
#include "common/file_io.h"
#include "common/key_hash.h"
#include "common/whole_file.h"
#include "payment/payment_form.h"
#include "payment/payment_record.h"
#include "personnel/employee_form.h"

namespace zel {

namespace {

constexpr std::initializer_list<const char*> kDataFiles = {kRegisterFile, kPaymentListFile};
constexpr std::initializer_list<const char*> kBackups = {kRegisterBackup, kPaymentListBackup};

std::string LevaCopy(const char* name) { return DataFile(std::string(name) + kLevaSuffix); }

Status RemoveIfThere(FileSystem& fs, const std::string& path) {
  return fs.Exists(path) ? fs.Remove(path) : Status::Ok();
}

Status Failed(FileSystem& fs, const char* what, const std::string& path, const Status& reason) {
  return Status::Fail(std::string(what) + " " + files::ShownPath(files::FullPath(fs, path)) + " ! (" +
                      reason.message() + ")");
}

// Undoes a conversion that did not reach its record: each kept leva file
// goes back under its own name in one step, and the report goes.
Status PutLevaBack(FileSystem& fs) {
  for (const auto* names : {&kDataFiles, &kBackups}) {
    for (const char* name : *names) {
      const std::string leva = LevaCopy(name);
      if (!fs.Exists(leva)) continue;
      if (Status s = fs.Rename(leva, DataFile(name)); !s.ok()) {
        return Failed(fs, "Error renaming file", leva, s);
      }
      // Two names of one file: the rename left both.
      if (Status s = RemoveIfThere(fs, leva); !s.ok()) return Failed(fs, "Error deleting file", leva, s);
    }
  }
  for (const char* name : {kConversionReport, kConversionJournal}) {
    if (Status s = RemoveIfThere(fs, DataFile(name)); !s.ok())
      return Failed(fs, "Error deleting file", DataFile(name), s);
  }
  return Status::Ok();
}

// The amounts of one record converted, or why they cannot be.
class Converter {
public:
  explicit Converter(ConversionReport& report) : report_(report) {}

  // The register's amounts, to the nearest cent; the records change in place.
  bool Staff(std::string& content) {
    static constexpr FixedText<20> EmployeeRecord::*kFields[] = {
        &EmployeeRecord::RequestedSum, &EmployeeRecord::MinBalance, &EmployeeRecord::Overdraft};
    static constexpr int kLabels[] = {kFieldRequestedSum, kFieldMinBalance, kFieldOverdraft};
    ReportSection& section = report_.staff;
    section.title = Cp("Регистър на персонала (") + kRegisterFile + ")";
    for (const int label : kLabels) section.labels.push_back(EmployeeFieldTable()[label].label);

    const std::size_t count = content.size() / sizeof(EmployeeRecord);
    section.lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      EmployeeRecord r;
      std::memcpy(&r, content.data() + i * sizeof r, sizeof r);
      ReportLine line;
      line.name = r.FullName.view();
      line.egn = r.EGN.view();
      bool any = false;
      for (std::size_t c = 0; c < std::size(kFields); ++c) {
        FixedText<20>& field = r.*kFields[c];
        if (field.empty()) {
          line.before[c].clear();
          line.after[c].clear();
          continue;
        }
        const std::optional<std::string> euro = Convert(field.view(), EuroRounding::General);
        if (!euro) return Refuse(field.view(), section.labels[c], Who(r.FullName.view(), r.EGN.view()));
        Count(section, c, line, field.view(), *euro);
        field = *euro;
        any = true;
      }
      if (!any) continue;
      std::memcpy(content.data() + i * sizeof r, &r, sizeof r);
      section.lines.push_back(line);
    }
    return true;
  }

  // The payment list's net amounts by the rule for pay. A record that no
  // line of the mass payment list takes (its employee cannot be paid, or a
  // later record of the same EGN overrides it) is never shown; the list's
  // next save leaves it out anyway, so one whose amount is no number is left
  // out here rather than stopping the conversion the user cannot mend.
  bool Payments(const std::string& staff, const std::string& content, std::string& out) {
    ReportSection& section = report_.payments;
    section.title = Cp("Масово плащане (") + kPaymentListFile + ")";
    section.labels.push_back(PaymentFieldInfoOf(PaymentField::NetAmount).label);

    const auto employee = [&staff](std::size_t i) {
      return reinterpret_cast<const EmployeeRecord*>(staff.data() + i * sizeof(EmployeeRecord));
    };
    const std::size_t employees = staff.size() / sizeof(EmployeeRecord);
    const FirstIndexByKey<10> employeeByEgn(employees, [&](std::size_t i) { return employee(i)->EGN; });
    const std::size_t count = content.size() / sizeof(PaymentRecord);
    // Built only for an amount that is no number, which a good list never has.
    std::optional<FirstIndexByKey<10>> payableByEgn;
    std::optional<FirstIndexByKey<10>> lastRecordByEgn;

    out.clear();
    out.reserve(content.size());
    section.lines.reserve(count);
    std::size_t dropped = 0;
    for (std::size_t i = 0; i < count; ++i) {
      PaymentRecord rec = Record(content, i);
      const std::string_view egn = rec.EGN.view();
      if (!rec.NetAmount.empty()) {
        const long found = employeeByEgn.Find(egn);
        const std::string_view fullName =
            found < 0 ? std::string_view() : employee(static_cast<std::size_t>(found))->FullName.view();
        const std::optional<std::string> euro = Convert(rec.NetAmount.view(), EuroRounding::Pay);
        if (!euro) {
          if (!payableByEgn) {
            std::vector<std::size_t> payable;
            for (std::size_t e = 0; e < employees; ++e) {
              if (IsPayable(*employee(e))) payable.push_back(e);
            }
            payableByEgn.emplace(payable.size(), [&](std::size_t k) { return employee(payable[k])->EGN; });
            lastRecordByEgn.emplace(count, [&](std::size_t k) { return Record(content, count - 1 - k).EGN; });
          }
          const bool shown =
              payableByEgn->Find(egn) >= 0 && count - 1 - static_cast<std::size_t>(lastRecordByEgn->Find(egn)) == i;
          if (shown) return Refuse(rec.NetAmount.view(), section.labels[0], Who(fullName, egn));
          ++dropped;
          continue;
        }
        ReportLine line;
        line.name = fullName;
        line.egn = egn;
        Count(section, 0, line, rec.NetAmount.view(), *euro);
        for (std::size_t c = 1; c < kReportColumns; ++c) line.before[c].clear(), line.after[c].clear();
        rec.NetAmount = *euro;
        section.lines.push_back(line);
      }
      out.append(reinterpret_cast<const char*>(&rec), sizeof rec);
    }
    out.append(content, count * sizeof(PaymentRecord), std::string::npos);  // a trailing part, as it was
    if (dropped > 0) {
      section.note = Cp("Не са пренесени ") + std::to_string(dropped) +
                     Cp(" записа, които не са в списъка за масово плащане и чиято сума не е число; те остават в ") +
                     kPaymentListFile + kLevaSuffix + ".";
    }
    return true;
  }

  const std::string& refusal() const { return refusal_; }

private:
  static PaymentRecord Record(const std::string& content, std::size_t i) {
    PaymentRecord rec;
    std::memcpy(&rec, content.data() + i * sizeof rec, sizeof rec);
    return rec;
  }

  // The euro amount, when the text is a plain number whose euro text fits the field.
  static std::optional<std::string> Convert(std::string_view leva, EuroRounding rounding) {
    std::optional<std::string> euro = LevaToEuro(leva, rounding);
    if (euro && euro->size() > FixedText<20>::kCapacity) return std::nullopt;
    return euro;
  }

  static std::string Who(std::string_view name, std::string_view egn) {
    const std::string id = Cp("ЕГН ") + std::string(egn);
    return name.empty() ? id : std::string(name) + " (" + id + ")";
  }

  static void Count(ReportSection& section, std::size_t c, ReportLine& line, std::string_view before,
                    const std::string& after) {
    line.before[c] = before;
    line.after[c] = after;
    section.totalBefore[c].Add(before);
    section.totalAfter[c].Add(after);
  }

  bool Refuse(std::string_view amount, const std::string& label, const std::string& who) {
    refusal_ = Cp("Сумата „") + std::string(amount) + Cp("“ в „") + label + Cp("“ на ") + who +
               Cp(" не може да бъде превърната в евро: тя трябва да е записана само с цифри и точка и да се побира в "
                  "полето. Поправете я и превърнете сумите отново.");
    return false;
  }

  ConversionReport& report_;
  std::string refusal_;
};

Status ReadIfThere(FileSystem& fs, const char* name, std::string& content) {
  content.clear();
  const std::string path = DataFile(name);
  return fs.Exists(path) ? files::ReadFileInto(fs, path, content) : Status::Ok();
}

// Everything after the journal: the leva files kept, the converted ones,
// the report and the record. The first failure is returned as it is.
Status WriteConversion(FileSystem& fs, const std::string& staff, const std::string& payments,
                       const ConversionReport& report, const Date& today) {
  for (const char* name : kDataFiles) {
    if (!fs.Exists(DataFile(name))) continue;
    if (Status s = files::KeepCopy(fs, DataFile(name), LevaCopy(name)); !s.ok()) return s;
  }
  for (const char* name : kBackups) {
    if (!fs.Exists(DataFile(name))) continue;
    if (Status s = fs.Rename(DataFile(name), LevaCopy(name)); !s.ok()) {
      return Failed(fs, "Error renaming file", DataFile(name), s);
    }
  }
  // The leva files are the backups now: a backup of the converted files would hold leva.
  if (fs.Exists(DataFile(kRegisterFile))) {
    if (Status s = files::ReplaceFile(fs, DataFile(kRegisterFile), staff); !s.ok()) return s;
  }
  if (fs.Exists(DataFile(kPaymentListFile))) {
    if (Status s = files::ReplaceFile(fs, DataFile(kPaymentListFile), payments); !s.ok()) return s;
  }
  if (Status s = files::ReplaceFile(fs, DataFile(kConversionReport), ReportText(report)); !s.ok()) return s;
  return WriteEuroRecord(fs, today);
}

}  // namespace

FolderAtStart OpenDataFolder(FileSystem& fs) {
  FolderAtStart at;
  // What saves killed in their middle left behind; each save also clears its own.
  for (const char* name : {kRegisterFile, kPaymentListFile, kCurrencyRecord, kConversionJournal, kConversionReport}) {
    files::RemoveStaleTemporaries(fs, DataFile(name));
  }
  for (const auto* names : {&kDataFiles, &kBackups}) {
    for (const char* name : *names) files::RemoveStaleTemporaries(fs, LevaCopy(name));
  }
  const bool recorded = fs.Exists(DataFile(kCurrencyRecord));
  if (fs.Exists(DataFile(kConversionJournal))) {
    if (recorded) {
      (void)fs.Remove(DataFile(kConversionJournal));  // finished but for ending its journal
    } else {
      at.restored = true;
      at.status = PutLevaBack(fs);
    }
  }
  const bool hasData = fs.Exists(DataFile(kRegisterFile)) || fs.Exists(DataFile(kPaymentListFile));
  at.folder.recorded = recorded;
  at.folder.currency = recorded || !hasData ? Currency::Euro : Currency::Leva;
  return at;
}

EuroConversionResult ConvertDataFolder(FileSystem& fs, DataFolder& folder, const Date& today) {
  EuroConversionResult result;
  if (folder.currency == Currency::Euro) return result;
  result.report.day = today;

  const auto fail = [&result](Status status) {
    result.status = std::move(status);
    return std::move(result);
  };
  std::string staff;
  std::string payments;
  if (Status s = ReadIfThere(fs, kRegisterFile, staff); !s.ok()) return fail(s);
  if (Status s = ReadIfThere(fs, kPaymentListFile, payments); !s.ok()) return fail(s);

  // Everything converted in memory first: an amount that cannot be stops it
  // before anything is written. Names, EGNs and IBANs stay as they are, so
  // the payments find their employees in the converted register.
  std::string convertedPayments;
  Converter converter(result.report);
  if (!converter.Staff(staff) || !converter.Payments(staff, payments, convertedPayments)) {
    result.refusal = converter.refusal();
    return result;
  }

  const std::string journal = DataFile(kConversionJournal);
  if (Status s = files::ReplaceFile(fs, journal, Cp("Превръщане в евро\r\n")); !s.ok()) return fail(s);
  if (Status s = WriteConversion(fs, staff, convertedPayments, result.report, today); !s.ok()) {
    if (Status back = PutLevaBack(fs); !back.ok()) return fail(Status::Fail(s.message() + "\n" + back.message()));
    return fail(s);
  }
  (void)fs.Remove(journal);  // the record says it all; a journal left is ended at the next start
  folder.currency = Currency::Euro;
  folder.recorded = true;
  result.reportPath = files::FullPath(fs, DataFile(kConversionReport));
  return result;
}

std::string EuroQuestion() {
  return Cp("Сумите в данните са в лева. От 1 януари 2026 г. плащанията са в евро. Да бъдат ли превърнати в евро по "
            "курс ") +
         std::string(kEuroRate) + Cp(" лв. за 1 евро?");
}

std::string EuroDoneMessage(const std::string& reportPath) {
  return Cp("Сумите са превърнати в евро. Отчетът за превръщането е във файла \"") + files::ShownPath(reportPath) +
         Cp("\". Данните в лева са запазени във файловете с окончание ") + kLevaSuffix + ".";
}

std::string EuroRestoredMessage() {
  return Cp("Превръщането на сумите в евро не беше завършено. Данните са върнати в лева.");
}

}  // namespace zel
