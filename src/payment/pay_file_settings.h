#pragma once
// The values the payment file dialog hands to the mass payment list (payer,
// payment date, sequence number within the day, file name), and the pay day
// they belong to: what the list keeps between the control sheet and the
// final file.

#include <string>
#include <string_view>

namespace zel {

// The values keep the names the system gives them (PayerName, …, PayFileName).
struct PayFileSettings {
  std::string PayerName;                     // up to 26 characters, code page 1251
  std::string PayerIBAN;                     // 22 characters
  std::string PayDate;                       // "dd.mm.yyyy"
  int PaySeqNo = 0;                          // 0..9
  std::string PayFileName = "O250500p.dp0";  // bare name, relative to the current directory
};

// One pay day as the mass payment list holds it while it is open: the
// settings the last validated "Печат на контролен лист" stored, the control
// string of the payment lines it wrote, and the total it printed. The final
// file is written from these, not from the dialog's fields, so that it
// matches the printed sheet.
struct PayDay {
  PayFileSettings Settings;
  std::string StoredControlString;  // empty until a control sheet run
  double StoredTotal = 0;           // set only when a sheet was printed
};

// "O%2s%2s%2sp.dp%1d" with day, month and two-digit year of a "dd.mm.yyyy"
// date and the sequence digit: always 12 characters for a valid date and a
// sequence number 0..9.
std::string MakePayFileName(std::string_view payDate, int seqNo);

}  // namespace zel
