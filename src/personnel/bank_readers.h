#pragma once
// Reading the bank's answers into the register in memory: returned
// account-opening blocks (new employees), lists of EGNs and accounts, and
// lists of EGNs, accounts and IBANs. Every line of the file is handled, the
// last one too; empty and malformed lines are skipped without a word.
// Changes go through Register::MarkModified, which tells the list window.

#include <string>

#include "common/file_system.h"
#include "common/messages.h"
#include "common/status.h"
#include "personnel/register.h"

namespace zel {

// Appends one employee per "ADDO ==" ... "ENDM" block. A block with a bad or
// repeated EGN is not added and the user is asked whether to go on; Cancel
// stops after that block. A block cut off by the end of the file or by the
// next "ADDO ==" line adds nothing. A file that cannot be read changes
// nothing; the failure (full path, system description) is returned.
Status ReadBankDataFile(FileSystem& fs, Register& reg, Messages& messages, const std::string& fileName);

// Lines "EGN account": sets Account of every employee with that EGN. A wrong
// account is named in a message and reading goes on.
Status ReadAccountFile(FileSystem& fs, Register& reg, Messages& messages, const std::string& fileName);

// Lines "EGN account IBAN": sets IBAN of every employee with that EGN and
// account. A line without a valid IBAN is skipped; a wrong account or an IBAN
// that is not 22 characters long is named in a message and reading goes on.
Status ReadIbanFile(FileSystem& fs, Register& reg, Messages& messages, const std::string& fileName);

// The files of the bank that the personnel list reads into its register.
enum class BankFile { Data, Accounts, Ibans };
// Whether that kind of file brings amounts into the register (the returned
// account-opening blocks carry the requested sum and the minimum balance).
bool CarriesAmounts(BankFile kind);
// The reader of that kind of file.
Status ReadBankFileOfKind(BankFile kind, FileSystem& fs, Register& reg, Messages& messages,
                          const std::string& fileName);

}  // namespace zel
