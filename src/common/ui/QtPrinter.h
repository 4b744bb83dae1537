#pragma once
// The print dialog and the printer's drawing surface for the printouts.

#include <memory>

#include "common/print_surface.h"

class QPrinter;
class QWidget;

namespace zel::ui {

class Dialogs;

class QtPrinter : public Printer {
public:
  // The print dialog of `dialogs` opens over `parent`; the printer chosen in
  // it is kept for the next job, as a program's print dialog usually does.
  QtPrinter(Dialogs& dialogs, QWidget* parent);
  ~QtPrinter() override;

  // A painter on the chosen printer, in the printer's device units. When
  // the printer refuses the job, the surface still measures but draws
  // nothing, and End() reports the failure.
  std::unique_ptr<PrintSurface> Begin() override;

private:
  Dialogs& dialogs_;
  QWidget* parent_;
  std::shared_ptr<QPrinter> printer_;
};

}  // namespace zel::ui
