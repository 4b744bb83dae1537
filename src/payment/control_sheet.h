#pragma once
// The two printouts of the mass payment list: the control sheet that goes
// with the mass payment file to the bank, and the list of all payment lines.

#include <cstddef>
#include <string>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/print_surface.h"
#include "common/status.h"
#include "payment/pay_file_settings.h"
#include "payment/payment_list.h"

namespace zel {

struct ControlSheetResult {
  Status status = Status::Ok();  // a file or printer error; the sheet then counts as not printed
  bool printed = false;          // false also when the user cancelled the print dialog
  // The one message for a list that may not go to the bank as it stands (an
  // amount that is not a plain amount); nothing was written then.
  std::string refusal;
};

// "Печат на контролен лист" once the pay day's settings are stored: refuses a
// list with an amount the bank would read otherwise than the total counts it
// (CheckPayableAmounts), writes the payment body (WritePaymentBody, which sets
// StoredControlString), and, when the print dialog is confirmed, sets
// StoredTotal to TotalAmount and prints the sheet.
ControlSheetResult PrintControlSheet(FileSystem& fs, const PaymentList& list, PayDay& payDay, Printer& printer,
                                     const Clock& clock, const PrintFont& font);

// The total with two decimals and no point, "0"-filled on the left to 18.
std::string AmountDigits(double total);
// The count "0"-filled on the left to 6.
std::string CountDigits(std::size_t count);
// ddmmyy of the file name, sequence number, AmountDigits, CountDigits.
std::string ControlFigures(const PayFileSettings& settings, double total, std::size_t count);
// "ddd, d mmmm yyyy год." of today, with the locale's names.
std::string SheetDate(const Clock& clock);

// Every payment line with page numbers and headings on each page; nothing
// when the print dialog is cancelled.
Status PrintPaymentList(const PaymentList& list, Printer& printer, const PrintFont& font);

}  // namespace zel
