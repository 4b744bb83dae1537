#pragma once
// The values the payment file dialog hands to the mass payment list: payer,
// payment date, sequence number within the day and the file name. They keep
// the last stored values for the whole run of the program.

#include <string>
#include <string_view>

namespace zel {

struct PayFileSettings {
  std::string PayerName;   // up to 26 characters, code page 1251
  std::string PayerIBAN;   // 22 characters
  std::string PayDate;     // "dd.mm.yyyy"
  int PaySeqNo = 0;        // 0..9
  std::string PayFileName = "O250500p.dp0";  // bare name, relative to the current directory
};

const PayFileSettings& CurrentPayFileSettings();
void SetPayFileSettings(const PayFileSettings& settings);
// Back to the values the program starts with.
void ResetPayFileSettings();

// "O%2s%2s%2sp.dp%1d" with day, month and two-digit year of a "dd.mm.yyyy"
// date and the sequence digit: always 12 characters for a valid date and a
// sequence number 0..9.
std::string MakePayFileName(std::string_view payDate, int seqNo);

}  // namespace zel
