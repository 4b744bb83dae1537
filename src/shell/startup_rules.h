#pragma once
// The rules of the start-up and of the main window's commands, kept apart
// from the window so that they are checked without one.

#include <string_view>

#include "common/currency.h"

namespace zel {

// True when the directory text lies on drive A: or B:, in any letter case.
bool IsFloppyDirectory(std::string_view currentDirectory);

// The child window the main window holds: none, the personnel list or the
// mass payment list.
enum class ChildKind { None, Personnel, Payment };

// Which commands of the main window are enabled; firmData, FileExitItem and
// HelpAboutItem are enabled in every state.
struct CommandStates {
  bool openPersonnel = true;   // ToolButton1, FileOpenItem
  bool openPayment = true;     // ToolButton3, FileSaveItem
  bool writeFile = false;      // ToolButton2, FileSaveAsItem
  bool readBankFiles = false;  // FileRead, AccFileRead, IBAN1
  bool convertToEuro = false;  // EuroItem: only with no list open, in a folder in leva
  bool writeSepa = false;      // SepaItem: the mass payment list alone
  bool importAmounts = false;  // ImportItem: the mass payment list alone
  bool exportCsv = false;      // ExportItem: either list

  friend bool operator==(const CommandStates&, const CommandStates&) = default;
};

// The states while `openChild` is the child in the frame and the data
// folder's amounts are in `currency`: the bank file readers need the
// personnel list itself.
CommandStates CommandStatesFor(ChildKind openChild, Currency currency);

}  // namespace zel
