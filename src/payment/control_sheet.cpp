#include "payment/control_sheet.h"

#include <cstdio>
#include <memory>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/printing.h"
#include "common/text.h"
#include "payment/crc.h"
#include "payment/payment_file.h"

namespace zel {

namespace {

// Positions of the control sheet, measured with the printer's font.
struct SheetLayout {
  int a = 0;  // left edge of the summary heading and its lines
  int r = 0;  // right edge of every label
  int v = 0;  // left edge of every value
  int c = 0;  // left edge of "Проверил :"
  int h = 0;  // line pitch
};

SheetLayout MeasureSheet(const PrintSurface& surface) {
  SheetLayout l;
  l.a = surface.TextWidth("99999");
  l.r = surface.TextWidth(Cp("Пореден файл за деня :")) + l.a;
  l.v = l.r + surface.TextWidth("WW");
  l.c = surface.PageWidth() - surface.PageWidth() / 3;
  l.h = surface.TextHeight("T");
  l.h = l.h + l.h / 2;
  return l;
}

void Row(PrintSurface& surface, const SheetLayout& l, int row, const char* utf8Label, const std::string& value) {
  TextOutRight(surface, l.r, row * l.h, Cp(utf8Label));
  if (!value.empty()) surface.TextOut(l.v, row * l.h, value);
}

void PrintSheet(PrintSurface& surface, const SheetLayout& l, const PayFileSettings& settings, const Clock& clock,
                const std::string& controlString, double total, std::size_t count) {
  TextOutCentred(surface, 2 * l.h, Cp("Обработка на масови плащания"));
  TextOutCentred(surface, 3 * l.h, Cp("Резултат от проверката на ") + settings.PayFileName);
  Row(surface, l, 6, "Дата :", SheetDate(clock));
  Row(surface, l, 7, "Пореден файл за деня :", std::to_string(settings.PaySeqNo));
  Row(surface, l, 8, "Тип на данните :", Cp("РЕАЛНИ"));
  Row(surface, l, 9, "Тип на превода :", Cp("ДИРЕКТЕН ПРЕВОД"));
  surface.TextOut(l.a, 12 * l.h, Cp("Обобщение на съобщенията:"));
  surface.Line(l.a, 13 * l.h, surface.PageWidth(), 13 * l.h);
  Row(surface, l, 14, "Обща сума :", FormatAmount(total));
  Row(surface, l, 15, "Брой съобщения :", std::to_string(count));
  Row(surface, l, 16, "Контрола :", controlString);
  Row(surface, l, 17, "Контролен низ :", ControlFigures(settings, total, count));
  surface.Line(l.a, 18 * l.h, surface.PageWidth(), 18 * l.h);
  Row(surface, l, 21, "Съставил :", {});
  surface.TextOut(l.c, 21 * l.h, Cp("Проверил :"));
}

}  // namespace

std::string AmountDigits(double total) {
  std::string digits = FormatFixed(15, 2, total);
  if (const auto point = digits.find('.'); point != std::string::npos) digits.erase(point, 1);
  PadCharScope zeros('0');
  return AlignRight(digits, 18);
}

std::string CountDigits(std::size_t count) {
  PadCharScope zeros('0');
  return AlignRight(std::to_string(count), 6);
}

std::string ControlFigures(const PayFileSettings& settings, double total, std::size_t count) {
  const std::string& name = settings.PayFileName;
  const std::string ddmmyy = name.size() > 1 ? name.substr(1, 6) : std::string();
  return ddmmyy + std::to_string(settings.PaySeqNo) + AmountDigits(total) + CountDigits(count);
}

std::string SheetDate(const Clock& clock) {
  const Date today = clock.Today();
  char year[16];
  std::snprintf(year, sizeof year, "%04d", today.year);
  return clock.WeekdayShortName(today.weekday) + ", " + std::to_string(today.day) + " " +
         clock.MonthName(today.month) + " " + year + Cp(" год.");
}

ControlSheetResult PrintControlSheet(const PaymentList& list, const PayFileSettings& settings, Printer& printer,
                                     const Clock& clock, std::string& storedControlString, double& storedTotal,
                                     const PrintFont& font) {
  ControlSheetResult result;
  std::string fullPath;
  result.status = WritePaymentFile(list, true, settings, {}, 0, &fullPath);
  if (!result.status.ok()) return result;

  storedControlString.clear();
  std::string control;
  result.status = TextFileCrc(fullPath, control);
  if (!result.status.ok()) return result;
  storedControlString = control;

  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return result;
  surface->SetFont(font);
  const SheetLayout layout = MeasureSheet(*surface);
  storedTotal = TotalAmount(list);
  PrintSheet(*surface, layout, settings, clock, storedControlString, storedTotal, list.lines.size());
  result.status = surface->End();
  result.printed = result.status.ok();
  return result;
}

PaymentListColumns MakePaymentListColumns(const PrintSurface& surface) {
  PaymentListColumns c;
  c.c1 = surface.TextWidth(RepeatChar(6, 'W'));
  c.c2 = c.c1 + surface.TextWidth(RepeatChar(22, 'W')) + surface.TextWidth(Cp("999999999.99 лв."));
  c.c3 = c.c2 + surface.TextWidth("WW");
  c.c4 = c.c3 + surface.TextWidth(RepeatChar(40, 'm'));
  const int reasonRoom = surface.PageWidth() - surface.TextWidth(RepeatChar(20, 'm'));
  if (reasonRoom < c.c4) c.c4 = reasonRoom;
  return c;
}

void PrintListHeadings(PrintSurface& surface, const PaymentListColumns& c, int& y) {
  const int t = surface.TextHeight("T");
  const int nameWidth = c.c4 - c.c3 - surface.TextWidth("WW");
  const int reasonWidth = surface.PageWidth() - c.c4;
  surface.TextOut(c.c1, y, "IBAN");
  TextOutRight(surface, c.c2, y, Cp("СУМА лв."));
  surface.TextOut(c.c3, y, FitText(surface, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ"), nameWidth));
  surface.TextOut(c.c4, y, FitText(surface, Cp("ОСНОВАНИЕ"), reasonWidth));
  y += t;
  surface.Line(c.c1, y, surface.PageWidth(), y);
  y += (2 * t) / 3;
}

Status PrintPaymentList(const PaymentList& list, Printer& printer, const PrintFont& font) {
  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return Status::Ok();
  PrintSurface& s = *surface;
  s.SetFont(font);
  const PaymentListColumns c = MakePaymentListColumns(s);
  const int t = s.TextHeight("T");
  const int h = t + t / 2;
  const int nameWidth = c.c4 - c.c3 - s.TextWidth("WW");
  const int reasonWidth = s.PageWidth() - c.c4;
  const std::string currency = Cp(" лв.");

  int page = 1;
  PrintPageNumber(s, h / 2, page);
  int y = 2 * h;
  PrintListHeadings(s, c, y);
  for (std::size_t i = 0; i < list.lines.size(); ++i) {
    const PaymentLine& line = list.lines[i];
    s.TextOut(c.c1, y, line.Employee.IBAN.str());
    TextOutRight(s, c.c2, y, line.NetAmount.str() + currency);
    s.TextOut(c.c3, y, FitText(s, line.Employee.FullName.str(), nameWidth));
    s.TextOut(c.c4, y, FitText(s, line.Reason.str(), reasonWidth));
    y += h;
    // A new page only for a line still to come: no last page of headings alone.
    if (s.PageHeight() < y + h && i + 1 < list.lines.size()) {
      s.NewPage();
      ++page;
      PrintPageNumber(s, h / 2, page);
      y = 2 * h;
      PrintListHeadings(s, c, y);
    }
  }
  return s.End();
}

}  // namespace zel
