#pragma once
// The two printouts of the mass payment list: the control sheet that goes
// with the mass payment file to the bank, and the list of all payment lines.

#include <cstddef>
#include <string>

#include "common/clock.h"
#include "common/print_surface.h"
#include "common/status.h"
#include "payment/pay_file_settings.h"
#include "payment/payment_list.h"

namespace zel {

struct ControlSheetResult {
  Status status = Status::Ok();  // a file or printer error; the sheet then counts as not printed
  bool printed = false;          // false also when the user cancelled the print dialog
};

// Writes the payment lines alone to PayFileName, sets storedControlString to
// their control string, and, when the print dialog is confirmed, sets
// storedTotal to TotalAmount and prints the one-page sheet.
ControlSheetResult PrintControlSheet(const PaymentList& list, const PayFileSettings& settings, Printer& printer,
                                     const Clock& clock, std::string& storedControlString, double& storedTotal,
                                     const PrintFont& font);

// The total with two decimals and no point, "0"-filled on the left to 18.
std::string AmountDigits(double total);
// The count "0"-filled on the left to 6.
std::string CountDigits(std::size_t count);
// ddmmyy of the file name, sequence number, AmountDigits, CountDigits.
std::string ControlFigures(const PayFileSettings& settings, double total, std::size_t count);
// "ddd, d mmmm yyyy год." of today, with the locale's names.
std::string SheetDate(const Clock& clock);

// The columns of the payment list printout.
struct PaymentListColumns {
  int c1 = 0;  // IBAN
  int c2 = 0;  // right edge of the amounts
  int c3 = 0;  // names
  int c4 = 0;  // reasons
};
PaymentListColumns MakePaymentListColumns(const PrintSurface& surface);
// Headings at y; y moves to where the first payment line goes.
void PrintListHeadings(PrintSurface& surface, const PaymentListColumns& columns, int& y);
// Every payment line with page numbers and headings on each page; nothing
// when the print dialog is cancelled.
Status PrintPaymentList(const PaymentList& list, Printer& printer, const PrintFont& font);

}  // namespace zel
