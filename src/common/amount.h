#pragma once
// The one number parser of the program: "." is the decimal point whatever the
// locale. Grammar: optional blanks, optional sign, digits with an optional
// fraction (at least one digit in all), an optional exponent, optional blanks.
// "nan", "inf", hexadecimal numbers, thousands separators and a decimal comma
// are not numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

std::optional<double> ParseAmount(std::string_view text);

// Whether the text is an amount as the program itself stores one: digits, a
// point and two decimals, nothing else (no blanks, sign or exponent).
bool IsPlainAmount(std::string_view text);

// The whole cents of a plain decimal amount: digits, optionally a point and
// one or two decimals ("7", "7.5", "1234.50"); nothing for any other text
// (blanks, a sign, a third decimal, more than 15 digits before the point).
// Sums of amounts are counted in these, never in floating point.
std::optional<std::int64_t> ParseCents(std::string_view text);
// Cents as an amount with a point and two decimals: 123450 -> "1234.50".
std::string FormatCents(std::int64_t cents);

// The same text of whole cents, made in place without an allocation (the
// files write one for every payment): 5 -> "0.05", 123450 -> "1234.50".
class CentsText {
public:
  explicit CentsText(std::uint64_t cents);
  std::string_view view() const { return std::string_view(first_, static_cast<std::size_t>(text_ + kSize - first_)); }

private:
  static constexpr std::size_t kSize = 24;
  char text_[kSize];
  char* first_;
};

}  // namespace zel
