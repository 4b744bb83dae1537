#pragma once
// The one-time conversion of the older version's data files, which knew no
// IBANs: the register employs.dat into employIB.dat and the payment list
// masspay.dat into masspIB.dat. It runs at start, before any window can open
// the register, in `folder` (a directory followed by its separator, or empty
// for the current directory); the older files are only ever read.

#include <string>

#include "common/currency.h"
#include "common/file_system.h"
#include "common/messages.h"

namespace zel {

// True (after telling the user) when employs.dat exists and employIB.dat or
// masspIB.dat does not.
bool NotIbanData(FileSystem& fs, const std::string& folder, Messages& messages);
// employs.dat into employIB.dat in the layout its size reveals, then
// masspay.dat into masspIB.dat; each file only when the older one exists and
// the new one does not. The older files hold leva: in a folder in euro
// (`currency`, as its record says) their amounts are converted as the
// folder's own were, and the user is told; a file with an amount that cannot
// be is not brought over, and the user is told why.
void ConvertIBANData(FileSystem& fs, const std::string& folder, Messages& messages, Currency currency = Currency::Leva);

}  // namespace zel
