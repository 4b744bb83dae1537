#include "shell/startup_rules.h"

#include "common/text.h"

namespace zel {

bool IsFloppyDirectory(std::string_view currentDirectory) {
  if (currentDirectory.size() < 2 || currentDirectory[1] != ':') return false;
  const char drive = ToUpperLatin(currentDirectory[0]);
  return drive == 'A' || drive == 'B';
}

CommandStates CommandStatesFor(bool childOpen, ChildKind openChild, Currency currency) {
  CommandStates states;
  states.openPersonnel = !childOpen;
  states.openPayment = !childOpen;
  states.writeFile = childOpen;
  states.readBankFiles = childOpen && openChild == ChildKind::Personnel;
  states.convertToEuro = !childOpen && currency == Currency::Leva;
  return states;
}

}  // namespace zel
