#pragma once
// The data directory and the names of the program's own data files in it.
// The register file is the hand-over between the personnel list and the
// mass payment list, so both subsystems and the start-up know these names.

#include <string>
#include <string_view>

namespace zel {

// The current directory at start followed by the separator; empty until the
// start-up records it. A module value because the program has one data
// directory for its whole run, set once.
const std::string& DataDir();
void SetDataDir(const std::string& directory);
// DataDir() followed by the bare file name.
std::string DataFile(std::string_view name);

inline constexpr const char* kRegisterFile = "employIB.dat";
inline constexpr const char* kRegisterBackup = "employIB.bak";
inline constexpr const char* kPaymentListFile = "masspIB.dat";
inline constexpr const char* kPaymentListBackup = "masspIB.bak";
// "EUR" and the day the folder went over to the euro; a folder with data
// files and without this record keeps its amounts in leva.
inline constexpr const char* kCurrencyRecord = "valuta.dat";

}  // namespace zel
