#include "common/checks.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/amount.h"
#include "common/text.h"

namespace zel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int DigitValue(char c) { return c - '0'; }

// The number written by two digits at pos, or -1.
int TwoDigits(std::string_view s, std::size_t pos) {
  if (pos + 2 > s.size() || !IsDigit(s[pos]) || !IsDigit(s[pos + 1])) return -1;
  return DigitValue(s[pos]) * 10 + DigitValue(s[pos + 1]);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[static_cast<std::size_t>(month - 1)];
}

// The two-digit value of an upper-case Latin letter in an IBAN: A = 10 ... Z = 35.
int IbanLetterValue(char c) { return c - 'A' + 10; }

std::string TwoDigitText(int n) { return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

}  // namespace

bool IsDigits(std::string_view s) {
  for (char c : s) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

void SetDateSeparators(std::string& date) {
  if (date.size() == 10) date[2] = date[5] = '.';
}

bool IsValidDate(std::string_view s) {
  if (s.size() != 10) return false;
  const int day = TwoDigits(s, 0);
  const int month = TwoDigits(s, 3);
  const int century = TwoDigits(s, 6);
  const int yy = TwoDigits(s, 8);
  if (day < 0 || month < 0 || century < 0 || yy < 0) return false;
  const int year = century * 100 + yy;
  if (year < 1 || month < 1 || month > 12) return false;
  return day >= 1 && day <= DaysInMonth(year, month);
}

bool IsCyrillic(std::string_view s) {
  for (char c : s) {
    if (c != ' ' && static_cast<unsigned char>(c) < 0xC0) return false;
  }
  return true;
}

bool HasWords(std::string_view s, int n, char sep) {
  if (!IsCyrillic(s)) return false;
  long long count = 0;
  for (char c : Trim(s)) {
    if (c == sep) ++count;
  }
  return count >= static_cast<long long>(n) - 1;
}

bool IsAtLeast(std::string_view s, double minimum) {
  const auto value = ParseAmount(s);
  return value.has_value() && *value >= minimum;
}

int AccountCheckDigit(std::string_view nineDigits) {
  static constexpr std::array<int, 9> kWeights{2, 4, 8, 5, 10, 9, 7, 3, 6};
  if (nineDigits.size() < kWeights.size()) return -1;
  int sum = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) {
    if (!IsDigit(nineDigits[i])) return -1;
    sum += kWeights[i] * DigitValue(nineDigits[i]);
  }
  const int r = sum % 11;
  return r == 10 ? 0 : r;
}

bool IsValidAccount(std::string_view s) {
  if (s.size() != 10 || !IsDigits(s)) return false;
  return AccountCheckDigit(s.substr(0, 9)) == DigitValue(s[9]);
}

// The text in capitals, its first "IBAN" left out and its first four
// characters moved to its end, each letter written as two digits (A = 10 ...
// Z = 35): the remainder of that number divided by 97, taken digit by digit
// without building the text; 0 when a character is neither a digit nor a
// Latin letter, or there is none.
int IbanRemainder(std::string_view s) {
  std::size_t at = std::string_view::npos;  // where "IBAN" starts, in any case
  for (std::size_t i = 0; i + 4 <= s.size(); ++i) {
    if (ToUpperLatin(s[i]) == 'I' && ToUpperLatin(s[i + 1]) == 'B' && ToUpperLatin(s[i + 2]) == 'A' &&
        ToUpperLatin(s[i + 3]) == 'N') {
      at = i;
      break;
    }
  }
  const std::size_t length = at == std::string_view::npos ? s.size() : s.size() - 4;
  if (length == 0) return 0;
  const std::size_t head = length < 4 ? length : 4;
  int r = 0;
  for (std::size_t k = 0; k < length; ++k) {
    const std::size_t j = (k + head) % length;  // the rotated order
    const char c = ToUpperLatin(s[at != std::string_view::npos && j >= at ? j + 4 : j]);
    if (c >= 'A' && c <= 'Z') {
      r = (r * 100 + IbanLetterValue(c)) % 97;
    } else if (IsDigit(c)) {
      r = (r * 10 + DigitValue(c)) % 97;
    } else {
      return 0;
    }
  }
  return r;
}

bool IsValidIban(std::string_view s) {
  if (s.find(' ') == std::string_view::npos) return IbanRemainder(s) == 1;
  std::string compact;
  compact.reserve(s.size());
  for (char c : s) {
    if (c != ' ') compact += c;
  }
  return IbanRemainder(compact) == 1;
}

