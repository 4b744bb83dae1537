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

#include "common/currency.h"
#include "common/employee_record.h"
#include "common/form_fields.h"

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

// Each field takes as much as its record field holds; only the birth date,
// filled from the EGN, cannot be edited.
const std::array<FieldInfo, kEmployeeFieldCount>& EmployeeFieldTable();
// Caption of the check box bound to HasLeft.
std::string EmployeeLeftCaption();

// What the dialog shows: the fifteen texts in field order and the check box.
struct EmployeeFields {
  std::array<std::string, kEmployeeFieldCount> texts;
  bool hasLeft = false;
};

// The record's texts; an empty requested sum or minimum balance shows the
// default of the currency ("802.00" and "2.00" in leva).
EmployeeFields LoadEmployeeFields(const EmployeeRecord& record, Currency currency);

// The birth date to show after the EGN field changed to `egn`: derived from
// it once it has 6 characters or more, otherwise `current` unchanged.
std::string BirthDateForEgnText(std::string_view egn, std::string_view current);

using EmployeeCheck = FieldCheck<EmployeeField>;
using UniqueTest = std::function<bool(std::string_view)>;

// The checks in their fixed order; stops at the first failure. The checks
// change the texts as the dialog then shows them, valid or not: the name
// trimmed, the separators of a full-length date set to ".", the IBAN in
// capitals (so a repeat typed in lower case is caught).
// The amounts' minimums are those of the currency.
EmployeeCheck CheckEmployeeInput(EmployeeFields& input, const UniqueTest& isEgnUnique, const UniqueTest& isIbanUnique,
                                 Currency currency);
// The same against the register and in its currency, skipping the record at its EditIndex().
EmployeeCheck CheckEmployeeInput(EmployeeFields& input, const Register& list);

// Writes every text into its record field (cut to capacity; the IBAN in
// capitals), ShortName as the initials form of the stored name, and HasLeft
// as 1 or 0.
void StoreEmployeeFields(const EmployeeFields& fields, EmployeeRecord& record);

}  // namespace zel
