#pragma once
// The company's own four values in the machine-wide settings store, and the
// check of the company data dialog.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "common/form_fields.h"
#include "common/settings_store.h"
#include "common/status.h"

namespace zel {

// Code page 1251 texts, in the order they are always read and written.
struct CompanyData {
  std::string ClientName;
  std::string CodeBUS;
  std::string ClientAcc;
  std::string IBANClientAcc;
};

// The fields of the company data dialog, in CompanyData order.
enum CompanyField : int { kCompanyName = 0, kCompanyCodeBus, kCompanyAccount, kCompanyIban };
inline constexpr std::size_t kCompanyFieldCount = 4;

// The dialog's fields, indexed by CompanyField.
const std::array<FieldInfo, kCompanyFieldCount>& CompanyFieldTable();
// The settings store's name of each value, indexed by CompanyField.
inline constexpr const char* kCompanyValueNames[kCompanyFieldCount] = {"ClientName", "CodeBUS", "ClientAcc",
                                                                       "IBANClientAcc"};

// Creates the key when missing, then reads the four values (absent ones empty).
CompanyData LoadCompanyData(SettingsStore& store);
// Writes the four values in order, empty ones too; the first failing write
// ends the save and is returned, the values written before it stay.
Status SaveCompanyData(SettingsStore& store, const CompanyData& data);
// One value; empty when it or the key is absent. Never creates the key.
std::string ReadSetting(SettingsStore& store, const std::string& name);

// A company name holds no ";": it is a field of the ";"-separated header line
// of the mass payment file.
bool IsCompanyName(std::string_view name);

using CompanyCheck = FieldCheck<CompanyField>;
// The name and the IBAN are required and the name holds no ";"; the IBAN
// must be a valid 22-character IBAN of the bank's branch, in capitals. Bank
// code and account are not examined.
CompanyCheck CheckCompanyData(const CompanyData& data);

}  // namespace zel
