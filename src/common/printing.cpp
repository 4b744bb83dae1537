#include "common/printing.h"

#include <cstdio>

#include "common/cp1251.h"

namespace zel {

int LinePitch(const PrintSurface& surface) {
  const int textHeight = surface.TextHeight("T");
  return textHeight + textHeight / 2;
}

std::string FitText(const PrintSurface& surface, const std::string& text, int width) {
  std::string fitted = text;
  while (!fitted.empty() && surface.TextWidth(fitted) > width) fitted.pop_back();
  return fitted;
}

void PrintPageNumber(PrintSurface& surface, int y, int page) {
  // Measured against the widest number so that the column does not move from page to page.
  const int x = surface.PageWidth() - surface.TextWidth(Cp("Стр. 999999"));
  char number[16];
  std::snprintf(number, sizeof number, "%-4d", page);
  surface.TextOut(x, y, Cp("Стр. ") + number);
}

void TextOutRight(PrintSurface& surface, int right, int y, const std::string& text) {
  surface.TextOut(right - surface.TextWidth(text), y, text);
}

void TextOutCentred(PrintSurface& surface, int y, const std::string& text) {
  surface.TextOut((surface.PageWidth() - surface.TextWidth(text)) / 2, y, text);
}

void PrintPagedRows(PrintSurface& surface, std::size_t rows, int rowHeight,
                    const std::function<int(int page)>& beginPage,
                    const std::function<void(std::size_t row, int y)>& printRow) {
  int page = 1;
  int y = beginPage(page);
  for (std::size_t row = 0; row < rows; ++row) {
    printRow(row, y);
    y += rowHeight;
    if (row + 1 < rows && surface.PageHeight() < y + rowHeight) {
      surface.NewPage();
      y = beginPage(++page);
    }
  }
}

}  // namespace zel
