#include "payment/pay_file_dialog.h"

#include "common/calendar.h"
#include "common/checks.h"
#include "common/cp1251.h"
#include "common/text.h"

namespace zel {

namespace {

const FieldInfo& PayFileFieldInfoOf(PayFileField field) { return PayFileFieldTable()[static_cast<std::size_t>(field)]; }

PayFileInputCheck Fail(PayFileField field, const char* utf8Pattern) {
  return PayFileInputCheck::Fail(field, FieldMessage(utf8Pattern, PayFileFieldInfoOf(field).label));
}

}  // namespace

const std::array<FieldInfo, kPayFileFieldCount>& PayFileFieldTable() {
  static const std::array<FieldInfo, kPayFileFieldCount> table = {{
      {Cp("Наименование на фирмата"), 26, true},
      {Cp("Код по БУС"), 8, false},
      {Cp("Сметка на наредителя"), 10, false},
      {Cp("IBAN на наредителя"), 22, true},
      {Cp("Масово плащане за дата"), 10, true},
      {Cp("Поредно плащане за деня"), 9, true},
  }};
  return table;
}

PayFileFieldTexts InitialPayFileFields(const CompanyData& company, const Date& today) {
  PayFileFieldTexts f;
  f[PayFileField::PayDate] = FormatDate(today);
  f[PayFileField::CompanyName] = company.ClientName;
  f[PayFileField::BankCode] = company.CodeBUS;
  f[PayFileField::CompanyAccount] = company.ClientAcc;
  f[PayFileField::CompanyIban] = company.IBANClientAcc;
  f[PayFileField::SeqNo] = "0";
  return f;
}

PayFileInputCheck CheckPayFileInput(PayFileFieldTexts& fields) {
  // A field of blanks alone is as good as empty.
  for (PayFileField f :
       {PayFileField::CompanyName, PayFileField::PayDate, PayFileField::SeqNo, PayFileField::CompanyIban}) {
    if (Trim(fields[f]).empty()) return Fail(f, "%s не е попълнено !");
    // The name is a field of the ";"-separated header line of the payment file.
    if (f == PayFileField::CompanyName && !IsCompanyName(fields[f])) return Fail(f, "%s не е валидно !");
  }
  // The IBAN goes to the bank, and to the company data, in capitals; the field shows it so.
  std::string& iban = fields[PayFileField::CompanyIban];
  iban = ToUpperLatin(iban);
  if (!IsBankIban(iban)) return Fail(PayFileField::CompanyIban, "%s не е валиден !");

  std::string& date = fields[PayFileField::PayDate];
  SetDateSeparators(date);
  if (!IsValidDate(date)) return Fail(PayFileField::PayDate, "%s не е валидна !");

  const std::string& seq = fields[PayFileField::SeqNo];
  if (seq.size() != 1 || !IsDigits(seq)) return Fail(PayFileField::SeqNo, "%s не е валиден !");
  return {};
}

PayFilePrintResult RunPayFilePrint(PayFileFieldTexts& fields, SettingsStore& store, PayFileSettings& stored,
                                   const ControlSheetCall& printControlSheet, Currency currency, const Date& today) {
  PayFilePrintResult result;
  const PayFileInputCheck check = CheckPayFileInput(fields);
  if (!check.valid) {
    result.ok = OkButton::Disable;
    result.focus = check.field;
    result.message = check.message;
    return result;
  }
  // The bank reads the file's amounts as euro from that day on, also for a
  // pay date typed before it.
  const Date payDate = *ParseDate(fields[PayFileField::PayDate]);
  if (const auto refusal = LevaRefusal(currency, DayNumber(payDate) > DayNumber(today) ? payDate : today)) {
    result.ok = OkButton::Disable;
    result.message = *refusal;
    return result;
  }

  stored.PayerName = fields[PayFileField::CompanyName];
  stored.PayerIBAN = fields[PayFileField::CompanyIban];
  stored.PaySeqNo = Trim(fields[PayFileField::SeqNo]).front() - '0';
  stored.PayDate = fields[PayFileField::PayDate];
  stored.PayFileName = MakePayFileName(stored.PayDate, stored.PaySeqNo);

  const CompanyData company{fields[PayFileField::CompanyName], fields[PayFileField::BankCode],
                            fields[PayFileField::CompanyAccount], fields[PayFileField::CompanyIban]};
  if (Status saved = SaveCompanyData(store, company); !saved.ok()) {
    result.error = saved;
    return result;
  }

  ControlSheetResult sheet = printControlSheet();
  if (!sheet.refusal.empty()) {
    result.ok = OkButton::Disable;
    result.message = sheet.refusal;
    return result;
  }
  if (!sheet.status.ok()) {
    result.error = sheet.status;
    return result;
  }
  result.ok = sheet.printed ? OkButton::Enable : OkButton::Disable;
  return result;
}

}  // namespace zel
