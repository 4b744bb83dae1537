#pragma once
// The payment lines of the mass payment list and their file masspIB.dat.

#include <cstddef>
#include <string>
#include <vector>

#include "common/currency.h"
#include "common/file_io.h"
#include "common/file_system.h"
#include "common/status.h"
#include "payment/payment_record.h"

namespace zel {

// An employee of the register who is not on the list, and why.
struct OffListEmployee {
  FixedText<10> EGN;
  FixedText<60> FullName;
  bool hasLeft;  // else the IBAN is not one of 22 characters
};

struct PaymentList {
  std::vector<PaymentLine> lines;  // register order, never sorted
  // The register's other employees, in register order: the import of
  // amounts tells a person who left from one it does not know.
  std::vector<OffListEmployee> offList;
  // Whether employIB.dat existed when the list was built; without it the
  // list is empty and closing does not replace the stored payment list.
  bool registerFound = false;
  // Whether masspIB.dat was read; the caption shows the count only then.
  bool paymentFileRead = false;
  // The currency of the amounts, as the data folder keeps them.
  Currency currency = Currency::Leva;
};

// Builds the lines from DataDir employIB.dat and merges masspIB.dat by EGN.
Status LoadPaymentList(FileSystem& fs, PaymentList& list);
// "Масово плащане", or "Масово плащане - N" once masspIB.dat was read (code page 1251).
std::string PaymentListCaption(const PaymentList& list);
// Backs up and rewrites DataDir masspIB.dat; does nothing when no register file was found.
Status SavePaymentList(FileSystem& fs, const PaymentList& list, const files::WarningSink& warn);
void FreePaymentLines(PaymentList& list);

}  // namespace zel
