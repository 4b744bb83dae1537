#pragma once
// The register file employIB.dat (one 339-byte EmployeeRecord after another)
// and its backup employIB.bak, in the data directory.

#include "common/file_io.h"
#include "common/file_system.h"
#include "common/status.h"
#include "personnel/register.h"

namespace zel {

// Appends every whole record of DataDir employIB.dat; a missing file adds
// nothing, a trailing partial record is ignored.
Status LoadRegister(FileSystem& fs, Register& reg);
// Rewrites DataDir employIB.dat from the register, the previous file kept as
// employIB.bak. On failure the previous file stays as it was.
Status SaveRegister(FileSystem& fs, const Register& reg, const files::WarningSink& warn);
void FreeRecords(Register& reg);

}  // namespace zel
