#pragma once
// The names of the program's own data files in the data directory. The
// register file is the hand-over between the personnel list and the mass
// payment list, so both subsystems and the start-up know these names.

namespace zel {

inline constexpr const char* kRegisterFile = "employIB.dat";
inline constexpr const char* kRegisterBackup = "employIB.bak";
inline constexpr const char* kPaymentListFile = "masspIB.dat";
inline constexpr const char* kPaymentListBackup = "masspIB.bak";
// "EUR" and the day the folder went over to the euro; a folder with data
// files and without this record keeps its amounts in leva.
inline constexpr const char* kCurrencyRecord = "valuta.dat";

}  // namespace zel
