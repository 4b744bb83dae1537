#include "common/text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace zel {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::size_t Clamped(int n, std::size_t limit) {
  if (n <= 0) return 0;
  return static_cast<std::size_t>(n) < limit ? static_cast<std::size_t>(n) : limit;
}

// The digits of |x| * 10^decimals rounded to an integer: x is taken with its
// 18 significant decimal digits, and the first dropped digit decides the
// rounding (half away from zero), so 7.125 keeps its written 5.
std::string ScaledDigits(double magnitude, int decimals) {
  constexpr int kSignificant = 18;
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, kSignificant - 1);
  // "d.ddddddddddddddddde+XXX"
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  std::string digits;
  digits.reserve(kSignificant);
  std::size_t pos = 0;
  for (; pos < text.size() && text[pos] != 'e'; ++pos) {
    if (text[pos] != '.') digits.push_back(text[pos]);
  }
  int exponent = 0;
  if (pos + 1 < text.size()) {
    std::size_t start = pos + 1;
    if (text[start] == '+') ++start;
    std::from_chars(text.data() + start, text.data() + text.size(), exponent);
  }
  // Digit i weighs 10^(exponent - i); keep those down to 10^-decimals.
  const long long keep = static_cast<long long>(exponent) + decimals + 1;
  const auto total = static_cast<long long>(digits.size());
  if (keep >= total) return digits + std::string(static_cast<std::size_t>(keep - total), '0');
  if (keep < 0) return "0";
  const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
  std::string kept = keep == 0 ? std::string("0") : digits.substr(0, static_cast<std::size_t>(keep));
  if (roundUp) IncrementDigits(kept);
  return kept;
}
}  // namespace

void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

std::string WinToMik(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xC0) c = static_cast<char>(b - 0x40);
  }
  return out;
}

char MikToWin(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x80 && b <= 0xBF ? static_cast<char>(b + 0x40) : c;
}

std::string MikToWin(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = MikToWin(c);
  return out;
}

std::string AlignRight(std::string_view s, int width, char pad) {
  const std::string_view t = Trim(s);
  if (width > 0 && t.size() < static_cast<std::size_t>(width)) {
    return RepeatChar(width - static_cast<int>(t.size()), pad) + std::string(t);
  }
  return std::string(t.substr(t.size() - Clamped(width, t.size())));
}

std::string AlignLeft(std::string_view s, int width, char pad) {
  if (width > 0 && s.size() < static_cast<std::size_t>(width)) {
    return std::string(s) + RepeatChar(width - static_cast<int>(s.size()), pad);
  }
  return std::string(s.substr(0, Clamped(width, s.size())));
}

std::string RepeatChar(int n, char c) { return std::string(n > 0 ? static_cast<std::size_t>(n) : 0, c); }

std::string_view TrimLeft(std::string_view s) {
  std::size_t first = 0;
  while (first < s.size() && IsBlank(s[first])) ++first;
  return s.substr(first);
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  std::size_t end = s.size();
  while (end > 0 && IsBlank(s[end - 1])) --end;
  return s.substr(0, end);
}

std::string FormatAmount(double x) {
  if (std::isnan(x)) return "nan";
  if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
  constexpr std::size_t kDecimals = 2;
  std::string digits = ScaledDigits(std::fabs(x), static_cast<int>(kDecimals));
  if (digits.size() <= kDecimals) digits.insert(0, kDecimals + 1 - digits.size(), '0');
  // Built by appending: gcc 12 at -O3 reports a false -Wrestrict on operator+ here.
  std::string result = x < 0 ? "-" : "";
  result.append(digits, 0, digits.size() - kDecimals);
  result += '.';
  result.append(digits, digits.size() - kDecimals);
  // An amount that rounds to nothing shows no sign.
  if (result == "-0.00") result = "0.00";
  return result;
}

std::string ToUpperLatin(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = ToUpperLatin(c);
  return out;
}

std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto arg = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string_view NthFieldView(std::string_view s, int n, char sep) {
  std::string_view result;
  int counter = 1;
  for (int i = 0; i < n; ++i) {
    const std::size_t at = s.find(sep);
    if (at != std::string_view::npos) {
      result = s.substr(0, at);
      s.remove_prefix(at + 1);
    } else {
      result = s;
      s = {};
    }
    while (!s.empty() && s.front() == sep) s.remove_prefix(1);
    if (s.empty()) break;
    ++counter;
  }
  if (counter < n) return {};
  return result;
}

std::string MakeShortName(std::string_view name) {
  const std::string_view t = Trim(name);
  std::string result;
  for (int n = 1; n <= 2; ++n) {
    const std::string_view field = NthFieldView(t, n, ' ');
    if (!field.empty()) {
      result += field.front();
      result += '.';
    }
  }
  result += NthFieldView(t, 3, ' ');
  return result;
}

}  // namespace zel
