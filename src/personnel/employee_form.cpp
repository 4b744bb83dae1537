#include "personnel/employee_form.h"

#include <cstdlib>
#include <type_traits>
#include <utility>

#include "common/checks.h"
#include "common/cp1251.h"
#include "common/text.h"
#include "personnel/register.h"

namespace zel {
namespace {

// Calls f with the record field shown in the given dialog field.
template <class Record, class F>
decltype(auto) WithField(Record& r, std::size_t field, F&& f) {
  static_assert(std::is_same_v<std::remove_const_t<Record>, EmployeeRecord>);
  switch (static_cast<EmployeeField>(field)) {
    case kFieldFullName: return f(r.FullName);
    case kFieldEgn: return f(r.EGN);
    case kFieldBirthDate: return f(r.BirthDate);
    case kFieldPassportSeries: return f(r.PassportSeries);
    case kFieldPassportNo: return f(r.PassportNo);
    case kFieldIssueDate: return f(r.IssueDate);
    case kFieldIssuedBy: return f(r.IssuedBy);
    case kFieldTown: return f(r.Town);
    case kFieldStreet: return f(r.Street);
    case kFieldRequestedSum: return f(r.RequestedSum);
    case kFieldMinBalance: return f(r.MinBalance);
    case kFieldAccount: return f(r.Account);
    case kFieldOverdraft: return f(r.Overdraft);
    case kFieldLabourContract: return f(r.LabourContract);
    case kFieldIban: return f(r.IBAN);
  }
  std::abort();  // the callers count fields below kEmployeeFieldCount
}

std::array<FieldInfo, kEmployeeFieldCount> BuildTable() {
  static constexpr std::pair<const char*, bool> kLabels[kEmployeeFieldCount] = {
      {"име на титуляра", false},
      {"ЕГН", false},
      {"дата на раждане", true},
      {"серия на паспорта", false},
      {"номер на паспорт/лична карта", false},
      {"дата на издаване на паспорт/ лична карта", false},
      {"паспорт/лична карта издаден от", false},
      {"адрес - населено място", false},
      {"адрес - Улица, номер", false},
      {"заявена сума (ЕДК)", false},
      {"минимален остатък", false},
      {"сметка (ЕДК)", false},
      {"Овърдрафт", false},
      {"Трудов договор(N/дата)", false},
      {"IBAN сметка", false},
  };
  const EmployeeRecord sample{};
  std::array<FieldInfo, kEmployeeFieldCount> table;
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    const auto capacity = static_cast<int>(WithField(sample, i, [](const auto& t) { return t.kCapacity; }));
    table[i] = {Cp(kLabels[i].first), capacity, !kLabels[i].second};
  }
  return table;
}

const std::string& Label(int field) { return EmployeeFieldTable()[static_cast<std::size_t>(field)].label; }

class Checker {
public:
  Checker(EmployeeFields& fields, EmployeeCheck& result) : fields_(fields), r_(result) {}
  std::string& text(int field) { return fields_.texts[static_cast<std::size_t>(field)]; }
  bool Fail(std::string_view patternUtf8, int label, EmployeeField focus) {
    r_ = EmployeeCheck::Fail(focus, FieldMessage(patternUtf8, Label(label)));
    return false;
  }
  bool Fail(std::string_view patternUtf8, EmployeeField field) { return Fail(patternUtf8, field, field); }

private:
  EmployeeFields& fields_;
  EmployeeCheck& r_;
};

constexpr std::string_view kNotFilled = "%s не е попълнено !";
constexpr std::string_view kInvalidNeuter = "%s не е валидно !";
constexpr std::string_view kInvalidFeminine = "%s не е валидна !";
// The "e" after "валид" is a Latin letter in the system's own message text.
constexpr std::string_view kInvalidMasculineLatinE = "%s не е валидeн !";
constexpr std::string_view kInvalidMasculine = "%s не е валиден !";
constexpr std::string_view kRepeated = "Опит за повторно въвеждане на %s !";
constexpr std::string_view kOverdraftInvalid = "Стойността на  %s не е валидна !";

bool CheckDate(Checker& c, EmployeeField field, EmployeeField focus) {
  std::string& date = c.text(field);
  SetDateSeparators(date);
  if (!IsValidDate(date)) return c.Fail(kInvalidFeminine, field, focus);
  return true;
}

bool RunChecks(Checker& c, const UniqueTest& isEgnUnique, const UniqueTest& isIbanUnique, const MoneyRules& money) {
  static constexpr EmployeeField kRequired[] = {kFieldFullName,  kFieldEgn,          kFieldPassportNo,
                                                kFieldIssueDate, kFieldIssuedBy,     kFieldTown,
                                                kFieldStreet,    kFieldRequestedSum, kFieldMinBalance};
  for (const EmployeeField field : kRequired) {
    if (c.text(field).empty()) return c.Fail(kNotFilled, field);
  }

  std::string& name = c.text(kFieldFullName);
  name = std::string(Trim(name));
  if (!HasWords(name, 3, ' ')) return c.Fail(kInvalidNeuter, kFieldFullName);

  const std::string& egn = c.text(kFieldEgn);
  if (!IsValidEgn(egn)) return c.Fail(kInvalidNeuter, kFieldEgn);
  if (!isEgnUnique(egn)) return c.Fail(kRepeated, kFieldEgn);

  // The birth date cannot be edited; the EGN it comes from takes the focus.
  if (!CheckDate(c, kFieldBirthDate, kFieldEgn)) return false;

  const std::string& number = c.text(kFieldPassportNo);
  if (number.size() == 7) {
    const std::string& series = c.text(kFieldPassportSeries);
    if (series.size() != 1 || !IsCyrillic(series)) return c.Fail(kInvalidFeminine, kFieldPassportSeries);
  } else if (number.size() != 9) {
    return c.Fail(kInvalidMasculineLatinE, kFieldPassportNo);
  }

  if (!CheckDate(c, kFieldIssueDate, kFieldIssueDate)) return false;
  if (!IsAtLeast(c.text(kFieldRequestedSum), money.minRequestedSum)) {
    return c.Fail(kInvalidFeminine, kFieldRequestedSum);
  }
  if (!IsAtLeast(c.text(kFieldMinBalance), money.minMinBalance)) return c.Fail(kInvalidMasculine, kFieldMinBalance);
  const std::string& overdraft = c.text(kFieldOverdraft);
  if (!overdraft.empty() && !IsAtLeast(overdraft, money.minOverdraft)) {
    return c.Fail(kOverdraftInvalid, kFieldOverdraft);
  }

  // An IBAN is kept in capitals, the bank's electronic form; the field shows it so.
  std::string& iban = c.text(kFieldIban);
  iban = ToUpperLatin(iban);
  if (iban.empty()) return true;
  if (!IsBankIban(iban)) return c.Fail(kInvalidFeminine, kFieldIban);
  if (!isIbanUnique(iban)) return c.Fail(kRepeated, kFieldIban);
  return true;
}

}  // namespace

