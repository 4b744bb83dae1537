#include "personnel/personnel_printout.h"

#include <memory>
#include <string>

#include "common/cp1251.h"
#include "common/printing.h"
#include "personnel/register.h"

namespace zel {
namespace {

// An amount with its currency, at most 24 characters.
std::string AmountText(const std::string& amount, const std::string& label) { return (amount + label).substr(0, 24); }

void PrintRow(PrintSurface& surface, const PersonnelPrintMeasures& m, int y, const EmployeeRecord& record,
              const std::string& label) {
  surface.TextOut(m.egnLeft, y, record.EGN.str());
  surface.TextOut(m.ibanLeft, y, record.IBAN.str());
  TextOutRight(surface, m.requestedLimit - m.amountGap, y, AmountText(record.RequestedSum.str(), label));
  TextOutRight(surface, m.overdraftLimit - m.amountGap, y, AmountText(record.Overdraft.str(), label));
  surface.TextOut(m.overdraftLimit, y, FitText(surface, record.FullName.str(), surface.PageWidth() - m.overdraftLimit));
}

void PrintPersonnelHeadings(PrintSurface& surface, const PersonnelPrintMeasures& m, int& y) {
  surface.TextOut(m.egnLeft, y, Cp("ЕГН"));
  surface.TextOut(m.ibanLeft, y, "IBAN");
  TextOutRight(surface, m.requestedLimit - m.amountGap, y, Cp("ЗАЯВЕНА СУМА"));
  TextOutRight(surface, m.overdraftLimit - m.amountGap, y, Cp("ОВЪРДРАФТ"));
  // The name heading may use the overdraft column's width as well.
  surface.TextOut(m.overdraftLimit, y,
                  FitText(surface, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ"), surface.PageWidth() - m.requestedLimit));
  y += (4 * m.textHeight) / 3;
  surface.Line(m.egnLeft, y, surface.PageWidth(), y);
  y += (2 * m.textHeight) / 3;
}

}  // namespace

PersonnelPrintMeasures MeasurePersonnelPrint(const PrintSurface& surface, Currency currency) {
  const std::string amountColumn = "999999999999999.99" + RulesOf(currency).label;
  PersonnelPrintMeasures m;
  m.egnLeft = surface.PageWidth() / 10;
  m.ibanLeft = m.egnLeft + surface.TextWidth("999999999999");
  // The IBAN column and the room after it, where the amount columns start.
  const int ibanColumnEnd = m.ibanLeft + surface.TextWidth("999999999999WWWWWWWWWW");
  m.requestedLimit = ibanColumnEnd + surface.TextWidth(amountColumn) + surface.TextWidth("WW");
  m.overdraftLimit = m.requestedLimit + surface.TextWidth(amountColumn) + surface.TextWidth("WW");
  m.textHeight = surface.TextHeight("T");
  m.rowHeight = LinePitch(surface);
  m.amountGap = surface.TextWidth("WWW");
  return m;
}

Status PrintPersonnelList(Printer& printer, const Register& list, const PrintFont& font) {
  if (list.empty()) return Status::Ok();
  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return Status::Ok();

  PrintSurface& s = *surface;
  s.SetFont(font);
  const std::string& label = RulesOf(list.currency()).label;
  const PersonnelPrintMeasures m = MeasurePersonnelPrint(s, list.currency());
  const auto& records = list.records();
  PrintPagedRows(
      s, records.size(), m.rowHeight,
      [&](int page) {
        PrintPageNumber(s, m.rowHeight / 2, page);
        int y = 2 * m.rowHeight;
        PrintPersonnelHeadings(s, m, y);
        return y;
      },
      [&](std::size_t row, int y) { PrintRow(s, m, y, records[row], label); });
  return s.End();
}

}  // namespace zel
