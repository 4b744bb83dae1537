#pragma once
// The currency of a data folder's amounts. Bulgaria pays in euro since
// 1 January 2026; a folder written before keeps its amounts in leva until
// the user converts them, and until then may send no amounts to the bank.

#include <optional>
#include <string>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/status.h"

namespace zel {

enum class Currency { Leva, Euro };

// What the amounts' currency decides: the label after an amount, and the
// checks' minimums and the employee dialog's defaults (the euro ones are the
// leva ones converted to the nearest cent, so an amount that passed a check
// in leva passes it once converted).
struct MoneyRules {
  std::string label;  // " лв." or " EUR", code page 1251
  double minRequestedSum = 0;
  double minMinBalance = 0;
  double minOverdraft = 0;
  double minNetAmount = 0;
  std::string defaultRequestedSum;
  std::string defaultMinBalance;
};
const MoneyRules& RulesOf(Currency currency);

// The data folder the program works in, as the start-up found it.
struct DataFolder {
  Currency currency = Currency::Euro;
  // Whether the folder's currency record exists; a new folder gets it
  // before its first data file is saved.
  bool recorded = false;
};

// The record of a folder in euro, written whole or not at all.
Status WriteEuroRecord(FileSystem& fs, const Date& day);

// What the folder's currency record holds: only one whose first line is
// "EUR" says euro.
struct CurrencyRecord {
  enum class State { Missing, Euro, Other } state = State::Missing;
  // For Other: the message that names the file and what it holds.
  std::string problem;
};
CurrencyRecord ReadCurrencyRecord(FileSystem& fs);
// Before a data file is saved: a folder in euro that has no record yet gets
// it first, so that a folder holding data in euro always says so.
Status RecordBeforeSave(FileSystem& fs, DataFolder& folder, const Date& today);

// The one message with which a leva folder refuses to send amounts to the
// bank on or after that day, or nothing when the amounts may go.
std::optional<std::string> LevaRefusal(Currency currency, const Date& day);
// That message, for what takes amounts in euro alone whatever the day.
std::string LevaRefusalMessage();

}  // namespace zel
