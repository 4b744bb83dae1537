#pragma once
// The register for a spreadsheet: every field of the employee dialog, in its
// order and under its labels, and whether the employee has left.

#include <string>

#include "personnel/register.h"

namespace zel {

// The file's bytes (see common/csv_writer.h). The amounts are the stored
// ones: an empty requested sum stays empty, where the dialog would propose
// its default.
std::string RegisterCsv(const Register& list);

}  // namespace zel
