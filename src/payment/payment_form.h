#pragma once
// The payment edit dialog without its widgets: the seven fields of one
// payment line, their validation and the storing of the edited values.

#include <array>
#include <cstddef>
#include <string>

#include "common/currency.h"
#include "common/form_fields.h"
#include "payment/payment_record.h"

namespace zel {

// Top to bottom, as the dialog shows them.
enum class PaymentField { FullName, EGN, Account, IBAN, BankCode, NetAmount, Reason };
inline constexpr std::size_t kPaymentFieldCount = 7;

// The fields in dialog order, indexed by PaymentField.
const std::array<FieldInfo, kPaymentFieldCount>& PaymentFieldTable();
const FieldInfo& PaymentFieldInfoOf(PaymentField field);

// The field texts, indexed by PaymentField.
struct PaymentFieldTexts {
  std::array<std::string, kPaymentFieldCount> texts;
  std::string& operator[](PaymentField f) { return texts[static_cast<std::size_t>(f)]; }
  const std::string& operator[](PaymentField f) const { return texts[static_cast<std::size_t>(f)]; }
};

using PaymentInputCheck = FieldCheck<PaymentField>;

PaymentFieldTexts LoadPaymentFields(const PaymentLine& line);
// The checks in their fixed order; the first failure decides.
PaymentInputCheck CheckPaymentInput(const PaymentFieldTexts& fields, Currency currency);
// Writes bank code, normalised net amount and reason into the line; the
// employee fields are not written back. False, with the line untouched, when
// the net amount is not storable (the dialog validates before storing).
bool StorePaymentFields(const PaymentFieldTexts& fields, PaymentLine& line, Currency currency);

}  // namespace zel
