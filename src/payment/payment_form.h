#pragma once
// The payment edit dialog without its widgets: the seven fields of one
// payment line, their validation and the storing of the edited values.

#include <array>
#include <cstddef>
#include <string>

#include "payment/payment_record.h"

namespace zel {

// Top to bottom, as the dialog shows them.
enum class PaymentField { FullName, EGN, Account, IBAN, BankCode, NetAmount, Reason };
inline constexpr std::size_t kPaymentFieldCount = 7;

struct PaymentFieldInfo {
  PaymentField field;
  std::string label;  // code page 1251; the validation messages quote it
  int maxLength;
  bool editable;
};

// The fields in dialog order.
const std::array<PaymentFieldInfo, kPaymentFieldCount>& PaymentFieldTable();
const PaymentFieldInfo& PaymentFieldInfoOf(PaymentField field);

// The field texts, indexed by PaymentField.
struct PaymentFieldTexts {
  std::array<std::string, kPaymentFieldCount> texts;
  std::string& operator[](PaymentField f) { return texts[static_cast<std::size_t>(f)]; }
  const std::string& operator[](PaymentField f) const { return texts[static_cast<std::size_t>(f)]; }
};

struct PaymentInputCheck {
  bool valid = true;
  PaymentField field = PaymentField::NetAmount;  // the offending field when not valid
  std::string message;                           // the one message to show when not valid
};

PaymentFieldTexts LoadPaymentFields(const PaymentLine& line);
// The checks in their fixed order; the first failure decides.
PaymentInputCheck CheckPaymentInput(const PaymentFieldTexts& fields);
// Whether the net amount text is an amount the line can hold: at least 1 and
// small enough that its two-decimal text fits the 20 characters of NetAmount.
bool IsStorableNetAmount(const std::string& text);
// Writes bank code, normalised net amount and reason into the line; the
// employee fields are not written back. False, with the line untouched, when
// the net amount is not storable (the dialog validates before storing).
bool StorePaymentFields(const PaymentFieldTexts& fields, PaymentLine& line);

}  // namespace zel
