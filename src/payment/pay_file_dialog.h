#pragma once
// The payment file dialog without its widgets: its six fields, their
// validation, and the print command that fixes PayFileSettings, saves the
// company data and has the control sheet printed.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "common/clock.h"
#include "common/currency.h"
#include "common/form_fields.h"
#include "common/settings_store.h"
#include "common/status.h"
#include "company/company_data.h"
#include "payment/control_sheet.h"
#include "payment/pay_file_settings.h"

namespace zel {

// Top to bottom, as the dialog shows them.
enum class PayFileField { CompanyName, BankCode, CompanyAccount, CompanyIban, PayDate, SeqNo };
inline constexpr std::size_t kPayFileFieldCount = 6;

// Indexed by PayFileField.
const std::array<FieldInfo, kPayFileFieldCount>& PayFileFieldTable();

struct PayFileFieldTexts {
  std::array<std::string, kPayFileFieldCount> texts;
  std::string& operator[](PayFileField f) { return texts[static_cast<std::size_t>(f)]; }
  const std::string& operator[](PayFileField f) const { return texts[static_cast<std::size_t>(f)]; }
};

// The fields on opening: the company data, today's date and the sequence number "0".
PayFileFieldTexts InitialPayFileFields(const CompanyData& company, const Date& today);

using PayFileInputCheck = FieldCheck<PayFileField>;
// The checks in their fixed order. A 10-character date gets "." as its 3rd
// and 6th characters first, the IBAN goes into capitals, and the field is to
// show the changed text.
PayFileInputCheck CheckPayFileInput(PayFileFieldTexts& fields);

enum class OkButton { Enable, Disable, Keep };

struct PayFilePrintResult {
  OkButton ok = OkButton::Keep;
  std::optional<PayFileField> focus;  // set after a failed validation
  std::string message;                // the validation message to show, if any
  Status error = Status::Ok();        // a failure to report (settings store, file, printer)
};

// The control sheet of the open mass payment list, run on the settings just stored.
using ControlSheetCall = std::function<ControlSheetResult()>;

// "Печат на контролен лист": validate, refuse amounts in leva from
// 1 January 2026 on (the later of `today` and the pay date decides, so that no
// date typed sends leva to a bank that reads euro), store the settings (with
// the file name built) in `stored`, save the company data, print the control
// sheet.
PayFilePrintResult RunPayFilePrint(PayFileFieldTexts& fields, SettingsStore& store, PayFileSettings& stored,
                                   const ControlSheetCall& printControlSheet, Currency currency, const Date& today);

}  // namespace zel
