#pragma once
// The one number parser of the program: "." is the decimal point whatever the
// locale. Grammar: optional blanks, optional sign, digits with an optional
// fraction (at least one digit in all), an optional exponent, optional blanks.
// "nan", "inf", hexadecimal numbers, thousands separators and a decimal comma
// are not numbers.

#include <optional>
#include <string_view>

namespace zel {

std::optional<double> ParseAmount(std::string_view text);

// Whether the text is an amount as the program itself stores one: digits, a
// point and two decimals, nothing else (no blanks, sign or exponent).
bool IsPlainAmount(std::string_view text);

}  // namespace zel
