#include "shell/ui/EuroCommand.h"

#include "common/cp1251.h"
#include "common/ui/Services.h"
#include "shell/euro_conversion.h"
#include "shell/ui/TFEuroReport.h"

namespace zel::ui {

bool OfferEuroConversion(Services& services, QWidget* parent) {
  if (services.folder.currency != Currency::Leva) return false;
  // Asked every time, and "Отказ" is the default: a conversion is done on purpose.
  if (!services.messages.Ask(Cp("Превръщане в евро"), EuroQuestion(), Messages::Icon::Question,
                             Messages::Default::Cancel)) {
    return false;
  }
  const EuroConversionResult result = ConvertDataFolder(services.files, services.folder, services.clock.Today());
  if (!result.refusal.empty()) {
    services.messages.Show(result.refusal);
    return false;
  }
  if (!result.status.ok()) {
    services.messages.ReportError(result.status.message());
    return false;
  }
  services.messages.Show(EuroDoneMessage(result.reportPath));
  TFEuroReport report(services, result.report, parent);
  report.exec();
  return true;
}

}  // namespace zel::ui
