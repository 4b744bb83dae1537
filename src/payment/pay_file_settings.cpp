#include "payment/pay_file_settings.h"

#include <cstdio>

namespace zel {

namespace {
// "%2s": the part, filled with blanks on the left to two characters.
std::string Part2(std::string_view date, std::size_t pos) {
  std::string part(pos < date.size() ? date.substr(pos, 2) : std::string_view());
  return std::string(2 - part.size(), ' ') + part;
}
}  // namespace

std::string MakePayFileName(std::string_view payDate, int seqNo) {
  char digit[16];
  std::snprintf(digit, sizeof digit, "%1d", seqNo);
  return "O" + Part2(payDate, 0) + Part2(payDate, 3) + Part2(payDate, 8) + "p.dp" + digit;
}

}  // namespace zel
