#include "payment/sepa_dialog.h"

#include <memory>

#include "common/calendar.h"
#include "common/checks.h"
#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/file_io.h"
#include "common/text.h"
#include "common/transliteration.h"
#include "payment/sepa_sheet.h"

namespace zel {

namespace {

const FieldInfo& InfoOf(SepaField field) { return SepaFieldTable()[static_cast<std::size_t>(field)]; }

SepaInputCheck Fail(SepaField field, const char* utf8Pattern) {
  return SepaInputCheck::Fail(field, FieldMessage(utf8Pattern, InfoOf(field).label));
}

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

// A BIC by its form: bank (4 letters), the IBAN's country, place (2 letters
// or digits, the first not "0" or "1", the second not "O", as the schemes'
// own pattern has it), and optionally a branch (3 letters or digits).
bool IsBicOf(std::string_view bic, std::string_view iban) {
  if (bic.size() != 8 && bic.size() != 11) return false;
  for (std::size_t i = 0; i < bic.size(); ++i) {
    const char c = bic[i];
    if (i < 6 ? !IsUpperLetter(c) : !(IsUpperLetter(c) || IsDigitChar(c))) return false;
  }
  if (bic[6] == '0' || bic[6] == '1' || bic[7] == 'O') return false;
  return bic.substr(4, 2) == iban.substr(0, 2);
}

// The count of files written, as the file holds it: up to nine digits,
// blanks and line ends around them.
std::uint64_t ParseCount(std::string_view text) {
  const std::string_view digits = Trim(text);
  if (digits.empty() || digits.size() > 9 || !IsDigits(digits)) return 0;
  std::uint64_t n = 0;
  for (const char c : digits) n = n * 10 + static_cast<std::uint64_t>(c - '0');
  return n;
}

std::string SuggestedName(const Date& executionDate, std::uint64_t number) {
  const std::string iso = IsoDate(executionDate);
  return "SEPA-" + iso.substr(0, 4) + iso.substr(5, 2) + iso.substr(8, 2) + "-" + std::to_string(number) + ".xml";
}

}  // namespace

const std::array<FieldInfo, kSepaFieldCount>& SepaFieldTable() {
  static const std::array<FieldInfo, kSepaFieldCount> table = {{
      {Cp("Наредител на латиница"), static_cast<int>(kSepaNameLength), true},
      {Cp("IBAN на наредителя"), 22, true},
      {Cp("BIC на банката"), 11, true},
      {Cp("Дата на изпълнение"), 10, true},
  }};
  return table;
}

SepaForm InitialSepaForm(const CompanyData& company, const Date& today) {
  SepaForm form;
  form[SepaField::PayerName] = CutAtWord(TransliterateToLatin(company.ClientName), kSepaNameLength);
  form[SepaField::PayerIban] = company.IBANClientAcc;
  form[SepaField::ExecutionDate] = FormatDate(NextWorkingDay(today));
  return form;
}

SepaInputCheck CheckSepaInput(SepaForm& form, const Date& today) {
  std::string& name = form[SepaField::PayerName];
  name = TransliterateToLatin(name);
  if (name.empty()) return Fail(SepaField::PayerName, "%s не е попълнено !");
  if (name.size() > kSepaNameLength) return Fail(SepaField::PayerName, "%s не е валиден !");

  std::string& iban = form[SepaField::PayerIban];
  iban = ToUpperLatin(Trim(iban));
  if (iban.empty()) return Fail(SepaField::PayerIban, "%s не е попълнено !");
  if (!IsBankIban(iban)) return Fail(SepaField::PayerIban, "%s не е валиден !");

  std::string& bic = form[SepaField::PayerBic];
  bic = ToUpperLatin(Trim(bic));
  if (!bic.empty() && !IsBicOf(bic, iban)) return Fail(SepaField::PayerBic, "%s не е валиден !");

  std::string& date = form[SepaField::ExecutionDate];
  if (Trim(date).empty()) return Fail(SepaField::ExecutionDate, "%s не е попълнено !");
  SetDateSeparators(date);
  const std::optional<Date> day = ParseDate(date);
  if (!day) return Fail(SepaField::ExecutionDate, "%s не е валидна !");
  const std::string label = InfoOf(SepaField::ExecutionDate).label;
  if (DayNumber(*day) < DayNumber(today)) {
    return SepaInputCheck::Fail(SepaField::ExecutionDate,
                                FillPattern(Cp("%s %s е минал ден ! Следващият работен ден е %s."),
                                            {label, date, FormatDate(NextWorkingDay(today))}));
  }
  if (!IsWorkingDay(*day)) {
    return SepaInputCheck::Fail(SepaField::ExecutionDate,
                                FillPattern(Cp("%s %s не е работен ден ! Следващият работен ден е %s."),
                                            {label, date, FormatDate(NextWorkingDay(*day))}));
  }
  return {};
}

std::uint64_t ReadSepaCount(FileSystem& fs) {
  const std::string path = DataFile(kSepaCountFile);
  std::string content;
  if (!fs.Exists(path) || !files::ReadFile(fs, path, content).ok()) return 0;
  return ParseCount(content.substr(0, 64));
}

SepaPrintResult RunSepaPrint(SepaForm& form, const PaymentList& list, FileSystem& fs, const Clock& clock,
                             Printer& printer, const PrintFont& font, std::optional<SepaFile>& file) {
  file.reset();
  SepaPrintResult result;
  const DateTime now = clock.Now();
  const SepaInputCheck check = CheckSepaInput(form, now.date);
  if (!check.valid) {
    result.focus = check.field;
    result.message = check.message;
    return result;
  }
  SepaFile prepared;
  prepared.payments = CollectSepaPayments(list);
  if (!prepared.payments.refusal.empty()) {
    result.message = prepared.payments.refusal;
    return result;
  }
  SepaHeader& header = prepared.header;
  prepared.number = ReadSepaCount(fs) + 1;
  header.messageId = SepaMessageId(now, prepared.number);
  header.created = now;
  header.payerName = form[SepaField::PayerName];
  header.payerIban = form[SepaField::PayerIban];
  header.payerBic = form[SepaField::PayerBic];
  header.executionDate = *ParseDate(form[SepaField::ExecutionDate]);
  header.version = form.version;
  header.batchBooking = form.batchBooking;
  prepared.bytes = SepaDocument(header, prepared.payments);
  prepared.suggestedName = SuggestedName(header.executionDate, prepared.number);

  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return result;
  surface->SetFont(font);
  PrintSepaSheet(*surface, prepared, list);
  result.error = surface->End();
  result.printed = result.error.ok();
  if (result.printed) file = std::move(prepared);
  return result;
}

Status WriteSepaFile(FileSystem& fs, const SepaFile& file, const std::string& path) {
  const std::string count = std::to_string(file.number) + "\r\n";
  if (Status saved = files::ReplaceFile(fs, DataFile(kSepaCountFile), count); !saved.ok()) return saved;
  return files::ReplaceFile(fs, path, file.bytes);
}

std::string SepaWrittenMessage(const std::string& fullPath) {
  return Cp("SEPA файлът е \"") + files::ShownPath(fullPath) + "\"";
}

}  // namespace zel
