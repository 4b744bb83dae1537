#pragma once
// Leva into euro at the fixed rate of 1.95583 leva to the euro, in exact
// decimal arithmetic: an amount is taken as the decimal text it is, divided
// by the rate as the fraction 195583/100000, and rounded to the cent. No
// floating point takes part, so the result is the same on every machine.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

// "1.95583", as the program shows the rate.
inline constexpr std::string_view kEuroRate = "1.95583";

enum class EuroRounding {
  // To the nearest cent, half up on the third decimal (amounts in general).
  General,
  // To the cent, raised by one when the third decimal is above zero (pay).
  Pay,
};

// Digits, optionally a point and more digits: "802", "802.5", "802.123".
// No blanks, sign, exponent or other separator.
bool IsPlainDecimal(std::string_view text);

// The euro amount of a plain decimal amount in leva, with two decimals;
// nothing when the text is not a plain decimal.
std::optional<std::string> LevaToEuro(std::string_view leva, EuroRounding rounding);

// The exact sum of plain decimal amounts, however many and however long.
class DecimalSum {
public:
  // Adds a plain decimal amount; false (and nothing added) for another text.
  bool Add(std::string_view amount);
  // Adds an amount of whole cents, or another sum.
  void AddCents(std::uint64_t cents);
  void Add(const DecimalSum& other);
  // The sum with at least two decimals ("0.00" when nothing was added); more
  // only when an amount added had more.
  std::string Text() const;

private:
  void AddDigits(std::string_view whole, std::string_view fraction);
  // Moves the cents counted so far into the digits.
  void FlushCents();
  // Amounts of up to two decimals are summed in cents first, so that a sum
  // over every employee costs an addition each.
  std::uint64_t cents_ = 0;
  std::string digits_;  // least significant digit first, `scale_` of them decimals
  std::size_t scale_ = 2;
};

}  // namespace zel
