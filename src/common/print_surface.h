#pragma once
// The printer as the printouts see it: a page of device units on which texts
// are measured and drawn. Texts are code page 1251. A text's position is the
// top-left corner of its text cell.

#include <memory>
#include <string>

#include "common/status.h"

namespace zel {

struct PrintFont {
  std::string family = "Times New Roman";
  int pixelHeight = 10;  // the character height the window uses on screen
};

class PrintSurface {
public:
  virtual ~PrintSurface() = default;

  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  virtual void SetFont(const PrintFont& font) = 0;
  virtual int TextWidth(const std::string& text) const = 0;
  virtual int TextHeight(const std::string& text) const = 0;
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  virtual void NewPage() = 0;
  // Ends the job; a failure of the printing service comes back here.
  virtual Status End() = 0;
};

// The print dialog and the start of a job.
class Printer {
public:
  virtual ~Printer() = default;
  // Shows the print dialog; null when the user does not confirm it,
  // otherwise a surface on the first page of a new job.
  virtual std::unique_ptr<PrintSurface> Begin() = 0;
};

}  // namespace zel
