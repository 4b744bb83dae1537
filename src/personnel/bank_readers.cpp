#include "personnel/bank_readers.h"

#include <cstddef>
#include <string_view>

#include "common/checks.h"
#include "common/cp1251.h"
#include "common/employee_record.h"
#include "common/file_io.h"
#include "common/text.h"
#include "common/text_lines.h"
#include "common/whole_file.h"

namespace zel {

namespace {

// Turns "Край" bold once, not once per changed record.
void NoteChange(Register& reg) {
  if (!reg.Modified()) reg.MarkModified();
}

bool Ask(Messages& messages, const std::string& text) {
  return messages.Ask(Cp("Грешка"), text, Messages::Icon::Error, Messages::Default::Ok);
}

// ---- Returned account-opening blocks ------------------------------------

constexpr std::size_t kKeyLength = 8;

// A block as the bank returned it. The EGN is kept as delivered as well, so
// that an over-long one is rejected rather than cut into a valid-looking one.
struct BankBlock {
  EmployeeRecord record = ZeroEmployeeRecord();
  std::string egn;
};

// Only the part the field can hold is converted: a hostile line may be long.
template <std::size_t N>
void Store(FixedText<N>& field, std::string_view rest) {
  field.assign(Trim(rest).substr(0, N));
  for (std::size_t k = 0; k < field.size(); ++k) field.bytes[k] = MikToWin(field.bytes[k]);
}

// Stores the value of a recognised line; other lines are ignored. `line`
// starts at its first non-blank character and is still in the DOS code page.
void StoreBlockLine(BankBlock& block, std::string_view line) {
  if (line.size() < kKeyLength || line.front() != '(') return;
  const std::string_view key = line.substr(0, kKeyLength);
  const std::string_view rest = line.substr(kKeyLength);
  EmployeeRecord& r = block.record;
  if (key == "(4.)  ==") {
    Store(r.FullName, rest);
  } else if (key == "(6.)  ==") {
    block.egn = MikToWin(Trim(rest));
    r.EGN = block.egn;
  } else if (key == "(9.)  ==") {
    Store(r.BirthDate, rest);
  } else if (key == "(10.) ==") {
    Store(r.PassportSeries, rest);
  } else if (key == "(11.) ==") {
    Store(r.PassportNo, rest);
  } else if (key == "(12.) ==") {
    Store(r.IssueDate, rest);
  } else if (key == "(13.) ==") {
    Store(r.IssuedBy, rest);
  } else if (key == "(18.) ==") {
    Store(r.Town, rest);
  } else if (key == "(19.) ==") {
    Store(r.Street, rest);
  } else if (key == "(46.) ==") {
    Store(r.RequestedSum, rest);
  } else if (key == "(47.) ==") {
    Store(r.MinBalance, rest);
  } else if (key == "(21.) ==") {
    Store(r.Account, rest);
  }
}

bool StartsBlock(std::string_view trimmed) { return trimmed.starts_with("ADDO =="); }

// Adds the employee of a finished block unless its EGN is bad or already
// held. False when the user declined to go on.
bool AddEmployeeFromBank(Register& reg, Messages& messages, BankBlock& block) {
  if (!IsValidEgn(block.egn)) {
    return Ask(messages, FillPattern(Cp("ЕГН \"%s\" не е валидно ! Ще продължите ли?"), {block.egn}));
  }
  if (!reg.IsEgnUnique(block.egn)) {
    return Ask(messages, FillPattern(Cp("Опит за повторно въвеждане на ЕГН %s ! Ще продължите ли?"), {block.egn}));
  }
  EmployeeRecord& r = block.record;
  r.BirthDate = BirthDateFromEgn(block.egn);
  reg.Append(r);
  NoteChange(reg);
  return true;
}

enum class BlockEnd { Finished, Stopped, Restart, EndOfFile };

// Reads the lines of one block up to its "ENDM". A new "ADDO ==" line means
// the block was cut off: it is dropped and the caller starts the next one.
BlockEnd ReadRequestBlock(TextLines& lines, Register& reg, Messages& messages, std::string_view& line) {
  BankBlock block;
  while (lines.Next(line)) {
    const std::string_view trimmed = TrimLeft(line);
    if (trimmed.starts_with("ENDM")) {
      return AddEmployeeFromBank(reg, messages, block) ? BlockEnd::Finished : BlockEnd::Stopped;
    }
    if (StartsBlock(trimmed)) return BlockEnd::Restart;
    StoreBlockLine(block, trimmed);
  }
  return BlockEnd::EndOfFile;
}

// ---- Account and IBAN lists ---------------------------------------------

bool IsBankAccount(std::string_view account) {
  return account.starts_with("10") && IsDigits(account) && IsValidAccount(account);
}

void SetAccountByEgn(Register& reg, std::string_view egn, std::string_view account) {
  const auto& indices = reg.IndicesWithEgn(egn);
  if (indices.empty()) return;
  for (const std::uint32_t i : indices) reg.SetAccount(i, account);  // the EGN stays, so the index stays valid
  NoteChange(reg);
}

void SetIbanByEgnAndAccount(Register& reg, std::string_view egn, std::string_view account, std::string_view iban) {
  bool changed = false;
  for (const std::uint32_t i : reg.IndicesWithEgn(egn)) {
    if (reg.at(i).Account.view() != account) continue;
    reg.SetIbanInCapitals(i, iban);  // the bank's electronic form; the EGN stays, so the index stays valid
    changed = true;
  }
  if (changed) NoteChange(reg);
}

void ReadAccountLine(Register& reg, Messages& messages, std::string_view line) {
  const std::string_view egn = NthFieldView(line, 1, ' ');
  const std::string_view account = NthFieldView(line, 2, ' ');
  if (egn.size() != 10 || account.size() != 10) return;
  if (IsBankAccount(account)) {
    SetAccountByEgn(reg, egn, account);
  } else {
    messages.Show(FillPattern(Cp("%s не е валидна сметка за ЕГН:%s!"), {account, egn}));
  }
}

void ReadIbanLine(Register& reg, Messages& messages, std::string_view line) {
  const std::string_view egn = NthFieldView(line, 1, ' ');
  const std::string_view account = NthFieldView(line, 2, ' ');
  if (egn.size() != 10 || account.size() != 10) return;
  const std::string_view iban = NthFieldView(line, 3, ' ');
  if (!IsValidIban(iban)) return;
  if (IsBankAccount(account) && IsBankIban(iban)) {
    SetIbanByEgnAndAccount(reg, egn, account, iban);
  } else {
    messages.Show(FillPattern(Cp("%s не е валидна сметка или IBAN за ЕГН:%s!"), {account, egn}));
  }
}

template <typename EachLine>
Status ReadListFile(FileSystem& fs, Register& reg, const std::string& fileName, EachLine eachLine) {
  reg.SetEditIndex(-1);
  files::FileBytes content;
  if (Status s = files::ReadFileInto(fs, fileName, content); !s.ok()) return s;
  // Blanks and control characters around the items carry no meaning.
  ForEachLine(std::string_view(content.data(), content.size()),
              [&eachLine](std::string_view line) { eachLine(Trim(line)); });
  return Status::Ok();
}

}  // namespace

Status ReadBankDataFile(FileSystem& fs, Register& reg, Messages& messages, const std::string& fileName) {
  reg.SetEditIndex(-1);  // the uniqueness test compares with every record
  files::FileBytes content;
  if (Status s = files::ReadFileInto(fs, fileName, content); !s.ok()) return s;
  TextLines lines(std::string_view(content.data(), content.size()));
  std::string_view line;
  bool haveLine = lines.Next(line);
  while (haveLine) {
    if (!StartsBlock(TrimLeft(line))) {
      haveLine = lines.Next(line);
      continue;
    }
    switch (ReadRequestBlock(lines, reg, messages, line)) {
      case BlockEnd::Finished: haveLine = lines.Next(line); break;
      case BlockEnd::Restart:  // `line` holds the next block's first line
        break;
      case BlockEnd::Stopped:
      case BlockEnd::EndOfFile: haveLine = false; break;
    }
  }
  return Status::Ok();
}

Status ReadAccountFile(FileSystem& fs, Register& reg, Messages& messages, const std::string& fileName) {
  return ReadListFile(fs, reg, fileName, [&](std::string_view line) { ReadAccountLine(reg, messages, line); });
}

Status ReadIbanFile(FileSystem& fs, Register& reg, Messages& messages, const std::string& fileName) {
  return ReadListFile(fs, reg, fileName, [&](std::string_view line) { ReadIbanLine(reg, messages, line); });
}

bool CarriesAmounts(BankFile kind) { return kind == BankFile::Data; }

Status ReadBankFileOfKind(BankFile kind, FileSystem& fs, Register& reg, Messages& messages,
                          const std::string& fileName) {
  switch (kind) {
    case BankFile::Data: return ReadBankDataFile(fs, reg, messages, fileName);
    case BankFile::Accounts: return ReadAccountFile(fs, reg, messages, fileName);
    case BankFile::Ibans: return ReadIbanFile(fs, reg, messages, fileName);
  }
  return Status::Ok();
}

}  // namespace zel
