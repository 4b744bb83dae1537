// Amount, date and IBAN texts come from users and from the bank's files: feed
// arbitrary bytes to their parsers and to the field routines, and check the
// few promises they make about their results.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/amount.h"
#include "common/checks.h"
#include "common/euro.h"
#include "common/text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int width = data[0];
  const int fieldNumber = data[1] % 40;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  if (const auto value = zel::ParseAmount(text)) {
    // What the formatter writes, the parser reads.
    Require(zel::ParseAmount(zel::FormatAmount(*value)).has_value());
  }

  // Leva into euro: a plain number converts by both rules, the pay rule at
  // most a cent above the general one, and the same whatever leading zeros
  // (which move a short amount onto the long arithmetic).
  const auto general = zel::LevaToEuro(text, zel::EuroRounding::General);
  const auto pay = zel::LevaToEuro(text, zel::EuroRounding::Pay);
  Require(general.has_value() == zel::IsPlainDecimal(text) && pay.has_value() == general.has_value());
  if (general) {
    Require(zel::IsPlainDecimal(*general) && general->size() >= 4 && (*general)[general->size() - 3] == '.');
    zel::DecimalSum cent;
    Require(cent.Add(*general) && cent.Add("0.01"));
    Require(*pay == *general || *pay == cent.Text());
    Require(zel::LevaToEuro("0000000000" + std::string(text), zel::EuroRounding::Pay) == pay);
  }

  (void)zel::IsValidDate(text);
  (void)zel::IsValidEgn(text);
  (void)zel::BirthDateFromEgn(text);
  (void)zel::IsValidIban(text);
  const int remainder = zel::IbanRemainder(text);
  Require(remainder >= 0 && remainder < 97);

  const char sep = static_cast<char>(data[0]);
  const std::string_view field = zel::NthFieldView(text, fieldNumber, sep);
  Require(field.size() <= text.size());
  Require(field.find(sep) == std::string::npos);
  Require(zel::MakeShortName(text).size() <= text.size() + 2);

  Require(zel::AlignRight(text, width).size() == static_cast<std::size_t>(width));
  Require(zel::AlignLeft(text, width).size() == static_cast<std::size_t>(width));
  Require(zel::MikToWin(zel::WinToMik(text)).size() == text.size());
  return 0;
}
