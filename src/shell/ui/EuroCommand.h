#pragma once
// "Превръщане в евро": asks, converts the data folder's amounts from leva
// into euro, names the report file and shows the report.

class QWidget;

namespace zel::ui {

struct Services;

// Only for a folder in leva. True when the amounts were converted (the
// folder is then in euro); false when the user declined, an amount had to
// be mended first, or a file failed (the user has been told).
bool OfferEuroConversion(Services& services, QWidget* parent);

}  // namespace zel::ui
