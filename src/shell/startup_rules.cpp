#include "shell/startup_rules.h"

#include "common/text.h"

namespace zel {

bool IsFloppyDirectory(std::string_view currentDirectory) {
  if (currentDirectory.size() < 2 || currentDirectory[1] != ':') return false;
  const char drive = ToUpperLatin(currentDirectory[0]);
  return drive == 'A' || drive == 'B';
}

CommandStates CommandStatesFor(ChildKind openChild, Currency currency) {
  const bool empty = openChild == ChildKind::None;
  return {.openPersonnel = empty,
          .openPayment = empty,
          .writeFile = !empty,
          .readBankFiles = openChild == ChildKind::Personnel,
          .convertToEuro = empty && currency == Currency::Leva,
          .writeSepa = openChild == ChildKind::Payment,
          .importAmounts = openChild == ChildKind::Payment,
          .exportCsv = !empty};
}

}  // namespace zel
