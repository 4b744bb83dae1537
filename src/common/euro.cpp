#include "common/euro.h"

#include <algorithm>
#include <cstdint>

#include "common/amount.h"
#include "common/text.h"

namespace zel {

namespace {

constexpr std::uint32_t kRateDigits = 195583;  // the rate times 100000
// Leva times 10^8 over 195583 gives thousandths of a euro: 10^5 for the
// rate's decimals and 10^3 for the thousandths.
constexpr std::size_t kScaleOfThousandths = 8;
// Ten digits before the point and eight after stay below 2^64.
constexpr std::size_t kSmallWholeDigits = 10;

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

// Cents as an amount text with two decimals, however many digits they have:
// "41006" -> "410.06", "5" -> "0.05".
std::string PointBeforeCents(std::string cents) {
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

namespace {

// The euro cents of an amount whose digits, scaled to 10^-8 leva, fit 64 bits
// (every amount of up to ten digits before the point): the same arithmetic
// as below, in one machine word.
std::optional<std::string> SmallLevaToEuro(std::string_view leva, EuroRounding rounding) {
  std::uint64_t scaled = 0;
  std::size_t scale = 0;
  bool fraction = false;
  for (const char c : leva) {
    if (c == '.') {
      fraction = true;
      continue;
    }
    if (fraction && scale == kScaleOfThousandths) break;  // further decimals cannot reach the thousandths
    scaled = scaled * 10 + static_cast<std::uint64_t>(c - '0');
    scale += fraction ? 1 : 0;
  }
  for (; scale < kScaleOfThousandths; ++scale) scaled *= 10;
  const std::uint64_t thousandths = scaled / kRateDigits;
  const std::uint64_t third = thousandths % 10;
  const std::uint64_t cents = thousandths / 10 + ((rounding == EuroRounding::General ? third >= 5 : third > 0) ? 1 : 0);
  return std::string(CentsText(cents).view());
}

}  // namespace

std::optional<std::string> LevaToEuro(std::string_view leva, EuroRounding rounding) {
  if (!IsPlainDecimal(leva)) return std::nullopt;
  const std::size_t point = leva.find('.');
  const std::size_t whole = point == std::string_view::npos ? leva.size() : point;
  if (whole <= kSmallWholeDigits) return SmallLevaToEuro(leva, rounding);
  const std::optional<Plain> amount = SplitPlain(leva);
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
  if (up) IncrementDigits(cents);
  return PointBeforeCents(std::move(cents));
}

bool DecimalSum::Add(std::string_view amount) {
  if (!IsPlainDecimal(amount)) return false;
  const std::size_t point = amount.find('.');
  const std::string_view whole = amount.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : amount.substr(point + 1);
  if (fraction.size() > 2 || whole.size() > 12) {
    AddDigits(whole, fraction);
    return true;
  }
  std::uint64_t cents = 0;
  for (const char c : whole) cents = cents * 10 + static_cast<std::uint64_t>(c - '0');
  for (std::size_t k = 0; k < 2; ++k)
    cents = cents * 10 + (k < fraction.size() ? static_cast<std::uint64_t>(fraction[k] - '0') : 0);
  AddCents(cents);
  return true;
}

void DecimalSum::AddCents(std::uint64_t cents) {
  // Far below 2^64 less one amount of up to twelve whole digits, or of the
  // cents of another sum, which are below this too.
  constexpr std::uint64_t kFlushAt = 1'000'000'000'000'000'000u;
  cents_ += cents;
  if (cents_ >= kFlushAt) FlushCents();
}

void DecimalSum::Add(const DecimalSum& other) {
  AddCents(other.cents_);
  if (other.digits_.empty()) return;
  const std::string digits(other.digits_.rbegin(), other.digits_.rend());
  AddDigits(std::string_view(digits).substr(0, digits.size() - other.scale_),
            std::string_view(digits).substr(digits.size() - other.scale_));
}

void DecimalSum::FlushCents() {
  if (cents_ == 0) return;
  const CentsText text(cents_);
  const std::string_view digits = text.view();
  cents_ = 0;
  AddDigits(digits.substr(0, digits.size() - 3), digits.substr(digits.size() - 2));
}

void DecimalSum::AddDigits(std::string_view whole, std::string_view fraction) {
  if (fraction.size() > scale_) {
    digits_.insert(0, fraction.size() - scale_, '0');
    scale_ = fraction.size();
  }
  if (digits_.size() < scale_ + whole.size()) digits_.resize(scale_ + whole.size(), '0');
  // Digit by digit from the last, least significant first, as the sum keeps them.
  std::size_t at = scale_ - fraction.size();
  int carry = 0;
  const auto add = [&](int digit) {
    if (at == digits_.size()) digits_ += '0';
    const int sum = (digits_[at] - '0') + digit + carry;
    digits_[at++] = static_cast<char>('0' + sum % 10);
    carry = sum / 10;
  };
  for (auto c = fraction.rbegin(); c != fraction.rend(); ++c) add(*c - '0');
  for (auto c = whole.rbegin(); c != whole.rend(); ++c) add(*c - '0');
  while (carry != 0) add(0);
}

std::string DecimalSum::Text() const {
  DecimalSum all = *this;
  all.FlushCents();
  std::string digits(all.digits_.rbegin(), all.digits_.rend());
  const std::size_t scale = all.scale_;
  if (digits.size() <= scale) digits.insert(0, scale + 1 - digits.size(), '0');
  std::string text = digits.substr(0, digits.size() - scale);
  const std::size_t lead = std::min(text.find_first_not_of('0'), text.size() - 1);
  return text.substr(lead) + '.' + digits.substr(digits.size() - scale);
}

}  // namespace zel
