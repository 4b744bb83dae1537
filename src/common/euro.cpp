#include "common/euro.h"

#include <algorithm>
#include <cstdint>

namespace zel {

namespace {

constexpr std::uint32_t kRateDigits = 195583;  // the rate times 100000
// Leva times 10^8 over 195583 gives thousandths of a euro: 10^5 for the
// rate's decimals and 10^3 for the thousandths.
constexpr std::size_t kScaleOfThousandths = 8;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Plain {
  std::string digits;  // every digit of the text, the decimals included
  std::size_t scale = 0;
};

std::optional<Plain> SplitPlain(std::string_view text) {
  if (!IsPlainDecimal(text)) return std::nullopt;
  Plain p;
  const std::size_t point = text.find('.');
  p.digits = std::string(text.substr(0, point));
  if (point != std::string_view::npos) {
    p.digits += text.substr(point + 1);
    p.scale = text.size() - point - 1;
  }
  return p;
}

// The quotient of a decimal digit text by a small divisor, rounded down; no
// leading zeros ("0" for zero).
std::string DivideDown(std::string_view digits, std::uint32_t divisor) {
  std::string quotient;
  quotient.reserve(digits.size());
  std::uint64_t remainder = 0;
  for (const char c : digits) {
    remainder = remainder * 10 + static_cast<std::uint64_t>(c - '0');
    const auto q = static_cast<char>('0' + remainder / divisor);
    if (!quotient.empty() || q != '0') quotient += q;
    remainder %= divisor;
  }
  return quotient.empty() ? "0" : quotient;
}

// Adds one to a decimal digit text.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Cents as an amount text with two decimals: "41006" -> "410.06", "5" -> "0.05".
std::string CentsText(std::string cents) {
  if (cents.size() < 3) cents.insert(0, 3 - cents.size(), '0');
  cents.insert(cents.size() - 2, 1, '.');
  return cents;
}

}  // namespace

bool IsPlainDecimal(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  if (pos == 0) return false;
  if (pos == text.size()) return true;
  if (text[pos] != '.' || pos + 1 == text.size()) return false;
  for (++pos; pos < text.size(); ++pos) {
    if (!IsDigit(text[pos])) return false;
  }
  return true;
}

std::optional<std::string> LevaToEuro(std::string_view leva, EuroRounding rounding) {
  const std::optional<Plain> amount = SplitPlain(leva);
  if (!amount) return std::nullopt;
  // The amount in units of 10^-8 leva, rounded down: more decimals than
  // eight cannot move the thousandths of a euro, which is all the rounding reads.
  std::string scaled = amount->digits;
  if (amount->scale <= kScaleOfThousandths) {
    scaled.append(kScaleOfThousandths - amount->scale, '0');
  } else {
    scaled.resize(scaled.size() - (amount->scale - kScaleOfThousandths));
    if (scaled.empty()) scaled = "0";
  }
  std::string thousandths = DivideDown(scaled, kRateDigits);
  const char third = thousandths.back();
  std::string cents = thousandths.size() > 1 ? thousandths.substr(0, thousandths.size() - 1) : "0";
  const bool up = rounding == EuroRounding::General ? third >= '5' : third > '0';
  if (up) Increment(cents);
  return CentsText(std::move(cents));
}

bool DecimalSum::Add(std::string_view amount) {
  const std::optional<Plain> plain = SplitPlain(amount);
  if (!plain) return false;
  std::string addend(plain->digits.rbegin(), plain->digits.rend());
  if (plain->scale > scale_) {
    digits_.insert(0, plain->scale - scale_, '0');
    scale_ = plain->scale;
  } else {
    addend.insert(0, scale_ - plain->scale, '0');
  }
  if (digits_.size() < addend.size()) digits_.resize(addend.size(), '0');
  int carry = 0;
  for (std::size_t i = 0; i < digits_.size(); ++i) {
    const int sum = (digits_[i] - '0') + (i < addend.size() ? addend[i] - '0' : 0) + carry;
    digits_[i] = static_cast<char>('0' + sum % 10);
    carry = sum / 10;
    if (i >= addend.size() && carry == 0) break;
  }
  if (carry != 0) digits_ += '1';
  return true;
}

std::string DecimalSum::Text() const {
  std::string digits(digits_.rbegin(), digits_.rend());
  if (digits.size() <= scale_) digits.insert(0, scale_ + 1 - digits.size(), '0');
  std::string text = digits.substr(0, digits.size() - scale_);
  const std::size_t lead = std::min(text.find_first_not_of('0'), text.size() - 1);
  return text.substr(lead) + '.' + digits.substr(digits.size() - scale_);
}

}  // namespace zel
