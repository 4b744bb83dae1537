#include "company/company_data.h"

#include <string_view>
#include <utility>

#include "common/checks.h"
#include "common/cp1251.h"

namespace zel {
namespace {

// The value of each field, indexed by CompanyField.
constexpr std::string CompanyData::*kValues[kCompanyFieldCount] = {
    &CompanyData::ClientName, &CompanyData::CodeBUS, &CompanyData::ClientAcc, &CompanyData::IBANClientAcc};

CompanyCheck Fail(std::string_view patternUtf8, CompanyField field) {
  return CompanyCheck::Fail(field, FieldMessage(patternUtf8, CompanyFieldTable()[field].label));
}

// Only accounts of the bank's own branch are accepted as the payer's IBAN.
bool IsBranchIban(const std::string& iban) {
  return IsBankIban(iban) && iban.compare(0, 2, "BG") == 0 && iban.compare(4, 8, "QRVA9150") == 0;
}

}  // namespace

const std::array<FieldInfo, kCompanyFieldCount>& CompanyFieldTable() {
  static const std::array<FieldInfo, kCompanyFieldCount> table = {{
      {Cp("Наименование на фирмата"), 26, true},
      {Cp("Код по БУС"), 8, true},
      {Cp("Сметка на наредителя"), 10, true},
      {Cp("IBAN сметка на наредителя"), 22, true},
  }};
  return table;
}

CompanyData LoadCompanyData(SettingsStore& store) {
  // A key that cannot be created reads as empty values; the save reports the failure.
  (void)store.CreateKey();
  CompanyData data;
  for (std::size_t i = 0; i < kCompanyFieldCount; ++i) data.*kValues[i] = store.Read(kCompanyValueNames[i]);
  return data;
}

Status SaveCompanyData(SettingsStore& store, const CompanyData& data) {
  // A key that cannot be created makes the first write fail with the store's own message.
  (void)store.CreateKey();
  for (std::size_t i = 0; i < kCompanyFieldCount; ++i) {
    Status written = store.Write(kCompanyValueNames[i], data.*kValues[i]);
    if (!written.ok()) return written;
  }
  return Status::Ok();
}

bool IsCompanyName(std::string_view name) { return name.find(';') == std::string_view::npos; }

std::string ReadSetting(SettingsStore& store, const std::string& name) {
  if (!store.KeyExists()) return {};
  return store.Read(name);
}

CompanyCheck CheckCompanyData(const CompanyData& data) {
  if (data.ClientName.empty()) return Fail("%s не е попълнено !", kCompanyName);
  if (!IsCompanyName(data.ClientName)) return Fail("%s не е валидно !", kCompanyName);
  if (data.IBANClientAcc.empty()) return Fail("%s не е попълнено !", kCompanyIban);
  if (!IsBranchIban(data.IBANClientAcc)) return Fail("%s не е валиден или не е на ЖТМ !", kCompanyIban);
  return {};
}

}  // namespace zel