namespace {

constexpr std::uint64_t PowerOf10Mod97(int n) { return n == 0 ? 1 : PowerOf10Mod97(n - 1) * 10 % 97; }

// The remainder of a 22-character IBAN laid out as the Bulgarian ones are:
// two letters, two digits, the four letters of the bank, fourteen digits
// (letters in either case, no "IB" among them); -1 for any other. Without
// a division per character: the import of amounts checks every line it
// changes.
int RemainderOfUsualLayout(std::string_view s) {
  const auto letter = [](char c) { return ((static_cast<unsigned char>(c) | 0x20u) - 'a') + 10u; };  // 10..35
  const auto digit = [](char c) { return static_cast<unsigned char>(c) - unsigned{'0'}; };           // 0..9
  const unsigned country = letter(s[0]) * 100 + letter(s[1]);
  const unsigned check = digit(s[2]) * 10 + digit(s[3]);
  const std::array<unsigned, 4> bank = {letter(s[4]), letter(s[5]), letter(s[6]), letter(s[7])};
  bool usual = letter(s[0]) - 10 < 26 && letter(s[1]) - 10 < 26 && digit(s[2]) < 10 && digit(s[3]) < 10;
  for (const unsigned l : bank) usual &= l - 10 < 26;
  // "IB" would make the word "IBAN", which the long way takes out.
  constexpr unsigned kI = 'I' - 'A' + 10, kB = 'B' - 'A' + 10;
  usual &= !(letter(s[0]) == kI && letter(s[1]) == kB);
  for (std::size_t k = 0; k + 1 < bank.size(); ++k) usual &= !(bank[k] == kI && bank[k + 1] == kB);
  // The fourteen digits in two numbers of seven, worked side by side.
  std::uint64_t high = 0, low = 0;
  for (std::size_t k = 0; k < 7; ++k) {
    usual &= digit(s[8 + k]) < 10 && digit(s[15 + k]) < 10;
    high = high * 10 + digit(s[8 + k]);
    low = low * 10 + digit(s[15 + k]);
  }
  if (!usual) return -1;
  // The characters with the first four moved to the end: the bank's eight
  // digits, the fourteen, the country's four digits and the check's two.
  const std::uint64_t bankValue = ((bank[0] * 100ull + bank[1]) * 100 + bank[2]) * 100 + bank[3];
  const std::uint64_t digits = (high % 97 * PowerOf10Mod97(7) + low) % 97;
  return static_cast<int>((bankValue % 97 * PowerOf10Mod97(20) + digits * PowerOf10Mod97(6) + country * 100 + check) %
                          97);
}

}  // namespace

bool IsBankIban(std::string_view s) {
  if (s.size() != kIbanLength) return false;
  if (const int r = RemainderOfUsualLayout(s); r >= 0) return r == 1;
  // The usual IBAN (letters and digits, no blank, no word "IBAN" in it) in
  // one pass that takes the remainder once for many digits: the import of
  // amounts checks every line it changes. Any other text goes the long way.
  for (std::size_t i = 0; i + 4 <= s.size(); ++i) {
    if (ToUpperLatin(s[i]) == 'I' && ToUpperLatin(s[i + 1]) == 'B') return IsValidIban(s);
  }
  std::uint64_t r = 0;
  for (std::size_t k = 0; k < s.size(); ++k) {
    const char c = ToUpperLatin(s[(k + 4) % kIbanLength]);
    if (c >= 'A' && c <= 'Z') {
      r = r * 100 + static_cast<std::uint64_t>(IbanLetterValue(c));
    } else if (IsDigit(c)) {
      r = r * 10 + static_cast<std::uint64_t>(DigitValue(c));
    } else {
      return IsValidIban(s);
    }
    if (r >= 1'000'000'000'000'000u) r %= 97;
  }
  return r % 97 == 1;
}

bool IsValidEgn(std::string_view s) { return s.size() == 10 && IsDigits(s); }

std::string BirthDateFromEgn(std::string_view egn) {
  const std::string_view yy = egn.substr(0, 2);
  const std::string_view mm = egn.size() > 2 ? egn.substr(2, 2) : std::string_view();
  const std::string_view dd = egn.size() > 4 ? egn.substr(4, 2) : std::string_view();
  std::string century = "19";
  std::string month(mm);
  // The month digits also carry the century of the birth.
  const int m = TwoDigits(egn, 2);
  if (m >= 21 && m <= 32) {
    century = "18";
    month = TwoDigitText(m - 20);
  } else if (m >= 41 && m <= 52) {
    century = "20";
    month = TwoDigitText(m - 40);
  }
  return std::string(dd) + "." + month + "." + century + std::string(yy);
}

}  // namespace zel
