#pragma once
// The printed personnel list: one row per employee (EGN, IBAN, requested
// amount, overdraft, name) with the page number and the headings on every page.

#include "common/currency.h"
#include "common/print_surface.h"
#include "common/status.h"

namespace zel {

class Register;

// Columns and row height in printer units, measured once per job (the
// measures X1, X2, X4, X5, h and H of the printout, in that order).
struct PersonnelPrintMeasures {
  int egnLeft = 0;
  int ibanLeft = 0;
  int requestedLimit = 0;  // limit of the requested amount column
  int overdraftLimit = 0;  // limit of the overdraft column, and left edge of the names
  int textHeight = 0;      // height of "T"
  int rowHeight = 0;
  int amountGap = 0;  // width of "WWW": an amount ends that far before its limit
};
// The amount columns are measured on the currency's label.
PersonnelPrintMeasures MeasurePersonnelPrint(const PrintSurface& surface, Currency currency);

// Shows the print dialog and prints every record in list order, the amounts
// labelled with the register's currency. An empty
// register prints nothing; a cancelled dialog prints nothing and is no failure.
// No page is begun after the last row.
Status PrintPersonnelList(Printer& printer, const Register& list, const PrintFont& font);

}  // namespace zel
