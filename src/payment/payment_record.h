#pragma once
// One payment: in memory a whole employee record with the three payment
// fields; on disk the 136-byte record of the payment list file, and the
// 113-byte record of the older payment list file.

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "common/employee_record.h"
#include "common/fixed_text.h"

namespace zel {

struct PaymentLine {
  EmployeeRecord Employee;
  FixedText<8> BankCode;
  FixedText<20> NetAmount;
  FixedText<60> Reason;
};

inline PaymentLine ZeroPaymentLine() {
  PaymentLine l;
  std::memset(&l, 0, sizeof l);
  return l;
}

struct PaymentRecord {
  FixedText<8> BankCode;
  FixedText<10> EGN;
  FixedText<10> Account;
  FixedText<20> NetAmount;
  FixedText<60> Reason;
  FixedText<22> IBAN;
};

struct OldPaymentRecord {
  FixedText<8> BankCode;
  FixedText<10> EGN;
  FixedText<10> Account;
  FixedText<20> NetAmount;
  FixedText<60> Reason;
};

static_assert(std::is_standard_layout_v<PaymentLine> && std::is_trivially_copyable_v<PaymentLine>);
static_assert(std::is_standard_layout_v<PaymentRecord> && std::is_trivially_copyable_v<PaymentRecord>);
static_assert(std::is_standard_layout_v<OldPaymentRecord> && std::is_trivially_copyable_v<OldPaymentRecord>);
static_assert(sizeof(PaymentRecord) == 136);
static_assert(offsetof(PaymentRecord, BankCode) == 0);
static_assert(offsetof(PaymentRecord, EGN) == 9);
static_assert(offsetof(PaymentRecord, Account) == 20);
static_assert(offsetof(PaymentRecord, NetAmount) == 31);
static_assert(offsetof(PaymentRecord, Reason) == 52);
static_assert(offsetof(PaymentRecord, IBAN) == 113);
static_assert(sizeof(OldPaymentRecord) == 113);
static_assert(offsetof(OldPaymentRecord, Reason) == 52);

}  // namespace zel