const std::array<FieldInfo, kEmployeeFieldCount>& EmployeeFieldTable() {
  static const auto table = BuildTable();
  return table;
}

std::string EmployeeLeftCaption() { return Cp("напуснал"); }

EmployeeFields LoadEmployeeFields(const EmployeeRecord& record, Currency currency) {
  EmployeeFields fields;
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    fields.texts[i] = WithField(record, i, [](const auto& t) { return t.str(); });
  }
  const MoneyRules& money = RulesOf(currency);
  if (fields.texts[kFieldRequestedSum].empty()) fields.texts[kFieldRequestedSum] = money.defaultRequestedSum;
  if (fields.texts[kFieldMinBalance].empty()) fields.texts[kFieldMinBalance] = money.defaultMinBalance;
  fields.hasLeft = record.HasLeft != 0;
  return fields;
}

std::string BirthDateForEgnText(std::string_view egn, std::string_view current) {
  if (egn.size() >= 6) return BirthDateFromEgn(egn);
  return std::string(current);
}

EmployeeCheck CheckEmployeeInput(EmployeeFields& input, const UniqueTest& isEgnUnique, const UniqueTest& isIbanUnique,
                                 Currency currency) {
  EmployeeCheck result;
  Checker checker(input, result);
  RunChecks(checker, isEgnUnique, isIbanUnique, RulesOf(currency));
  return result;
}

EmployeeCheck CheckEmployeeInput(EmployeeFields& input, const Register& list) {
  return CheckEmployeeInput(
      input, [&list](std::string_view egn) { return list.IsEgnUnique(egn); },
      [&list](std::string_view iban) { return list.IsIbanUnique(iban); }, list.currency());
}

void StoreEmployeeFields(const EmployeeFields& fields, EmployeeRecord& record) {
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    WithField(record, i, [&](auto& t) { t.assign(i == kFieldIban ? ToUpperLatin(fields.texts[i]) : fields.texts[i]); });
    if (i == kFieldFullName) record.ShortName.assign(MakeShortName(record.FullName.view()));
  }
  record.HasLeft = fields.hasLeft ? 1 : 0;
}

}  // namespace zel
