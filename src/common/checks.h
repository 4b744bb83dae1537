#pragma once
// Checks of what a user types or a bank file delivers. Pure functions: no
// messages, no side effects. Texts are code page 1251.

#include <cstddef>
#include <string>
#include <string_view>

namespace zel {

// An IBAN as the bank takes it: its electronic form of 22 characters.
inline constexpr std::size_t kIbanLength = 22;

bool IsDigits(std::string_view s);
// The separators of a 10-character date typed with any ("25/05/2006") made
// ".", as the date fields show and store it; other texts stay as they are.
void SetDateSeparators(std::string& date);
bool IsValidDate(std::string_view s);
bool IsCyrillic(std::string_view s);
bool HasWords(std::string_view s, int n, char sep);
bool IsAtLeast(std::string_view s, double minimum);
int AccountCheckDigit(std::string_view nineDigits);
bool IsValidAccount(std::string_view s);
int IbanRemainder(std::string_view s);
bool IsValidIban(std::string_view s);
// A valid IBAN of exactly kIbanLength characters.
bool IsBankIban(std::string_view s);
bool IsValidEgn(std::string_view s);
// Day, month and year of the EGN as "dd.mm.yyyy"; month digits 01-12 mean
// 19yy, 21-32 mean 18yy, 41-52 mean 20yy, anything else is copied as it
// stands (so the date check rejects it).
std::string BirthDateFromEgn(std::string_view egn);

}  // namespace zel
