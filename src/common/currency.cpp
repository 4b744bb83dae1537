#include "common/currency.h"

#include <string_view>

#include "common/amount.h"
#include "common/calendar.h"
#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/euro.h"
#include "common/file_io.h"

namespace zel {

namespace {

// The leva values, written once; the euro values follow from them.
constexpr const char* kMinRequestedSum = "10";
constexpr const char* kMinMinBalance = "2";
constexpr const char* kMinOverdraft = "1";
constexpr const char* kMinNetAmount = "1";
constexpr const char* kDefaultRequestedSum = "802.00";
constexpr const char* kDefaultMinBalance = "2.00";

std::string InCurrency(const char* leva, Currency currency) {
  if (currency == Currency::Leva) return leva;
  return *LevaToEuro(leva, EuroRounding::General);
}

MoneyRules MakeRules(Currency currency) {
  const auto minimum = [currency](const char* leva) { return *ParseAmount(InCurrency(leva, currency)); };
  MoneyRules r;
  r.label = currency == Currency::Leva ? Cp(" лв.") : " EUR";
  r.minRequestedSum = minimum(kMinRequestedSum);
  r.minMinBalance = minimum(kMinMinBalance);
  r.minOverdraft = minimum(kMinOverdraft);
  r.minNetAmount = minimum(kMinNetAmount);
  r.defaultRequestedSum = InCurrency(kDefaultRequestedSum, currency);
  r.defaultMinBalance = InCurrency(kDefaultMinBalance, currency);
  return r;
}

// True from 1 January 2026 on.
bool IsEuroDay(const Date& date) { return date.year >= 2026; }

}  // namespace

const MoneyRules& RulesOf(Currency currency) {
  static const MoneyRules leva = MakeRules(Currency::Leva);
  static const MoneyRules euro = MakeRules(Currency::Euro);
  return currency == Currency::Leva ? leva : euro;
}

Status WriteEuroRecord(FileSystem& fs, const Date& day) {
  return files::ReplaceFile(fs, DataFile(kCurrencyRecord), "EUR\r\n" + FormatDate(day) + "\r\n");
}

CurrencyRecord ReadCurrencyRecord(FileSystem& fs) {
  CurrencyRecord record;
  const std::string path = DataFile(kCurrencyRecord);
  if (!fs.Exists(path)) return record;
  std::string content;
  if (Status read = files::ReadFile(fs, path, content); !read.ok()) {
    record.state = CurrencyRecord::State::Other;
    record.problem = read.message() + "\n" + Cp("Сумите в данните не се приемат за евро.");
    return record;
  }
  const std::string_view first = std::string_view(content).substr(0, content.find_first_of("\r\n"));
  if (first == "EUR") {
    record.state = CurrencyRecord::State::Euro;
    return record;
  }
  // What it holds instead, as far as it is text and not too long to show.
  std::string shown;
  for (const char c : first.substr(0, 40)) shown.push_back(static_cast<unsigned char>(c) < 0x20 ? ' ' : c);
  record.state = CurrencyRecord::State::Other;
  record.problem = Cp("Записът за валутата ") + files::ShownPath(files::FullPath(fs, path)) +
                   (content.empty() ? Cp(" е празен") : Cp(" съдържа „") + shown + Cp("“")) +
                   Cp(" вместо „EUR“. Сумите в данните не се приемат за евро.");
  return record;
}

Status RecordBeforeSave(FileSystem& fs, DataFolder& folder, const Date& today) {
  if (folder.currency != Currency::Euro || folder.recorded) return Status::Ok();
  if (Status written = WriteEuroRecord(fs, today); !written.ok()) return written;
  folder.recorded = true;
  return Status::Ok();
}

std::optional<std::string> LevaRefusal(Currency currency, const Date& day) {
  if (currency != Currency::Leva || !IsEuroDay(day)) return std::nullopt;
  return LevaRefusalMessage();
}

std::string LevaRefusalMessage() {
  return Cp(
      "Сумите в данните са в лева, а от 1 януари 2026 г. плащанията към банката са в евро. "
      "Превърнете сумите с командата „Превръщане в евро“ от менюто „Данни“.");
}

}  // namespace zel
