#include "payment/payment_csv.h"

#include "common/csv_writer.h"
#include "common/text.h"
#include "payment/payment_form.h"

namespace zel {

std::string PaymentListCsv(const PaymentList& list) {
  csv::Writer out;
  const auto label = [](PaymentField field) { return PaymentFieldInfoOf(field).label; };
  out.Text(label(PaymentField::FullName));
  out.Text(label(PaymentField::EGN));
  out.Text(label(PaymentField::IBAN));
  // The currency in the header: the cells hold bare numbers.
  out.Text(label(PaymentField::NetAmount) + " (" + std::string(Trim(RulesOf(list.currency).label)) + ")");
  out.Text(label(PaymentField::Reason));
  out.EndRow();
  for (const PaymentLine& line : list.lines) {
    out.Text(line.Employee.FullName.view());
    out.Text(line.Employee.EGN.view());
    out.Text(line.Employee.IBAN.view());
    out.Amount(line.NetAmount.view());
    out.Text(line.Reason.view());
    out.EndRow();
  }
  return out.TakeBytes();
}

}  // namespace zel
