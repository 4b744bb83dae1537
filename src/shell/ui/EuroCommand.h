#pragma once
// "Превръщане в евро": asks, showing what will change, converts the data
// folder's amounts from leva into euro, names the report file and shows the
// report. A folder converted before whose record is lost is asked whether to
// write the record again instead; one with a conversion under way is refused.

class QWidget;

namespace zel::ui {

struct Services;

// Only for a folder in leva. True when the folder is in euro now (converted,
// or its record restored); false when the user declined, an amount had to be
// mended first, or a file failed (the user has been told, and of the state
// the folder is in).
bool OfferEuroConversion(Services& services, QWidget* parent);

}  // namespace zel::ui
