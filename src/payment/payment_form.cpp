#include "payment/payment_form.h"

#include "common/amount.h"
#include "common/checks.h"
#include "common/cp1251.h"
#include "common/text.h"

namespace zel {

namespace {

// Every amount below this has a two-decimal text of at most 20 characters.
constexpr double kAmountLimit = 1e17;

PaymentInputCheck Fail(PaymentField field, const char* utf8Pattern) {
  return PaymentInputCheck::Fail(field, FieldMessage(utf8Pattern, PaymentFieldInfoOf(field).label));
}

bool IsStorableNetAmount(const std::string& text, Currency currency) {
  const std::string_view trimmed = Trim(text);
  if (!IsAtLeast(trimmed, RulesOf(currency).minNetAmount)) return false;
  const auto value = ParseAmount(trimmed);
  return value && *value < kAmountLimit && FormatAmount(*value).size() <= decltype(PaymentLine::NetAmount)::kCapacity;
}

}  // namespace

const std::array<FieldInfo, kPaymentFieldCount>& PaymentFieldTable() {
  static const std::array<FieldInfo, kPaymentFieldCount> table = {{
      {Cp("име на титуляра"), 60, false},
      {Cp("ЕГН"), 10, false},
      {Cp("сметка (ЕДК)"), 10, false},
      {Cp("IBAN сметка"), 22, false},
      {Cp("Код по БУС"), 8, false},
      {Cp("Чиста сума за получаване"), 20, true},
      {Cp("Основание"), 60, true},
  }};
  return table;
}

const FieldInfo& PaymentFieldInfoOf(PaymentField field) { return PaymentFieldTable()[static_cast<std::size_t>(field)]; }

PaymentFieldTexts LoadPaymentFields(const PaymentLine& line) {
  PaymentFieldTexts f;
  f[PaymentField::FullName] = line.Employee.FullName.str();
  f[PaymentField::EGN] = line.Employee.EGN.str();
  f[PaymentField::Account] = line.Employee.Account.str();
  f[PaymentField::BankCode] = line.BankCode.str();
  f[PaymentField::NetAmount] = line.NetAmount.str();
  f[PaymentField::Reason] = line.Reason.str();
  f[PaymentField::IBAN] = line.Employee.IBAN.str();
  return f;
}

PaymentInputCheck CheckPaymentInput(const PaymentFieldTexts& fields, Currency currency) {
  // A field of blanks alone is as good as empty: it would reach the bank as nothing.
  for (PaymentField f : {PaymentField::NetAmount, PaymentField::Reason, PaymentField::IBAN}) {
    if (Trim(fields[f]).empty()) return Fail(f, "%s не е попълнено !");
  }
  const std::string& iban = fields[PaymentField::IBAN];
  if (!IsBankIban(iban)) return Fail(PaymentField::IBAN, "%s не е валиден !");
  if (!IsStorableNetAmount(fields[PaymentField::NetAmount], currency)) {
    return Fail(PaymentField::NetAmount, "%s не е валидна !");
  }
  return {};
}

bool StorePaymentFields(const PaymentFieldTexts& fields, PaymentLine& line, Currency currency) {
  const std::string& amountText = fields[PaymentField::NetAmount];
  if (!IsStorableNetAmount(amountText, currency)) return false;
  line.BankCode.assign(fields[PaymentField::BankCode]);
  line.NetAmount.assign(FormatAmount(*ParseAmount(Trim(amountText))));
  line.Reason.assign(fields[PaymentField::Reason]);
  return true;
}

}  // namespace zel
