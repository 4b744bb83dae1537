#include "personnel/request_files.h"

#include <string_view>

#include "common/checks.h"
#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/text.h"
#include "company/company_data.h"

namespace zel {

namespace {

// Appends one line, converted to the bank's code page and ended by CR LF.
void PutLine(std::string& out, std::string_view win) {
  out += WinToMik(win);
  out += "\r\n";
}

// A "key == value" line; `key` already carries its spacing up to "== ".
void PutValue(std::string& out, std::string_view key, std::string_view value) {
  std::string line(key);
  line += value;
  PutLine(out, line);
}

bool IsFirstBranchVariant(std::string_view codeBus) { return codeBus.substr(0, 4) == "1509"; }

void PutAccountOpeningBlock(std::string& out, const EmployeeRecord& r, bool firstVariant, std::string_view clientName) {
  PutValue(out, "ADDO == ", firstVariant ? "680" : "1106");
  PutLine(out, "(1.)  == 1");
  PutValue(out, "(4.)  == ", r.FullName.view());
  PutValue(out, "(5.)  == ", MakeShortName(r.FullName.view()));
  PutValue(out, "(6.)  == ", r.EGN.view());
  PutLine(out, "(7.)  == 5");
  PutValue(out, "(9.)  == ", r.BirthDate.view());
  PutValue(out, "(10.) == ", r.PassportSeries.view());
  PutValue(out, "(11.) == ", r.PassportNo.view());
  PutValue(out, "(12.) == ", r.IssueDate.view());
  PutValue(out, "(13.) == ", r.IssuedBy.view());
  PutLine(out, "(14.) == 20");
  PutValue(out, "(18.) == ", r.Town.view());
  PutValue(out, "(19.) == ", r.Street.view());
  PutLine(out, "(25.) == 1");
  PutLine(out, Cp("(28.) == ДА"));
  if (firstVariant) PutLine(out, "(29.) == 6");
  PutValue(out, "(46.) == ", r.RequestedSum.view());
  PutValue(out, "(47.) == ", r.MinBalance.view());
  PutValue(out, firstVariant ? "(55.) == " : "(TO50.1.) == ", clientName);
  PutLine(out, "ENDM");
  PutLine(out, "");
}

void PutOverdraftBlock(std::string& out, const EmployeeRecord& r, std::string_view companyIban) {
  static const std::string kDate = Cp("<дата>");
  static const std::string kTime = Cp("<час>");
  static const std::string kNo = Cp("НЕ");
  static const std::string kYes = Cp("ДА");
  static const std::string kCyrillicA = Cp("А");
  const std::string_view account = r.Account.view();
  // Characters 3 to 8 of the account: its branch-free middle part.
  const std::string_view accountMiddle = account.size() > 2 ? account.substr(2, 6) : std::string_view();

  PutLine(out, "ADDO == 663");
  PutValue(out, "(1.) == ", kDate);
  PutValue(out, "(2.) == ", kTime);
  PutLine(out, "(3.) == 8888");
  PutValue(out, "(TO4.3.) == ", r.IBAN.view());
  PutValue(out, "(6.) == ", r.Overdraft.view());
  PutValue(out, "(8.) == ", r.Overdraft.view());
  PutValue(out, "(9.) == ", kNo);
  PutLine(out, "(11.) == 19");
  PutValue(out, "(12.) == ", kYes);
  PutLine(out, "(14.1.) == 36");
  PutLine(out, "(14.8.) == 1");
  PutLine(out, "(14.4.) == 0");
  PutLine(out, "(15.) == 8889");
  PutLine(out, "(18.) == 1");
  PutLine(out, "(19.) == 730");
  PutLine(out, "(20.) == 9");
  PutValue(out, "(21.) == ", r.IBAN.view());
  PutLine(out, "(23.) == 1");
  PutValue(out, "(TO24.5.) == ", accountMiddle);
  PutLine(out, "(25.) == 1");
  PutValue(out, "(31.) == ", kDate);
  PutValue(out, "(32.) == ", kNo);
  PutValue(out, "(35.) == ", r.LabourContract.view());
  PutValue(out, "(38.) == ", companyIban);
  PutValue(out, "(46.) == ", kNo);
  PutValue(out, "(48.) == ", kCyrillicA);
  PutLine(out, "ENDM");
  PutLine(out, "");
}

bool WantsAccount(const EmployeeRecord& r) { return r.Account.empty() && r.HasLeft == 0; }

bool WantsOverdraft(const EmployeeRecord& r, double minOverdraft) {
  return !r.IBAN.empty() && r.HasLeft == 0 && !r.Overdraft.empty() && IsAtLeast(r.Overdraft.view(), minOverdraft);
}

// The file contents in the bank's code page, as the writers store them.
std::string AccountOpeningRequestsText(const Register& reg, const std::string& clientName, const std::string& codeBus) {
  const bool firstVariant = IsFirstBranchVariant(codeBus);
  std::string out;
  for (const EmployeeRecord& r : reg.records()) {
    if (WantsAccount(r)) PutAccountOpeningBlock(out, r, firstVariant, clientName);
  }
  return out;
}

std::string OverdraftRequestsText(const Register& reg, const std::string& companyIban) {
  const double minOverdraft = RulesOf(reg.currency()).minOverdraft;
  std::string out;
  for (const EmployeeRecord& r : reg.records()) {
    if (WantsOverdraft(r, minOverdraft)) PutOverdraftBlock(out, r, companyIban);
  }
  return out;
}

}  // namespace

Status WriteAccountOpeningRequests(FileSystem& fs, const Register& reg, SettingsStore& settings, Messages& messages,
                                   const std::string& fileName) {
  const std::string clientName = ReadSetting(settings, "ClientName");
  if (clientName.empty()) {
    messages.Show(Cp("Няма данни за името на компанията !"));
    return Status::Ok();
  }
  const std::string codeBus = ReadSetting(settings, "CodeBUS");
  if (codeBus.empty()) {
    messages.Show(Cp("Не е попълнен банков код на централа/клон !"));
    return Status::Ok();
  }
  return files::ReplaceFile(fs, fileName, AccountOpeningRequestsText(reg, clientName, codeBus));
}

Status WriteOverdraftRequests(FileSystem& fs, const Register& reg, SettingsStore& settings,
                              const std::string& fileName) {
  const std::string companyIban = ReadSetting(settings, "IBANClientAcc");
  return files::ReplaceFile(fs, fileName, OverdraftRequestsText(reg, companyIban));
}

Status WriteRequestFileOfType(FileSystem& fs, RequestType type, const Register& reg, SettingsStore& settings,
                              Messages& messages, const std::string& fileName) {
  switch (type) {
    case RequestType::AccountOpening: return WriteAccountOpeningRequests(fs, reg, settings, messages, fileName);
    case RequestType::Overdraft: return WriteOverdraftRequests(fs, reg, settings, fileName);
  }
  return Status::Ok();
}

}  // namespace zel
