#pragma once
// The print dialog and the printer's drawing surface for the printouts.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <memory>

#include "common/print_surface.h"

class QPrinter;
class QWidget;

namespace zel::ui {

class Dialogs;

// One print job: a painter on the printer, in the printer's device units.
class QtPrintSurface : public PrintSurface {
public:
  // Starts the job on the printer; when the printer refuses it, the surface
  // still measures but draws nothing, and End() reports the failure.
  explicit QtPrintSurface(std::shared_ptr<QPrinter> printer);
  ~QtPrintSurface() override;
  QtPrintSurface(const QtPrintSurface&) = delete;
  QtPrintSurface& operator=(const QtPrintSurface&) = delete;

  int PageWidth() const override;
  int PageHeight() const override;
  void SetFont(const PrintFont& font) override;
  int TextWidth(const std::string& text) const override;
  int TextHeight(const std::string& text) const override;
  void TextOut(int x, int y, const std::string& text) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void NewPage() override;
  Status End() override;

  QPrinter& printer() const { return *printer_; }
  const QFont& font() const { return font_; }

private:
  Status Failure() const;

  std::shared_ptr<QPrinter> printer_;
  QPainter painter_;
  QFont font_;
  QFontMetrics metrics_;
  bool started_ = false;
  bool failed_ = false;
  bool ended_ = false;
};

class QtPrinter : public Printer {
public:
  // The print dialog of `dialogs` opens over `parent`; the printer chosen in
  // it is kept for the next job, as a program's print dialog usually does.
  QtPrinter(Dialogs& dialogs, QWidget* parent);
  ~QtPrinter() override;

  std::unique_ptr<PrintSurface> Begin() override;

  // A job on a PDF file without any dialog.
  static std::unique_ptr<QtPrintSurface> BeginPdf(const QString& path);

private:
  Dialogs& dialogs_;
  QWidget* parent_;
  std::shared_ptr<QPrinter> printer_;
};

}  // namespace zel::ui
