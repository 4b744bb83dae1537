#pragma once
// The control sheet of a SEPA file: the payer, the execution date, the
// format, the identifier, the count and the total, then every payment, and
// the lines the file leaves out with why.

#include "common/print_surface.h"
#include "payment/payment_list.h"
#include "payment/sepa_file.h"

namespace zel {

// On a surface whose font is set; as many pages as the payments take.
void PrintSepaSheet(PrintSurface& surface, const SepaFile& file, const PaymentList& list);

}  // namespace zel
