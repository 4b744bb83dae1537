#pragma once
// Small drawing routines shared by the printouts.

#include <cstddef>
#include <functional>
#include <string>

#include "common/print_surface.h"

namespace zel {

// From one printed line to the next: the height of "T" and half of it again.
int LinePitch(const PrintSurface& surface);
// The text with characters removed from its end until its printed width is
// not more than `width` (empty when nothing fits).
std::string FitText(const PrintSurface& surface, const std::string& text, int width);
// "Стр. %-4d" with the page number, from x = page width - width of "Стр. 999999", at y.
void PrintPageNumber(PrintSurface& surface, int y, int page);
// Draws the text so that it ends at x.
void TextOutRight(PrintSurface& surface, int right, int y, const std::string& text);
// Draws the text centred on the page width.
void TextOutCentred(PrintSurface& surface, int y, const std::string& text);

// A table of `rows` rows, `rowHeight` apart, over as many pages as it takes.
// beginPage(page) draws what heads a page (page numbers count from 1) and
// returns the y of its first row; printRow(row, y) draws one row. A new page
// is begun when the next row would not fit, and only for a row still to come,
// so no page holds headings alone.
void PrintPagedRows(PrintSurface& surface, std::size_t rows, int rowHeight,
                    const std::function<int(int page)>& beginPage,
                    const std::function<void(std::size_t row, int y)>& printRow);

}  // namespace zel
