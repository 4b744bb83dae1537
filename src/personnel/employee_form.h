#pragma once
// The employee edit dialog as data: its fifteen fields, how they are filled
// from a record, how the birth date follows the EGN, the ordered validation
// with its messages, and how the texts go back into the record. The dialog
// window only moves texts between its edit fields and these routines.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "personnel/employee_record.h"

namespace zel {

class Register;

// The fields in dialog order (top to bottom, also the keyboard order).
enum EmployeeField : int {
  kFieldFullName = 0,
  kFieldEgn,
  kFieldBirthDate,
  kFieldPassportSeries,
  kFieldPassportNo,
  kFieldIssueDate,
  kFieldIssuedBy,
  kFieldTown,
  kFieldStreet,
  kFieldRequestedSum,
  kFieldMinBalance,
  kFieldAccount,
  kFieldOverdraft,
  kFieldLabourContract,
  kFieldIban,
};
inline constexpr std::size_t kEmployeeFieldCount = 15;

struct EmployeeFieldDescriptor {
  std::string label;      // code page 1251; every message quotes it
  std::size_t maxLength;  // the capacity of the record field
  bool readOnly;          // only the birth date, filled from the EGN
};

const std::array<EmployeeFieldDescriptor, kEmployeeFieldCount>& EmployeeFieldTable();
// Caption of the check box bound to HasLeft.
std::string EmployeeLeftCaption();

// What the dialog shows: the fifteen texts in field order and the check box.
struct EmployeeFields {
  std::array<std::string, kEmployeeFieldCount> texts;
  bool hasLeft = false;
};

// The record's texts; an empty requested sum shows "802.00", an empty
// minimum balance "2.00".
EmployeeFields LoadEmployeeFields(const EmployeeRecord& record);

// The birth date to show after the EGN field changed to `egn`: derived from
// it once it has 6 characters or more, otherwise `current` unchanged.
std::string BirthDateForEgnText(std::string_view egn, std::string_view current);

struct EmployeeCheckResult {
  bool valid = false;
  int field = -1;       // the field that gets the focus; -1 when valid
  std::string message;  // code page 1251; empty when valid
  // The texts after the validation's own changes (name trimmed, date
  // separators set to "."); the dialog shows them whether valid or not.
  EmployeeFields fields;
};

using UniqueTest = std::function<bool(std::string_view)>;

// The checks in their fixed order; stops at the first failure.
EmployeeCheckResult CheckEmployeeInput(const EmployeeFields& input, const UniqueTest& isEgnUnique,
                                       const UniqueTest& isIbanUnique);
// The same against the register, skipping the record at its EditIndex().
EmployeeCheckResult CheckEmployeeInput(const EmployeeFields& input, const Register& list);

// Writes every text into its record field (cut to capacity), ShortName as the
// initials form of the stored name, and HasLeft as 1 or 0.
void StoreEmployeeFields(const EmployeeFields& fields, EmployeeRecord& record);

}  // namespace zel
