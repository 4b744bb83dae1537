#include "shell/euro_conversion.h"

#include <algorithm>
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

// Whether both files exist and hold the same bytes.
bool SameBytes(FileSystem& fs, const std::string& a, const std::string& b) {
  std::string first;
  std::string second;
  return fs.Exists(b) && fs.ReadAll(a, first).ok() && fs.ReadAll(b, second).ok() && first == second;
}

// Undoes a conversion: the record goes first, so that a kill in the middle
// leaves the journal without it, which the next start undoes again; then
// each kept leva file goes back under its own name in one step (or, when the
// data file holds the same bytes, as the second name a failure right after
// the copy leaves, the copy goes), the report, and the journal last.
// A failure stops it where it is; the journal stays for the next start.
Status PutLevaBack(FileSystem& fs) {
  if (Status s = RemoveIfThere(fs, DataFile(kCurrencyRecord)); !s.ok()) {
    return Failed(fs, "Error deleting file", DataFile(kCurrencyRecord), s);
  }
  for (const auto* names : {&kDataFiles, &kBackups}) {
    for (const char* name : *names) {
      const std::string leva = LevaCopy(name);
      if (!fs.Exists(leva)) continue;
      if (SameBytes(fs, leva, DataFile(name))) {
        if (Status s = fs.Remove(leva); !s.ok()) return Failed(fs, "Error deleting file", leva, s);
        continue;
      }
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
        if (!euro) return Refuse(field.view(), section.labels[c], r.FullName.view(), r.EGN.view());
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
          if (shown) return Refuse(rec.NetAmount.view(), section.labels[0], fullName, egn);
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

  static std::optional<std::string> Convert(std::string_view leva, EuroRounding rounding) {
    return FieldInEuro(leva, rounding);
  }

  static void Count(ReportSection& section, std::size_t c, ReportLine& line, std::string_view before,
                    const std::string& after) {
    line.before[c] = before;
    line.after[c] = after;
    section.totalBefore[c].Add(before);
    section.totalAfter[c].Add(after);
  }

  bool Refuse(std::string_view amount, const std::string& label, std::string_view name, std::string_view egn) {
    refusal_ = AmountRefusal(amount, label, name, egn) + Cp(" Поправете я и превърнете сумите отново.");
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

// Every name the conversion replaces or renames, asked before the journal
// is written: a read-only file, or one another program holds, would stop it
// half-way and might stop its undo too.
Status CheckReplaceable(FileSystem& fs) {
  for (const auto* names : {&kDataFiles, &kBackups}) {
    for (const char* name : *names) {
      for (const std::string& path : {DataFile(name), LevaCopy(name)}) {
        if (!fs.Exists(path)) continue;
        if (Status s = fs.CheckReplaceable(files::FullPath(fs, path)); !s.ok()) {
          return Failed(fs, "Error save in file", path, s);
        }
      }
    }
  }
  for (const char* name : {kConversionReport, kCurrencyRecord, kConversionJournal}) {
    const std::string path = DataFile(name);
    if (!fs.Exists(path)) continue;
    if (Status s = fs.CheckReplaceable(files::FullPath(fs, path)); !s.ok()) {
      return Failed(fs, "Error save in file", path, s);
    }
  }
  return Status::Ok();
}

// Everything after the journal: the leva files kept, the converted ones,
// the report and the record. The first failure is returned as it is.
Status WriteConversion(FileSystem& fs, const EuroConversionPlan& plan, const Date& today) {
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
    if (Status s = files::ReplaceFile(fs, DataFile(kRegisterFile), plan.staff); !s.ok()) return s;
  }
  if (fs.Exists(DataFile(kPaymentListFile))) {
    if (Status s = files::ReplaceFile(fs, DataFile(kPaymentListFile), plan.payments); !s.ok()) return s;
  }
  if (Status s = files::ReplaceFile(fs, DataFile(kConversionReport), ReportText(plan.report)); !s.ok()) return s;
  return WriteEuroRecord(fs, today);
}

// The folder's currency as the disk holds it: euro only with a record that
// says so; a folder without data files yet is a new one, in euro.
DataFolder FolderOnDisk(FileSystem& fs, std::string* recordProblem = nullptr) {
  const CurrencyRecord record = ReadCurrencyRecord(fs);
  if (recordProblem != nullptr) *recordProblem = record.problem;
  const bool hasData = fs.Exists(DataFile(kRegisterFile)) || fs.Exists(DataFile(kPaymentListFile));
  DataFolder folder;
  folder.recorded = record.state == CurrencyRecord::State::Euro;
  folder.currency = folder.recorded || !hasData ? Currency::Euro : Currency::Leva;
  return folder;
}

// "1234567.80" as "1 234 567.80", the groups kept together by no-break spaces.
std::string Grouped(const std::string& amount) {
  const std::size_t point = std::min(amount.find('.'), amount.size());
  std::string out;
  for (std::size_t i = 0; i < point; ++i) {
    if (i > 0 && (point - i) % 3 == 0) out.push_back('\xA0');
    out.push_back(amount[i]);
  }
  return out + amount.substr(point);
}

// The mass payment list's total as the list shows it, before and after:
// its lines are the register's payable employees, and each EGN takes the
// last stored record of it, as the list merges them when it opens.
void PaymentTotals(const std::string& staff, const std::string& payments, EuroConversionPlan& plan) {
  const auto employee = [&staff](std::size_t i) {
    return reinterpret_cast<const EmployeeRecord*>(staff.data() + i * sizeof(EmployeeRecord));
  };
  std::vector<std::size_t> payable;
  payable.reserve(staff.size() / sizeof(EmployeeRecord));
  for (std::size_t i = 0; i < staff.size() / sizeof(EmployeeRecord); ++i) {
    if (IsPayable(*employee(i))) payable.push_back(i);
  }
  const FirstIndexByKey<10> lineByEgn(payable.size(), [&](std::size_t k) { return employee(payable[k])->EGN; });
  std::vector<char> taken(payable.size(), 0);
  DecimalSum before;
  DecimalSum after;
  for (std::size_t i = payments.size() / sizeof(PaymentRecord); i-- > 0;) {
    const auto* r = reinterpret_cast<const PaymentRecord*>(payments.data() + i * sizeof(PaymentRecord));
    const long line = lineByEgn.Find(r->EGN.view());
    if (line < 0 || std::exchange(taken[static_cast<std::size_t>(line)], 1) != 0 || r->NetAmount.empty()) continue;
    // An amount that is no number has stopped the plan already.
    if (const std::optional<std::string> euro = LevaToEuro(r->NetAmount.view(), EuroRounding::Pay)) {
      before.Add(r->NetAmount.view());
      after.Add(*euro);
    }
  }
  plan.paymentsBefore = before.Text();
  plan.paymentsAfter = after.Text();
}

std::string TracesText(const std::vector<std::string>& traces) {
  std::string text;
  for (const std::string& name : traces) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string ConvertQuestion(const EuroConversionPlan& plan) {
  return Cp("Сумите в данните са в лева. От 1 януари 2026 г. плащанията са в евро.\n\nСлужители в регистъра: ") +
         std::to_string(plan.employees) + Cp(".\nСумата на плащанията ") + Grouped(plan.paymentsBefore) +
         Cp(" лв. ще стане ") + Grouped(plan.paymentsAfter) +
         Cp(" EUR.\n\nПроверете, че това са суми в лева. Да бъдат ли превърнати в евро по курс ") +
         std::string(kEuroRate) + Cp(" лв. за 1 евро?");
}

std::string RestoreQuestion(const std::vector<std::string>& copies, bool damaged) {
  return Cp("Данните в тази папка са превърнати в евро (копията в лева: ") + TracesText(copies) +
         Cp("), но записът за валутата ") + kCurrencyRecord + (damaged ? Cp(" е повреден") : Cp(" липсва")) +
         Cp(". Да бъде ли възстановен?");
}

std::string UnderWayRefusal(const std::vector<std::string>& traces) {
  return Cp("В папката има незавършено превръщане в евро (") + TracesText(traces) +
         Cp("). Сумите не могат да бъдат превърнати отново. Затворете ZEL и го стартирайте отново: превръщането ще "
            "бъде отменено и данните ще бъдат изцяло в лева.");
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
  if (fs.Exists(DataFile(kConversionJournal))) {
    // The record is written last: with it the conversion finished but for
    // ending its journal; without it, it is undone.
    if (ReadCurrencyRecord(fs).state == CurrencyRecord::State::Euro) {
      (void)fs.Remove(DataFile(kConversionJournal));
    } else {
      at.restored = true;
      at.status = PutLevaBack(fs);
    }
  }
  at.folder = FolderOnDisk(fs, &at.recordProblem);
  return at;
}

std::vector<std::string> ConversionTraces(FileSystem& fs) {
  std::vector<std::string> traces;
  if (fs.Exists(DataFile(kConversionJournal))) traces.emplace_back(kConversionJournal);
  for (const auto* names : {&kDataFiles, &kBackups}) {
    for (const char* name : *names) {
      if (fs.Exists(LevaCopy(name))) traces.push_back(std::string(name) + kLevaSuffix);
    }
  }
  return traces;
}

EuroOffer OfferFor(FileSystem& fs, const DataFolder& folder, const Date& today) {
  EuroOffer offer;
  if (folder.currency == Currency::Euro) return offer;
  // Traces of a conversion: under way (its journal), or done and its record lost.
  if (const std::vector<std::string> traces = ConversionTraces(fs); !traces.empty()) {
    const bool underWay = traces.front() == kConversionJournal;
    offer.kind = underWay ? EuroOffer::Kind::Refused : EuroOffer::Kind::RestoreRecord;
    offer.text = underWay ? UnderWayRefusal(traces)
                          : RestoreQuestion(traces, ReadCurrencyRecord(fs).state == CurrencyRecord::State::Other);
    return offer;
  }

  const auto fail = [&offer](Status status) {
    offer.kind = EuroOffer::Kind::Failed;
    offer.status = std::move(status);
    return std::move(offer);
  };
  EuroConversionPlan& plan = offer.plan;
  plan.report.day = today;
  std::string payments;
  if (Status s = ReadIfThere(fs, kRegisterFile, plan.staff); !s.ok()) return fail(s);
  if (Status s = ReadIfThere(fs, kPaymentListFile, payments); !s.ok()) return fail(s);
  plan.employees = plan.staff.size() / sizeof(EmployeeRecord);

  // Everything converted in memory first: an amount that cannot be stops it
  // before anything is written. Names, EGNs and IBANs stay as they are, so
  // the payments find their employees in the converted register.
  Converter converter(plan.report);
  if (!converter.Staff(plan.staff) || !converter.Payments(plan.staff, payments, plan.payments)) {
    offer.kind = EuroOffer::Kind::Refused;
    offer.text = converter.refusal();
    offer.plan = {};
    return offer;
  }
  PaymentTotals(plan.staff, payments, plan);
  offer.kind = EuroOffer::Kind::Convert;
  offer.text = ConvertQuestion(plan);
  return offer;
}

EuroConversionResult CarryOutConversion(FileSystem& fs, DataFolder& folder, EuroConversionPlan plan,
                                        const Date& today) {
  EuroConversionResult result;
  // The question was asked on what the disk held then; it must still hold no traces.
  if (const std::vector<std::string> traces = ConversionTraces(fs); !traces.empty()) {
    result.refusal = UnderWayRefusal(traces);
    return result;
  }
  if (Status s = CheckReplaceable(fs); !s.ok()) {
    result.status = s;
    return result;
  }

  const std::string journal = DataFile(kConversionJournal);
  result.status = files::ReplaceFile(fs, journal, Cp("Превръщане в евро\r\n"));
  if (result.status.ok()) {
    result.status = WriteConversion(fs, plan, today);
    if (!result.status.ok()) {
      if (Status back = PutLevaBack(fs); !back.ok()) {
        result.status = Status::Fail(result.status.message() + "\n" + back.message());
      }
    }
  }
  // What the disk holds decides: the record is written last, so with it the
  // folder is wholly in euro whatever failed after; without it, in leva.
  folder = FolderOnDisk(fs);
  if (folder.currency == Currency::Euro) {
    (void)fs.Remove(journal);  // a journal left is ended at the next start
    result.report = std::move(plan.report);
    result.reportPath = files::FullPath(fs, DataFile(kConversionReport));
  }
  return result;
}

EuroConversionResult ConvertDataFolder(FileSystem& fs, DataFolder& folder, const Date& today) {
  EuroOffer offer = OfferFor(fs, folder, today);
  EuroConversionResult result;
  switch (offer.kind) {
    case EuroOffer::Kind::Convert: return CarryOutConversion(fs, folder, std::move(offer.plan), today);
    case EuroOffer::Kind::Failed: result.status = offer.status; break;
    case EuroOffer::Kind::Refused:
    case EuroOffer::Kind::RestoreRecord: result.refusal = offer.text; break;
    case EuroOffer::Kind::None: break;
  }
  return result;
}

Status RestoreEuroRecord(FileSystem& fs, DataFolder& folder, const Date& today) {
  if (Status s = WriteEuroRecord(fs, today); !s.ok()) return s;
  folder = FolderOnDisk(fs);
  return Status::Ok();
}

std::optional<std::string> FieldInEuro(std::string_view leva, EuroRounding rounding) {
  std::optional<std::string> euro = LevaToEuro(leva, rounding);
  if (euro && euro->size() > FixedText<20>::kCapacity) return std::nullopt;
  return euro;
}

std::string AmountRefusal(std::string_view amount, const std::string& label, std::string_view name,
                          std::string_view egn) {
  const std::string id = Cp("ЕГН ") + std::string(egn);
  const std::string who = name.empty() ? id : std::string(name) + " (" + id + ")";
  return Cp("Сумата „") + std::string(amount) + Cp("“ в „") + label + Cp("“ на ") + who +
         Cp(" не може да бъде превърната в евро: тя трябва да е записана само с цифри и точка и да се побира в "
            "полето.");
}

std::string EuroDoneMessage(const std::string& reportPath) {
  return Cp("Сумите са превърнати в евро. Отчетът за превръщането е във файла \"") + files::ShownPath(reportPath) +
         Cp("\". Данните в лева са запазени във файловете с окончание ") + kLevaSuffix + ".";
}

std::string EuroFailedMessage(const DataFolder& folder) {
  return folder.currency == Currency::Euro
             ? Cp("Сумите са превърнати в евро.")
             : Cp("Сумите не са превърнати в евро: данните в папката са в лева, както бяха.");
}

std::string EuroRestoredMessage() {
  return Cp("Превръщането на сумите в евро не беше завършено. Данните са върнати в лева.");
}

std::string EuroNotRestoredMessage() {
  return Cp(
      "Превръщането на сумите в евро не беше завършено и не можа да бъде отменено. Нищо не може да бъде "
      "платено от тази папка, докато данните не са изцяло в лева. Отстранете причината и стартирайте ZEL "
      "отново: превръщането ще бъде отменено тогава.");
}

}  // namespace zel
