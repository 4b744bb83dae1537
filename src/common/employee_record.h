#pragma once
// One employee: the same 339 bytes in memory and in the register file. It is
// the hand-over between the personnel register, which keeps it, and the mass
// payment, which builds its lines from the register file, so it lives here.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "common/checks.h"
#include "common/fixed_text.h"

namespace zel {

struct EmployeeRecord {
  FixedText<60> FullName;
  FixedText<20> ShortName;
  FixedText<10> EGN;
  FixedText<10> BirthDate;
  FixedText<1> PassportSeries;
  FixedText<9> PassportNo;
  FixedText<10> IssueDate;
  FixedText<20> IssuedBy;
  FixedText<20> Town;
  FixedText<50> Street;
  FixedText<20> RequestedSum;
  FixedText<20> MinBalance;
  FixedText<10> Account;
  FixedText<20> Overdraft;
  FixedText<20> LabourContract;
  std::uint8_t HasLeft;  // 0 while employed, 1 when the employee has left
  FixedText<22> IBAN;
};

// A record cleared to zero bytes, as every record starts.
inline EmployeeRecord ZeroEmployeeRecord() {
  EmployeeRecord r;
  std::memset(&r, 0, sizeof r);
  return r;
}

// Whether the mass payment pays the employee: employed, and an IBAN whose
// length byte says exactly kIbanLength (a corrupt one above the capacity does not).
inline bool IsPayable(const EmployeeRecord& r) { return r.HasLeft == 0 && r.IBAN.length == kIbanLength; }

static_assert(std::is_standard_layout_v<EmployeeRecord>);
static_assert(std::is_trivially_copyable_v<EmployeeRecord>);
static_assert(sizeof(EmployeeRecord) == 339);
static_assert(offsetof(EmployeeRecord, FullName) == 0);
static_assert(offsetof(EmployeeRecord, ShortName) == 61);
static_assert(offsetof(EmployeeRecord, EGN) == 82);
static_assert(offsetof(EmployeeRecord, BirthDate) == 93);
static_assert(offsetof(EmployeeRecord, PassportSeries) == 104);
static_assert(offsetof(EmployeeRecord, PassportNo) == 106);
static_assert(offsetof(EmployeeRecord, IssueDate) == 116);
static_assert(offsetof(EmployeeRecord, IssuedBy) == 127);
static_assert(offsetof(EmployeeRecord, Town) == 148);
static_assert(offsetof(EmployeeRecord, Street) == 169);
static_assert(offsetof(EmployeeRecord, RequestedSum) == 220);
static_assert(offsetof(EmployeeRecord, MinBalance) == 241);
static_assert(offsetof(EmployeeRecord, Account) == 262);
static_assert(offsetof(EmployeeRecord, Overdraft) == 273);
static_assert(offsetof(EmployeeRecord, LabourContract) == 294);
static_assert(offsetof(EmployeeRecord, HasLeft) == 315);
static_assert(offsetof(EmployeeRecord, IBAN) == 316);

}  // namespace zel
