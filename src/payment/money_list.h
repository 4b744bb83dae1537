#pragma once
// The rules of the mass payment list window that need no widgets: where the
// columns of a list line stand and what they show, the place of "Край",
// filling one reason into every line, and taking an edited line back.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/currency.h"
#include "payment/payment_list.h"
#include "payment/payment_record.h"

namespace zel {

// Left edges of the columns, fixed from the list font when the window is made.
struct MoneyListColumns {
  int name = 1;
  int bankCode = 0;
  int account = 0;
  int amountMinRight = 0;  // the amount's right edge never moves left of this
  int letterW = 0;         // width of "W"
};

// w: width of "W"; n: width of "9"; lv: width of the currency's label (" лв.").
MoneyListColumns MakeMoneyListColumns(int w, int n, int lv);
// The right edge of the amount in a line whose right edge is lineRight.
int AmountRightEdge(const MoneyListColumns& columns, int lineRight);

// The first 30 characters of the name.
std::string NameCellText(const PaymentLine& line);
// The IBAN, or the old-style account while old accounts are shown.
std::string AccountCellText(const PaymentLine& line, bool showOldAccounts);
// "%20s" with the net amount, then the currency's label (" лв.").
std::string AmountCellText(const PaymentLine& line, Currency currency);

// Every reason set to the text, cut to 60 characters.
void FillReason(PaymentList& list, std::string_view reason);

// The working copy for the edit dialog, or nothing when there is no line at
// `selected` (empty list, no selection).
std::optional<PaymentLine> LineForEdit(const PaymentList& list, int selected);
// Puts the confirmed working copy back over the line at `selected`; false
// when that line is no longer there.
bool ApplyEditedLine(PaymentList& list, int selected, const PaymentLine& edited);

}  // namespace zel
