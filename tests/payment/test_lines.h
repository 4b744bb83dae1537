#pragma once
// Payment lines for the payment tests, built from UTF-8 texts.

#include <string>

#include "common/cp1251.h"
#include "payment/payment_list.h"
#include "payment/payment_record.h"

namespace zel::test {

// A valid 22-character IBAN (check digits 80).
inline const std::string kValidIban = "BG80BNBG96611020345678";

inline PaymentLine MakeLine(const std::string& utf8Name, const std::string& iban, const std::string& amount,
                            const std::string& utf8Reason, const std::string& egn = "7501010010") {
  PaymentLine line = ZeroPaymentLine();
  line.Employee.FullName.assign(Cp(utf8Name));
  line.Employee.EGN.assign(egn);
  line.Employee.Account.assign("1234567890");
  line.Employee.IBAN.assign(iban);
  line.NetAmount.assign(amount);
  line.Reason.assign(Cp(utf8Reason));
  return line;
}

}  // namespace zel::test
