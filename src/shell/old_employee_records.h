#pragma once
// The two layouts of the older register file employs.dat, kept only to
// convert it once. Both share EmployeeRecord's fields and offsets up to the
// fields they lack; the has-left byte follows the last field.

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "common/fixed_text.h"

namespace zel {

// The first layout: no overdraft, no labour contract, no IBAN.
struct EmployeeRecordV1 {
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
  std::uint8_t HasLeft;
};

// The second layout: everything but the IBAN.
struct EmployeeRecordV2 {
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
  std::uint8_t HasLeft;
};

static_assert(std::is_standard_layout_v<EmployeeRecordV1> && std::is_trivially_copyable_v<EmployeeRecordV1>);
static_assert(std::is_standard_layout_v<EmployeeRecordV2> && std::is_trivially_copyable_v<EmployeeRecordV2>);
static_assert(sizeof(EmployeeRecordV1) == 274);
static_assert(offsetof(EmployeeRecordV1, EGN) == 82);
static_assert(offsetof(EmployeeRecordV1, Street) == 169);
static_assert(offsetof(EmployeeRecordV1, Account) == 262);
static_assert(offsetof(EmployeeRecordV1, HasLeft) == 273);
static_assert(sizeof(EmployeeRecordV2) == 316);
static_assert(offsetof(EmployeeRecordV2, EGN) == 82);
static_assert(offsetof(EmployeeRecordV2, Account) == 262);
static_assert(offsetof(EmployeeRecordV2, Overdraft) == 273);
static_assert(offsetof(EmployeeRecordV2, LabourContract) == 294);
static_assert(offsetof(EmployeeRecordV2, HasLeft) == 315);

}  // namespace zel
