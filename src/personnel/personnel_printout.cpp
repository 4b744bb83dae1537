#include "personnel/personnel_printout.h"

#include <memory>
#include <string>

#include "common/cp1251.h"
#include "common/printing.h"
#include "personnel/register.h"

namespace zel {
namespace {

// An amount with its currency, at most 24 characters.
std::string AmountText(const std::string& amount) { return (amount + Cp(" лв.")).substr(0, 24); }

void PrintRow(PrintSurface& surface, const PersonnelPrintMeasures& m, int y, const EmployeeRecord& record) {
  surface.TextOut(m.x1, y, record.EGN.str());
  surface.TextOut(m.x2, y, record.IBAN.str());
  TextOutRight(surface, m.x4 - m.amountGap, y, AmountText(record.RequestedSum.str()));
  TextOutRight(surface, m.x5 - m.amountGap, y, AmountText(record.Overdraft.str()));
  surface.TextOut(m.x5, y, FitText(surface, record.FullName.str(), surface.PageWidth() - m.x5));
}

// The page number and the headings; the y of the page's first row.
int BeginPage(PrintSurface& surface, const PersonnelPrintMeasures& m, int page) {
  PrintPageNumber(surface, m.rowHeight / 2, page);
  int y = 2 * m.rowHeight;
  PrintPersonnelHeadings(surface, m, y);
  return y;
}

}  // namespace

PersonnelPrintMeasures MeasurePersonnelPrint(const PrintSurface& surface) {
  const std::string amountColumn = Cp("999999999999999.99 лв.");
  PersonnelPrintMeasures m;
  m.x1 = surface.PageWidth() / 10;
  m.x2 = m.x1 + surface.TextWidth("999999999999");
  m.x3 = m.x2 + surface.TextWidth("999999999999WWWWWWWWWW");
  m.x4 = m.x3 + surface.TextWidth(amountColumn) + surface.TextWidth("WW");
  m.x5 = m.x4 + surface.TextWidth(amountColumn) + surface.TextWidth("WW");
  m.h = surface.TextHeight("T");
  m.rowHeight = m.h + m.h / 2;
  m.amountGap = surface.TextWidth("WWW");
  return m;
}

void PrintPersonnelHeadings(PrintSurface& surface, const PersonnelPrintMeasures& m, int& y) {
  surface.TextOut(m.x1, y, Cp("ЕГН"));
  surface.TextOut(m.x2, y, "IBAN");
  TextOutRight(surface, m.x4 - m.amountGap, y, Cp("ЗАЯВЕНА СУМА"));
  TextOutRight(surface, m.x5 - m.amountGap, y, Cp("ОВЪРДРАФТ"));
  // The name heading may use the overdraft column's width as well.
  surface.TextOut(m.x5, y, FitText(surface, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ"), surface.PageWidth() - m.x4));
  y += (4 * m.h) / 3;
  surface.Line(m.x1, y, surface.PageWidth(), y);
  y += (2 * m.h) / 3;
}

Status PrintPersonnelList(Printer& printer, const Register& list, const PrintFont& font) {
  if (list.empty()) return Status::Ok();
  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return Status::Ok();

  surface->SetFont(font);
  const PersonnelPrintMeasures m = MeasurePersonnelPrint(*surface);
  int page = 1;
  int y = BeginPage(*surface, m, page);
  const auto& records = list.records();
  for (std::size_t i = 0; i < records.size(); ++i) {
    PrintRow(*surface, m, y, records[i]);
    y += m.rowHeight;
    // A new page only for rows still to come: no sheet with headings alone.
    if (i + 1 < records.size() && surface->PageHeight() < y + m.rowHeight) {
      surface->NewPage();
      y = BeginPage(*surface, m, ++page);
    }
  }
  return surface->End();
}

}  // namespace zel
