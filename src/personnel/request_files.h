#pragma once
// The request files the bank imports: account opening for the employees who
// have no account yet, overdraft for those with an overdraft amount. Blocks of
// "key == value" lines between "ADDO == <form>" and "ENDM", in the DOS code
// page MIK, each line ended by CR LF.

#include <string>

#include "common/file_system.h"
#include "common/messages.h"
#include "common/settings_store.h"
#include "common/status.h"
#include "personnel/register.h"

namespace zel {

enum class RequestType { AccountOpening, Overdraft };

// One block per employee who has not left and has an empty Account. Without a
// company name or a bank code in the settings store, says so through
// `messages` and creates no file (the result is then Ok: nothing failed that
// the user has not been told). The file is replaced as a whole, so a failure
// never leaves a half-written request behind; the failure carries the full
// path and the system's description.
Status WriteAccountOpeningRequests(FileSystem& fs, const Register& reg, SettingsStore& settings, Messages& messages,
                                   const std::string& fileName);

// One block per employee who has not left, has an IBAN and an overdraft of at
// least the register's currency's minimum (1 leva). The company's IBAN may be
// missing; it is then written empty.
Status WriteOverdraftRequests(FileSystem& fs, const Register& reg, SettingsStore& settings,
                              const std::string& fileName);

// The writer of the chosen request type.
Status WriteRequestFileOfType(FileSystem& fs, RequestType type, const Register& reg, SettingsStore& settings,
                              Messages& messages, const std::string& fileName);

}  // namespace zel
