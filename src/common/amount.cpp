#include "common/amount.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace zel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The pieces of a number that matched the grammar.
struct NumberText {
  bool negative = false;
  std::string_view body;  // digits, fraction and exponent, without the sign
  std::string_view integerDigits;
  std::string_view fractionDigits;
  bool exponentNegative = false;
  long long exponent = 0;  // saturated: only its order of magnitude matters
};

std::string_view Digits(std::string_view s, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < s.size() && IsDigit(s[pos])) ++pos;
  return s.substr(start, pos - start);
}

bool Match(std::string_view s, NumberText& n) {
  std::size_t pos = 0;
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    n.negative = s[pos] == '-';
    ++pos;
  }
  const std::size_t bodyStart = pos;
  n.integerDigits = Digits(s, pos);
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    n.fractionDigits = Digits(s, pos);
  }
  if (n.integerDigits.empty() && n.fractionDigits.empty()) return false;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
      n.exponentNegative = s[pos] == '-';
      ++pos;
    }
    const std::string_view e = Digits(s, pos);
    if (e.empty()) return false;
    for (char c : e) {
      if (n.exponent < 1'000'000'000) n.exponent = n.exponent * 10 + (c - '0');
    }
    if (n.exponentNegative) n.exponent = -n.exponent;
  }
  n.body = s.substr(bodyStart, pos - bodyStart);
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  return pos == s.size();
}

// True when the number is too small for a double rather than too large.
bool IsUnderflow(const NumberText& n) {
  // The decimal exponent of the first non-zero digit.
  long long magnitude = n.exponent;
  const auto lead = n.integerDigits.find_first_not_of('0');
  if (lead != std::string_view::npos) {
    magnitude += static_cast<long long>(n.integerDigits.size() - lead) - 1;
  } else {
    const auto first = n.fractionDigits.find_first_not_of('0');
    if (first == std::string_view::npos) return true;  // all zeros
    magnitude -= static_cast<long long>(first) + 1;
  }
  return magnitude < 0;
}

}  // namespace

bool IsPlainAmount(std::string_view text) {
  std::size_t pos = 0;
  if (Digits(text, pos).empty() || pos >= text.size() || text[pos] != '.') return false;
  ++pos;
  return Digits(text, pos).size() == 2 && pos == text.size();
}

std::optional<std::int64_t> ParseCents(std::string_view text) {
  constexpr std::size_t kMaxWholeDigits = 15;
  std::size_t pos = 0;
  const std::string_view whole = Digits(text, pos);
  if (whole.empty() || whole.size() > kMaxWholeDigits) return std::nullopt;
  std::string_view fraction;
  if (pos < text.size()) {
    if (text[pos] != '.') return std::nullopt;
    ++pos;
    fraction = Digits(text, pos);
    if (fraction.empty() || fraction.size() > 2 || pos != text.size()) return std::nullopt;
  }
  std::int64_t cents = 0;
  for (const char c : whole) cents = cents * 10 + (c - '0');
  for (std::size_t k = 0; k < 2; ++k) cents = cents * 10 + (k < fraction.size() ? fraction[k] - '0' : 0);
  return cents;
}

std::string FormatCents(std::int64_t cents) {
  const bool negative = cents < 0;
  // Through unsigned, so that the smallest value has a magnitude too.
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  const CentsText digits(magnitude);
  return negative ? "-" + std::string(digits.view()) : std::string(digits.view());
}

CentsText::CentsText(std::uint64_t cents) : first_(text_ + kSize) {
  // From the last digit: two decimals, the point, then at least one whole digit.
  for (int digit = 0; digit < 3 || cents != 0; ++digit) {
    if (digit == 2) *--first_ = '.';
    *--first_ = static_cast<char>('0' + cents % 10);
    cents /= 10;
  }
}

std::optional<double> ParseAmount(std::string_view text) {
  NumberText n;
  if (!Match(text, n)) return std::nullopt;
  double value = 0;
  const char* first = n.body.data();
  const char* last = first + n.body.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small to hold is zero; too large to hold is no number.
    if (!IsUnderflow(n)) return std::nullopt;
    value = 0;
  } else if (result.ec != std::errc() || result.ptr != last) {
    return std::nullopt;
  }
  return n.negative ? -value : value;
}

}  // namespace zel
