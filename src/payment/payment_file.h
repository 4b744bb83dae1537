#pragma once
// The mass payment file for the bank: an optional header line with the
// payer, the total, the count and the control string, then one fixed
// 144-character line per payment; code page MIK, every line ended by CR LF,
// under its bare name in the current directory.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/status.h"
#include "payment/pay_file_settings.h"
#include "payment/payment_list.h"
#include "payment/payment_record.h"

namespace zel {

inline constexpr std::size_t kPaymentFileLineLength = 144;
// Columns 24-36 of a payment line.
inline constexpr std::size_t kAmountColumn = 23;
inline constexpr std::size_t kAmountWidth = 13;

// One payment line in code page 1251 (before the MIK conversion).
std::string PaymentFileLine(const PaymentLine& line);

// The sum of the net amounts; an empty text or one that is not a number counts 0.
double TotalAmount(const PaymentList& list);

// The payment lines in the bank's code page, each ended by CR LF: the body
// of the file, over which the control string is computed.
std::string PaymentFileBody(const PaymentList& list);
// The final file: the header line with the pay day's figures, then the body.
std::string PaymentFileText(const PaymentList& list, const PayDay& payDay);

// Every amount must be empty (blanks alone count as empty) or an amount as
// the payment edit dialog stores it: digits, a point, two decimals, at least
// the minimum of the list's currency, no wider than its 13 columns. Anything
// else ("1e3", "12лв", "1,5", a negative amount) would reach the bank as a
// text it reads differently from the total of the header. The first other
// line is named with its amount.
Status CheckPayableAmounts(const PaymentList& list);

// The two writes of the pay day's PayFileName, each replacing the file whole
// or not at all. The first, run by the control sheet once CheckPayableAmounts
// has passed the list, writes the body and sets StoredControlString to the
// control string of the bytes written (left as it was when the write fails).
Status WritePaymentBody(FileSystem& fs, const PaymentList& list, PayDay& payDay);
// The second refuses what CheckPayableAmounts refuses, then writes the final
// file; `fullPath` receives its full path.
Status WriteFinalPaymentFile(FileSystem& fs, const PaymentList& list, const PayDay& payDay,
                             std::string* fullPath = nullptr);

// Whether a final file says what the list holds, read as the bank reads it:
// a header of exactly its nine fields with the IBAN in capitals, one
// 144-character line per payment line of the list carrying its IBAN in
// capitals and its amount under the same strict rule as the control sheet,
// and a header whose count, total and control string agree with those lines.
Status CheckPaymentFileContent(std::string_view content, const PaymentList& list);
// The same for the file at `path`, read back from the disk.
Status VerifyPaymentFile(FileSystem& fs, const std::string& path, const PaymentList& list);

struct FinalPaymentFileResult {
  Status status = Status::Ok();  // the error to report when the file is not good
  std::string message;           // the closing message when it is
  std::string fullPath;
};

// What "Ok" of the payment file dialog does: the final file with its header
// line, read back and checked before the user is told where it is.
FinalPaymentFileResult MakePaymentFile(FileSystem& fs, const PaymentList& list, const PayDay& payDay);

}  // namespace zel
