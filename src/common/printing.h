#pragma once
// Small drawing routines shared by the printouts.

#include <string>

#include "common/print_surface.h"

namespace zel {

// The text with characters removed from its end until its printed width is
// not more than `width` (empty when nothing fits).
std::string FitText(const PrintSurface& surface, const std::string& text, int width);
// "Стр. %-4d" with the page number, from x = page width - width of "Стр. 999999", at y.
void PrintPageNumber(PrintSurface& surface, int y, int page);
// Draws the text so that it ends at x.
void TextOutRight(PrintSurface& surface, int right, int y, const std::string& text);
// Draws the text centred on the page width.
void TextOutCentred(PrintSurface& surface, int y, const std::string& text);

}  // namespace zel
