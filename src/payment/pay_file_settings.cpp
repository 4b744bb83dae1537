#include "payment/pay_file_settings.h"

#include <cstdio>

namespace zel {

namespace {
// One thread touches it: the dialog writes, the list reads.
PayFileSettings& Settings() {
  static PayFileSettings settings;
  return settings;
}

// "%2s": the part, filled with blanks on the left to two characters.
std::string Part2(std::string_view date, std::size_t pos) {
  std::string part(pos < date.size() ? date.substr(pos, 2) : std::string_view());
  return std::string(2 - part.size(), ' ') + part;
}
}  // namespace

const PayFileSettings& CurrentPayFileSettings() { return Settings(); }
void SetPayFileSettings(const PayFileSettings& settings) { Settings() = settings; }
void ResetPayFileSettings() { Settings() = PayFileSettings{}; }

std::string MakePayFileName(std::string_view payDate, int seqNo) {
  char digit[16];
  std::snprintf(digit, sizeof digit, "%1d", seqNo);
  return "O" + Part2(payDate, 0) + Part2(payDate, 3) + Part2(payDate, 8) + "p.dp" + digit;
}

}  // namespace zel
