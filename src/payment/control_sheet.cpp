#include "payment/control_sheet.h"

#include <cstdio>
#include <memory>

#include "common/cp1251.h"
#include "common/printing.h"
#include "common/text.h"
#include "payment/crc.h"
#include "payment/payment_file.h"

namespace zel {

namespace {

// Positions of the control sheet, measured with the printer's font.
struct SheetLayout {
  int summaryLeft = 0;  // the summary heading and its rules (A)
  int labelRight = 0;   // where every label ends (R)
  int valueLeft = 0;    // where every value starts (V)
  int checkerLeft = 0;  // "Проверил :" (C)
  int pitch = 0;        // from one line to the next (h)
};

SheetLayout MeasureSheet(const PrintSurface& surface) {
  SheetLayout l;
  l.summaryLeft = surface.TextWidth("99999");
  l.labelRight = surface.TextWidth(Cp("Пореден файл за деня :")) + l.summaryLeft;
  l.valueLeft = l.labelRight + surface.TextWidth("WW");
  l.checkerLeft = surface.PageWidth() - surface.PageWidth() / 3;
  const int t = surface.TextHeight("T");
  l.pitch = t + t / 2;
  return l;
}

void Row(PrintSurface& surface, const SheetLayout& l, int row, const char* utf8Label, const std::string& value) {
  TextOutRight(surface, l.labelRight, row * l.pitch, Cp(utf8Label));
  if (!value.empty()) surface.TextOut(l.valueLeft, row * l.pitch, value);
}

}  // namespace

void PrintSheet(PrintSurface& surface, const PayDay& payDay, std::size_t count, Currency currency, const Clock& clock) {
  const SheetLayout l = MeasureSheet(surface);
  const PayFileSettings& settings = payDay.Settings;
  const double total = payDay.StoredTotal;
  TextOutCentred(surface, 2 * l.pitch, Cp("Обработка на масови плащания"));
  TextOutCentred(surface, 3 * l.pitch, Cp("Резултат от проверката на ") + settings.PayFileName);
  Row(surface, l, 6, "Дата :", SheetDate(clock));
  Row(surface, l, 7, "Пореден файл за деня :", std::to_string(settings.PaySeqNo));
  Row(surface, l, 8, "Тип на данните :", Cp("РЕАЛНИ"));
  Row(surface, l, 9, "Тип на превода :", Cp("ДИРЕКТЕН ПРЕВОД"));
  surface.TextOut(l.summaryLeft, 12 * l.pitch, Cp("Обобщение на съобщенията:"));
  surface.Line(l.summaryLeft, 13 * l.pitch, surface.PageWidth(), 13 * l.pitch);
  Row(surface, l, 14, "Обща сума :", FormatAmount(total) + (currency == Currency::Euro ? RulesOf(currency).label : ""));
  Row(surface, l, 15, "Брой съобщения :", std::to_string(count));
  Row(surface, l, 16, "Контрола :", payDay.StoredControlString);
  Row(surface, l, 17, "Контролен низ :", ControlFigures(settings, total, count));
  surface.Line(l.summaryLeft, 18 * l.pitch, surface.PageWidth(), 18 * l.pitch);
  Row(surface, l, 21, "Съставил :", {});
  surface.TextOut(l.checkerLeft, 21 * l.pitch, Cp("Проверил :"));
}

std::string AmountDigits(double total) {
  std::string digits = FormatAmount(total);
  if (const auto point = digits.find('.'); point != std::string::npos) digits.erase(point, 1);
  return AlignRight(digits, 18, '0');
}

std::string CountDigits(std::size_t count) { return AlignRight(std::to_string(count), 6, '0'); }

std::string ControlFigures(const PayFileSettings& settings, double total, std::size_t count) {
  const std::string& name = settings.PayFileName;
  const std::string ddmmyy = name.size() > 1 ? name.substr(1, 6) : std::string();
  return ddmmyy + std::to_string(settings.PaySeqNo) + AmountDigits(total) + CountDigits(count);
}

std::string SheetDate(const Clock& clock) {
  const Date today = clock.Today();
  char year[16];
  std::snprintf(year, sizeof year, "%04d", today.year);
  return clock.WeekdayShortName(today.weekday) + ", " + std::to_string(today.day) + " " + clock.MonthName(today.month) +
         " " + year + Cp(" год.");
}

ControlSheetResult PrintControlSheet(FileSystem& fs, const PaymentList& list, PayDay& payDay, Printer& printer,
                                     const Clock& clock, const PrintFont& font) {
  ControlSheetResult result;
  if (Status payable = CheckPayableAmounts(list); !payable.ok()) {
    result.refusal = payable.message();
    return result;
  }
  std::string fullPath;
  result.status = WritePaymentFile(fs, list, true, payDay, &fullPath);
  if (!result.status.ok()) return result;

  // Computed over the file as it lies on the disk: what the bank will read.
  payDay.StoredControlString.clear();
  result.status = TextFileCrc(fs, fullPath, payDay.StoredControlString);
  if (!result.status.ok()) return result;

  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return result;
  surface->SetFont(font);
  payDay.StoredTotal = TotalAmount(list);
  PrintSheet(*surface, payDay, list.lines.size(), list.currency, clock);
  result.status = surface->End();
  result.printed = result.status.ok();
  return result;
}

PaymentListColumns MakePaymentListColumns(const PrintSurface& surface, Currency currency) {
  PaymentListColumns c;
  c.ibanLeft = surface.TextWidth(RepeatChar(6, 'W'));
  c.amountRight =
      c.ibanLeft + surface.TextWidth(RepeatChar(22, 'W')) + surface.TextWidth("999999999.99" + RulesOf(currency).label);
  c.nameLeft = c.amountRight + surface.TextWidth("WW");
  c.reasonLeft = c.nameLeft + surface.TextWidth(RepeatChar(40, 'm'));
  const int reasonRoom = surface.PageWidth() - surface.TextWidth(RepeatChar(20, 'm'));
  if (reasonRoom < c.reasonLeft) c.reasonLeft = reasonRoom;
  return c;
}

void PrintListHeadings(PrintSurface& surface, const PaymentListColumns& c, int& y, Currency currency) {
  const int t = surface.TextHeight("T");
  const int nameWidth = c.reasonLeft - c.nameLeft - surface.TextWidth("WW");
  const int reasonWidth = surface.PageWidth() - c.reasonLeft;
  surface.TextOut(c.ibanLeft, y, "IBAN");
  TextOutRight(surface, c.amountRight, y, Cp("СУМА") + RulesOf(currency).label);
  surface.TextOut(c.nameLeft, y, FitText(surface, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ"), nameWidth));
  surface.TextOut(c.reasonLeft, y, FitText(surface, Cp("ОСНОВАНИЕ"), reasonWidth));
  y += t;
  surface.Line(c.ibanLeft, y, surface.PageWidth(), y);
  y += (2 * t) / 3;
}

Status PrintPaymentList(const PaymentList& list, Printer& printer, const PrintFont& font) {
  std::unique_ptr<PrintSurface> surface = printer.Begin();
  if (!surface) return Status::Ok();
  PrintSurface& s = *surface;
  s.SetFont(font);
  const PaymentListColumns c = MakePaymentListColumns(s, list.currency);
  const int t = s.TextHeight("T");
  const int pitch = t + t / 2;
  const int nameWidth = c.reasonLeft - c.nameLeft - s.TextWidth("WW");
  const int reasonWidth = s.PageWidth() - c.reasonLeft;
  const std::string& currency = RulesOf(list.currency).label;

  PrintPagedRows(
      s, list.lines.size(), pitch,
      [&](int page) {
        PrintPageNumber(s, pitch / 2, page);
        int y = 2 * pitch;
        PrintListHeadings(s, c, y, list.currency);
        return y;
      },
      [&](std::size_t row, int y) {
        const PaymentLine& line = list.lines[row];
        s.TextOut(c.ibanLeft, y, line.Employee.IBAN.str());
        TextOutRight(s, c.amountRight, y, line.NetAmount.str() + currency);
        s.TextOut(c.nameLeft, y, FitText(s, line.Employee.FullName.str(), nameWidth));
        s.TextOut(c.reasonLeft, y, FitText(s, line.Reason.str(), reasonWidth));
      });
  return s.End();
}

}  // namespace zel
