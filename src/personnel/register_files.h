#pragma once
// The register file employIB.dat (one 339-byte EmployeeRecord after another),
// its backup employIB.bak, and the one-time conversion of the older
// employs.dat written before IBANs were kept.

#include "common/file_io.h"
#include "common/messages.h"
#include "common/status.h"
#include "personnel/register.h"

namespace zel {

// Appends every whole record of DataDir employIB.dat; a missing file adds nothing.
Status LoadRegister(Register& reg);
// Rewrites DataDir employIB.dat from the register, the previous file kept as
// employIB.bak. On failure the previous file stays as it was.
Status SaveRegister(const Register& reg, const files::WarningSink& warn);
void FreeRecords(Register& reg);

// True (after telling the user) when employs.dat exists and employIB.dat or
// masspIB.dat does not.
bool NotIbanData(Messages& messages);
// employs.dat into employIB.dat in the layout its size reveals, then
// masspay.dat into masspIB.dat.
void ConvertIBANData(Messages& messages);
// One layout each; nothing happens without employs.dat or when employIB.dat exists.
void ConvertRegisterV1(Messages& messages);
void ConvertRegisterV2(Messages& messages);

}  // namespace zel
