#pragma once
// The mass payment list for a spreadsheet: name, EGN, IBAN, amount and
// reason of each line under a header row of the payment dialog's labels,
// which the import of amounts recognises again.

#include <string>

#include "payment/payment_list.h"

namespace zel {

// The file's bytes (see common/csv_writer.h).
std::string PaymentListCsv(const PaymentList& list);

}  // namespace zel
