#include "payment/control_sheet.h"

#include <cstdio>
#include <memory>

#include "common/cp1251.h"
#include "common/currency.h"
#include "common/printing.h"
#include "common/text.h"
#include "payment/payment_file.h"

namespace zel {

namespace {

// Positions of the control sheet, measured with the printer's font.
struct SheetLayout {
  int summaryLeft = 0;  // the summary heading and its rules
  int labelRight = 0;   // where every label ends
  int valueLeft = 0;    // where every value starts
  int checkerLeft = 0;  // "Проверил :"
  int pitch = 0;        // from one line to the next
};

SheetLayout MeasureSheet(const PrintSurface& surface) {
  SheetLayout layout;
  layout.summaryLeft = surface.TextWidth("99999");
  layout.labelRight = surface.TextWidth(Cp("Пореден файл за деня :")) + layout.summaryLeft;
  layout.valueLeft = layout.labelRight + surface.TextWidth("WW");
  layout.checkerLeft = surface.PageWidth() - surface.PageWidth() / 3;
  layout.pitch = LinePitch(surface);
  return layout;
}

void Row(PrintSurface& surface, const SheetLayout& layout, int row, const char* utf8Label, const std::string& value) {
  TextOutRight(surface, layout.labelRight, row * layout.pitch, Cp(utf8Label));
  if (!value.empty()) surface.TextOut(layout.valueLeft, row * layout.pitch, value);
}

// The one-page sheet of the pay day for `count` payment lines in `currency`,
// on a surface whose font is set.
void PrintSheet(PrintSurface& surface, const PayDay& payDay, std::size_t count, Currency currency, const Clock& clock) {
  const SheetLayout layout = MeasureSheet(surface);
  const PayFileSettings& settings = payDay.Settings;
  const double total = payDay.StoredTotal;
  TextOutCentred(surface, 2 * layout.pitch, Cp("Обработка на масови плащания"));
  TextOutCentred(surface, 3 * layout.pitch, Cp("Резултат от проверката на ") + settings.PayFileName);
  Row(surface, layout, 6, "Дата :", SheetDate(clock));
  Row(surface, layout, 7, "Пореден файл за деня :", std::to_string(settings.PaySeqNo));
  Row(surface, layout, 8, "Тип на данните :", Cp("РЕАЛНИ"));
  Row(surface, layout, 9, "Тип на превода :", Cp("ДИРЕКТЕН ПРЕВОД"));
  surface.TextOut(layout.summaryLeft, 12 * layout.pitch, Cp("Обобщение на съобщенията:"));
  surface.Line(layout.summaryLeft, 13 * layout.pitch, surface.PageWidth(), 13 * layout.pitch);
  // A total in euro says so; one in leva is printed as it always was.
  const std::string totalText = FormatAmount(total) + (currency == Currency::Euro ? RulesOf(currency).label : "");
  Row(surface, layout, 14, "Обща сума :", totalText);
  Row(surface, layout, 15, "Брой съобщения :", std::to_string(count));
  Row(surface, layout, 16, "Контрола :", payDay.StoredControlString);
  Row(surface, layout, 17, "Контролен низ :", ControlFigures(settings, total, count));
  surface.Line(layout.summaryLeft, 18 * layout.pitch, surface.PageWidth(), 18 * layout.pitch);
  Row(surface, layout, 21, "Съставил :", {});
  surface.TextOut(layout.checkerLeft, 21 * layout.pitch, Cp("Проверил :"));
}

// The columns of the payment list printout, from left to right; the amount
// column is measured on the currency's label.
struct PaymentListColumns {
  int ibanLeft = 0;
  int amountRight = 0;
  int nameLeft = 0;
  int reasonLeft = 0;
};

PaymentListColumns MakePaymentListColumns(const PrintSurface& surface, Currency currency) {
  PaymentListColumns columns;
  columns.ibanLeft = surface.TextWidth(RepeatChar(6, 'W'));
  columns.amountRight = columns.ibanLeft + surface.TextWidth(RepeatChar(22, 'W')) +
                        surface.TextWidth("999999999.99" + RulesOf(currency).label);
  columns.nameLeft = columns.amountRight + surface.TextWidth("WW");
  columns.reasonLeft = columns.nameLeft + surface.TextWidth(RepeatChar(40, 'm'));
  const int reasonRoom = surface.PageWidth() - surface.TextWidth(RepeatChar(20, 'm'));
  if (reasonRoom < columns.reasonLeft) columns.reasonLeft = reasonRoom;
  return columns;
}

// Headings at y ("СУМА" with the currency's label); y moves to where the first payment line goes.
void PrintListHeadings(PrintSurface& surface, const PaymentListColumns& columns, int& y, Currency currency) {
  const int textHeight = surface.TextHeight("T");
  const int nameWidth = columns.reasonLeft - columns.nameLeft - surface.TextWidth("WW");
  const int reasonWidth = surface.PageWidth() - columns.reasonLeft;
  surface.TextOut(columns.ibanLeft, y, "IBAN");
  TextOutRight(surface, columns.amountRight, y, Cp("СУМА") + RulesOf(currency).label);
  surface.TextOut(columns.nameLeft, y, FitText(surface, Cp("ИМЕ ПРЕЗИМЕ ФАМИЛИЯ"), nameWidth));
  surface.TextOut(columns.reasonLeft, y, FitText(surface, Cp("ОСНОВАНИЕ"), reasonWidth));
  y += textHeight;
  surface.Line(columns.ibanLeft, y, surface.PageWidth(), y);
  y += (2 * textHeight) / 3;
}

}  // namespace

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
  result.status = WritePaymentBody(fs, list, payDay);
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

Status PrintPaymentList(const PaymentList& list, Printer& printer, const PrintFont& font) {
  std::unique_ptr<PrintSurface> job = printer.Begin();
  if (!job) return Status::Ok();
  PrintSurface& surface = *job;
  surface.SetFont(font);
  const PaymentListColumns columns = MakePaymentListColumns(surface, list.currency);
  const int pitch = LinePitch(surface);
  const int nameWidth = columns.reasonLeft - columns.nameLeft - surface.TextWidth("WW");
  const int reasonWidth = surface.PageWidth() - columns.reasonLeft;
  const std::string& currency = RulesOf(list.currency).label;

  PrintPagedRows(
      surface, list.lines.size(), pitch,
      [&](int page) {
        PrintPageNumber(surface, pitch / 2, page);
        int y = 2 * pitch;
        PrintListHeadings(surface, columns, y, list.currency);
        return y;
      },
      [&](std::size_t row, int y) {
        const PaymentLine& line = list.lines[row];
        surface.TextOut(columns.ibanLeft, y, line.Employee.IBAN.str());
        TextOutRight(surface, columns.amountRight, y, line.NetAmount.str() + currency);
        surface.TextOut(columns.nameLeft, y, FitText(surface, line.Employee.FullName.str(), nameWidth));
        surface.TextOut(columns.reasonLeft, y, FitText(surface, line.Reason.str(), reasonWidth));
      });
  return surface.End();
}

}  // namespace zel
