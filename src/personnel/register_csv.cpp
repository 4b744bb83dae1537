#include "personnel/register_csv.h"

#include "common/cp1251.h"
#include "common/csv_writer.h"
#include "common/text.h"
#include "personnel/employee_form.h"

namespace zel {

namespace {

bool IsAmountField(std::size_t field) {
  return field == kFieldRequestedSum || field == kFieldMinBalance || field == kFieldOverdraft;
}

}  // namespace

std::string RegisterCsv(const Register& list) {
  csv::Writer out;
  const std::string currency = " (" + std::string(Trim(RulesOf(list.currency()).label)) + ")";
  const auto& fields = EmployeeFieldTable();
  for (std::size_t f = 0; f < kEmployeeFieldCount; ++f) out.Text(fields[f].label + (IsAmountField(f) ? currency : ""));
  out.Text(EmployeeLeftCaption());
  out.EndRow();
  const std::string yes = Cp("да"), no = Cp("не");
  for (const EmployeeRecord& record : list.records()) {
    EmployeeFields shown = LoadEmployeeFields(record, list.currency());
    shown.texts[kFieldRequestedSum] = record.RequestedSum.str();
    shown.texts[kFieldMinBalance] = record.MinBalance.str();
    for (std::size_t f = 0; f < kEmployeeFieldCount; ++f) {
      if (IsAmountField(f)) {
        out.Amount(shown.texts[f]);
      } else {
        out.Text(shown.texts[f]);
      }
    }
    out.Text(record.HasLeft != 0 ? yes : no);
    out.EndRow();
  }
  return out.TakeBytes();
}

}  // namespace zel
