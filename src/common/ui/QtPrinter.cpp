#include "common/ui/QtPrinter.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "common/ui/Dialogs.h"
#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 0.0;
  return dpi > 0.0 ? dpi : 96.0;
}

// One print job: a painter on the printer, in the printer's device units.
class QtPrintSurface : public PrintSurface {
public:
  explicit QtPrintSurface(std::shared_ptr<QPrinter> printer);
  ~QtPrintSurface() override;
  QtPrintSurface(const QtPrintSurface&) = delete;
  QtPrintSurface& operator=(const QtPrintSurface&) = delete;

  int PageWidth() const override { return printer_->width(); }
  int PageHeight() const override { return printer_->height(); }
  void SetFont(const PrintFont& font) override;
  int TextWidth(const std::string& text) const override { return metrics_.horizontalAdvance(ToQt(text)); }
  int TextHeight(const std::string&) const override { return metrics_.height(); }
  void TextOut(int x, int y, const std::string& text) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void NewPage() override;
  Status End() override;

private:
  Status Failure() const;

  std::shared_ptr<QPrinter> printer_;
  QPainter painter_;
  QFont font_;
  QFontMetrics metrics_;
  bool failed_ = false;
  bool ended_ = false;
};

}  // namespace

QtPrintSurface::QtPrintSurface(std::shared_ptr<QPrinter> printer)
    : printer_(std::move(printer)), metrics_(font_, printer_.get()) {
  failed_ = !painter_.begin(printer_.get());
  SetFont(PrintFont{});
}

QtPrintSurface::~QtPrintSurface() {
  // A job left open still goes to the printer rather than vanishing.
  if (painter_.isActive()) painter_.end();
}

void QtPrintSurface::SetFont(const PrintFont& font) {
  // The same character height on paper as on screen: screen pixels scaled by
  // the printer's resolution over the screen's.
  const double size = font.pixelHeight * printer_->resolution() / ScreenDpi();
  font_ = QFont(ToQt(font.family));
  font_.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
  metrics_ = QFontMetrics(font_, printer_.get());
  if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrintSurface::TextOut(int x, int y, const std::string& text) {
  if (!painter_.isActive()) return;
  // The printouts place the top of the text cell; Qt wants the baseline.
  painter_.drawText(x, y + metrics_.ascent(), ToQt(text));
}

void QtPrintSurface::Line(int x1, int y1, int x2, int y2) {
  if (!painter_.isActive()) return;
  painter_.drawLine(x1, y1, x2, y2);
}

void QtPrintSurface::NewPage() {
  if (!painter_.isActive()) return;
  if (!printer_->newPage()) failed_ = true;
}

Status QtPrintSurface::End() {
  if (!ended_) {
    ended_ = true;
    if (painter_.isActive() && !painter_.end()) failed_ = true;
    const QPrinter::PrinterState state = printer_->printerState();
    if (state == QPrinter::Error || state == QPrinter::Aborted) failed_ = true;
  }
  return failed_ ? Failure() : Status::Ok();
}

Status QtPrintSurface::Failure() const {
  if (printer_->outputFormat() == QPrinter::PdfFormat) {
    return Status::Fail("Error printing to file " + FromQt(printer_->outputFileName()) +
                        " ! The file cannot be written.");
  }
  return Status::Fail("Error printing on printer " + FromQt(printer_->printerName()) +
                      " ! The printing service reported an error.");
}

QtPrinter::QtPrinter(Dialogs& dialogs, QWidget* parent)
    : dialogs_(dialogs), parent_(parent), printer_(std::make_shared<QPrinter>(QPrinter::HighResolution)) {}

QtPrinter::~QtPrinter() = default;

std::unique_ptr<PrintSurface> QtPrinter::Begin() {
  if (!dialogs_.ChoosePrinter(*printer_, parent_)) return nullptr;
  return std::make_unique<QtPrintSurface>(printer_);
}

}  // namespace zel::ui
