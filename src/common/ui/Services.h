#pragma once
// The seams every window works through, handed to it at creation so that a
// test gives fakes where the program gives the Qt realisations.

#include "common/clock.h"
#include "common/currency.h"
#include "common/file_system.h"
#include "common/messages.h"
#include "common/print_surface.h"
#include "common/settings_store.h"
#include "common/ui/Dialogs.h"

namespace zel::ui {

struct Services {
  Messages& messages;
  SettingsStore& settings;
  Printer& printer;  // the print dialog all printouts share
  Clock& clock;
  Dialogs& dialogs;
  FileSystem& files;
  DataFolder& folder;  // the data folder's currency, which a conversion changes
};

}  // namespace zel::ui
