#include "payment/sepa_sheet.h"

#include <algorithm>
#include <cstdio>

#include "common/amount.h"
#include "common/calendar.h"
#include "common/cp1251.h"
#include "common/printing.h"
#include "common/text.h"

namespace zel {

namespace {

// The summary's labels, in the order of their rows from the fourth on; the
// values stand after the widest of them.
const char* const kLabels[] = {"Наредител :",     "IBAN на наредителя :", "BIC на банката :",   "Дата на изпълнение :",
                               "Формат :",        "Осчетоводяване :",     "Идентификатор :",    "Създаден на :",
                               "Брой плащания :", "Обща сума :",          "Пропуснати редове :"};

struct SheetLayout {
  int left = 0;        // the rules and the summary heading
  int labelRight = 0;  // where the labels end
  int valueLeft = 0;
  int pitch = 0;
  // The table of payments: IBAN, amount ending at amountRight, name.
  int ibanLeft = 0;
  int amountRight = 0;
  int nameLeft = 0;
};

SheetLayout Measure(const PrintSurface& surface) {
  SheetLayout l;
  l.left = surface.TextWidth("99999");
  int widest = 0;
  for (const char* label : kLabels) widest = std::max(widest, surface.TextWidth(Cp(label)));
  l.labelRight = l.left + widest;
  l.valueLeft = l.labelRight + surface.TextWidth("WW");
  l.pitch = LinePitch(surface);
  l.ibanLeft = l.left;
  l.amountRight = l.ibanLeft + surface.TextWidth(RepeatChar(22, 'W')) + surface.TextWidth("999999999.99 EUR");
  l.nameLeft = l.amountRight + surface.TextWidth("WW");
  return l;
}

std::string CreatedText(const DateTime& moment) {
  char time[16];
  std::snprintf(time, sizeof time, " %02d:%02d:%02d", moment.time.hour, moment.time.minute, moment.time.second);
  return FormatDate(moment.date) + time;
}

void Summary(PrintSurface& surface, const SheetLayout& l, const SepaFile& file) {
  const SepaHeader& h = file.header;
  const std::string values[] = {
      h.payerName,
      h.payerIban,
      h.payerBic.empty() ? Cp("(не е посочен)") : h.payerBic,
      FormatDate(h.executionDate),
      std::string(SepaVersionName(h.version)),
      Cp(h.batchBooking ? "едно за целия файл" : "по едно за всяко плащане"),
      h.messageId,
      CreatedText(h.created),
      std::to_string(file.payments.payments.size()),
      FormatCents(file.payments.totalCents) + " EUR",
      std::to_string(file.payments.leftOut.size()),
  };
  TextOutCentred(surface, 2 * l.pitch, Cp("SEPA нареждане за кредитен превод (XML)"));
  TextOutCentred(surface, 3 * l.pitch, Cp("Контролен лист"));
  int row = 5;
  for (std::size_t i = 0; i < std::size(kLabels); ++i, ++row) {
    if (i == 8) {  // the figures under a rule of their own
      surface.Line(l.left, row * l.pitch + l.pitch / 2, surface.PageWidth(), row * l.pitch + l.pitch / 2);
      ++row;
    }
    TextOutRight(surface, l.labelRight, row * l.pitch, Cp(kLabels[i]));
    surface.TextOut(l.valueLeft, row * l.pitch, values[i]);
  }
}

// Headings of the table at y; y moves to its first row.
void Headings(PrintSurface& surface, const SheetLayout& l, int& y) {
  surface.TextOut(l.ibanLeft, y, "IBAN");
  TextOutRight(surface, l.amountRight, y, Cp("СУМА EUR"));
  surface.TextOut(l.nameLeft, y, Cp("ИМЕ"));
  y += surface.TextHeight("T");
  surface.Line(l.ibanLeft, y, surface.PageWidth(), y);
  y += (2 * surface.TextHeight("T")) / 3;
}

}  // namespace

void PrintSepaSheet(PrintSurface& surface, const SepaFile& file, const PaymentList& list) {
  const SheetLayout l = Measure(surface);
  const std::vector<SepaPayment>& payments = file.payments.payments;
  const std::vector<SepaLeftOut>& leftOut = file.payments.leftOut;
  // The rows: the payments; a blank row and a heading before the lines left
  // out, if any; a blank row and the signatures.
  const std::size_t leftOutStart = payments.size() + (leftOut.empty() ? 0 : 2);
  const std::size_t signatures = leftOutStart + leftOut.size() + 1;
  const int nameWidth = surface.PageWidth() - l.nameLeft;
  const int checkerLeft = surface.PageWidth() - surface.PageWidth() / 3;

  PrintPagedRows(
      surface, signatures + 1, l.pitch,
      [&](int page) {
        PrintPageNumber(surface, l.pitch / 2, page);
        int y = 2 * l.pitch;
        if (page == 1) {
          Summary(surface, l, file);
          y = 19 * l.pitch;
        }
        Headings(surface, l, y);
        return y;
      },
      [&](std::size_t row, int y) {
        if (row < payments.size()) {
          const SepaPayment& p = payments[row];
          surface.TextOut(l.ibanLeft, y, p.iban);
          TextOutRight(surface, l.amountRight, y, FormatCents(p.cents));
          surface.TextOut(l.nameLeft, y, FitText(surface, p.name, nameWidth));
        } else if (row + 1 == leftOutStart) {
          surface.TextOut(l.left, y, Cp("Пропуснати редове (без превод):"));
        } else if (row >= leftOutStart && row < leftOutStart + leftOut.size()) {
          const SepaLeftOut& out = leftOut[row - leftOutStart];
          const std::string name = list.lines[out.line].Employee.FullName.str();
          surface.TextOut(l.ibanLeft, y, FitText(surface, name, l.nameLeft - l.ibanLeft));
          surface.TextOut(l.nameLeft, y, LeftOutText(out.why));
        } else if (row == signatures) {
          TextOutRight(surface, l.labelRight, y, Cp("Съставил :"));
          surface.TextOut(checkerLeft, y, Cp("Проверил :"));
        }
      });
}

}  // namespace zel
