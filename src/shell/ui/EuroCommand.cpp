#include "shell/ui/EuroCommand.h"

#include "common/cp1251.h"
#include "common/ui/Services.h"
#include "shell/euro_conversion.h"
#include "shell/ui/TFEuroReport.h"

namespace zel::ui {

bool OfferEuroConversion(Services& services, QWidget* parent) {
  if (services.folder.currency != Currency::Leva) return false;
  const std::string caption = Cp("Превръщане в евро");
  EuroOffer offer = OfferFor(services.files, services.folder, services.clock.Today());
  switch (offer.kind) {
    case EuroOffer::Kind::None: return false;
    case EuroOffer::Kind::Refused: services.messages.Show(offer.text); return false;
    case EuroOffer::Kind::Failed: services.messages.ReportError(offer.status.message()); return false;
    case EuroOffer::Kind::RestoreRecord: {
      if (!services.messages.Ask(caption, offer.text, Messages::Icon::Question, Messages::Default::Cancel)) {
        return false;
      }
      const Status restored = RestoreEuroRecord(services.files, services.folder, services.clock.Today());
      if (!restored.ok()) services.messages.ReportError(restored.message());
      return restored.ok();
    }
    case EuroOffer::Kind::Convert: break;
  }
  // Asked every time, and "Отказ" is the default: a conversion is done on purpose.
  if (!services.messages.Ask(caption, offer.text, Messages::Icon::Question, Messages::Default::Cancel)) return false;
  const EuroConversionResult result =
      CarryOutConversion(services.files, services.folder, std::move(offer.plan), services.clock.Today());
  if (!result.refusal.empty()) {
    services.messages.Show(result.refusal);
    return false;
  }
  if (!result.status.ok()) {
    // The failure, and the state the folder is left in.
    services.messages.ReportError(result.status.message() + "\n\n" + EuroFailedMessage(services.folder));
    if (services.folder.currency != Currency::Euro) return false;
  }
  services.messages.Show(EuroDoneMessage(result.reportPath));
  TFEuroReport report(services, result.report, parent);
  report.exec();
  return true;
}

}  // namespace zel::ui
