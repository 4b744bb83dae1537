#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <vector>

#include "common/cp1251.h"
#include "common/ui/QtPrinter.h"
#include "common/ui/QtText.h"
#include "support/ui/ScriptedDialogs.h"

namespace zel::ui {
namespace {

// What a tool of poppler-utils writes out.
QString Poppler(const char* tool, const QStringList& arguments) {
  QProcess process;
  process.start(QString::fromLatin1(tool), arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& pdf, const QStringList& options = {}) {
  return Poppler("pdftotext", QStringList(options)
                                  << QStringLiteral("-enc") << QStringLiteral("UTF-8") << pdf << QStringLiteral("-"));
}

struct Word {
  QString text;
  double xMin, yMin, xMax, yMax;  // points from the top-left of the sheet
};

std::vector<Word> PdfWords(const QString& pdf) {
  static const QRegularExpression kWord(
      QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<Word> words;
  auto it = kWord.globalMatch(PdfText(pdf, {QStringLiteral("-bbox")}));
  while (it.hasNext()) {
    const auto m = it.next();
    words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                     m.captured(4).toDouble()});
  }
  return words;
}

// The first page rendered at 72 dots per inch: one pixel per point.
QImage PdfImage(const QString& pdf, const QString& dir) {
  const QString stem = dir + QStringLiteral("/page");
  QProcess process;
  process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-gray"),
                                             QStringLiteral("-singlefile"), pdf, stem});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QImage(stem + QStringLiteral(".pgm"));
}

// Any ink at all: the default pen is one printer dot, a faint grey at 72 dpi.
bool Inked(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 250; }

class QtPrinterTest : public ::testing::Test {
protected:
  QtPrinterTest() { pdfPrinter.setOutputFormat(QPrinter::PdfFormat); }
  QString Pdf() const { return dir.filePath(QStringLiteral("out.pdf")); }
  // A job on `pdf`, chosen in the print dialog.
  std::unique_ptr<PrintSurface> BeginPdf(const QString& pdf) {
    dialogs.printFiles.push_back(pdf);
    return printer.Begin();
  }
  // Points per printer unit, and the printable area in points.
  double ToPoints() const { return 72.0 / pdfPrinter.resolution(); }
  QRectF Area() const { return pdfPrinter.pageLayout().paintRect(QPageLayout::Point); }

  QTemporaryDir dir;
  test::ScriptedDialogs dialogs;
  QtPrinter printer{dialogs, nullptr};
  QPrinter pdfPrinter{QPrinter::HighResolution};  // the one the dialog gives, as to its measures
};

TEST_F(QtPrinterTest, PrintsTextsAndPagesToThePdfChosenInTheDialog) {
  auto surface = BeginPdf(Pdf());
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(dialogs.printCalls, 1);
  surface->SetFont(PrintFont{"Times New Roman", 13});
  const int h = surface->TextHeight("T");
  surface->TextOut(100, h, Cp("Обработка на масови плащания"));
  surface->TextOut(100, 3 * h, "IBAN BG80QRVA91501234567890");
  surface->Line(100, 5 * h, surface->PageWidth(), 5 * h);
  surface->NewPage();
  surface->TextOut(100, h, Cp("Стр. 2   ЖТМ №7"));
  ASSERT_TRUE(surface->End().ok());

  const QString text = PdfText(Pdf());
  const qsizetype pageBreak = text.indexOf(QChar(u'\f'));
  ASSERT_GT(pageBreak, 0) << text.toStdString();
  const QString first = text.left(pageBreak);
  const QString second = text.mid(pageBreak);
  EXPECT_TRUE(first.contains(QString::fromUtf8("Обработка на масови плащания"))) << text.toStdString();
  EXPECT_TRUE(first.contains(QStringLiteral("BG80QRVA91501234567890"))) << text.toStdString();
  EXPECT_TRUE(second.contains(QString::fromUtf8("Стр. 2"))) << text.toStdString();
  EXPECT_TRUE(second.contains(QString::fromUtf8("ЖТМ №7"))) << text.toStdString();
}

TEST_F(QtPrinterTest, CancelledDialogStartsNoJob) {
  dialogs.printFiles = {std::nullopt, std::nullopt};
  EXPECT_EQ(printer.Begin(), nullptr);
  EXPECT_EQ(printer.Begin(), nullptr);
  EXPECT_EQ(dialogs.printCalls, 2);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(QtPrinterTest, TextOutPlacesTheTopOfTheTextCellAtY) {
  auto surface = BeginPdf(Pdf());
  surface->SetFont(PrintFont{"Times New Roman", 40});
  const int x = 600, y = 1800;
  surface->TextOut(x, y, "Top");
  const double toPoints = ToPoints();
  const QRectF area = Area();
  const double cell = surface->TextHeight("Top") * toPoints;
  ASSERT_TRUE(surface->End().ok());

  const auto words = PdfWords(Pdf());
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].text, QStringLiteral("Top"));
  // Drawn at the baseline instead, the word would stand a whole ascent (most of the cell) higher.
  EXPECT_NEAR(words[0].yMin, area.top() + y * toPoints, cell / 5);
  EXPECT_NEAR(words[0].xMin, area.left() + x * toPoints, cell / 5);
}

TEST_F(QtPrinterTest, LineRunsBetweenItsEndsInDeviceUnits) {
  auto surface = BeginPdf(Pdf());
  const double toPoints = ToPoints();
  const QRectF area = Area();
  const int y = surface->PageHeight() / 2;
  const int x1 = surface->PageWidth() / 4;
  surface->Line(x1, y, surface->PageWidth(), y);
  ASSERT_TRUE(surface->End().ok());

  const QImage page = PdfImage(Pdf(), dir.path());
  ASSERT_FALSE(page.isNull());
  const int row = static_cast<int>(area.top() + y * toPoints);
  const auto inkedNear = [&](int x) {
    return Inked(page, x, row - 1) || Inked(page, x, row) || Inked(page, x, row + 1);
  };
  const int left = static_cast<int>(area.left() + x1 * toPoints);
  const int right = static_cast<int>(area.right());
  EXPECT_TRUE(inkedNear(left + 3));
  EXPECT_TRUE(inkedNear((left + right) / 2));
  EXPECT_TRUE(inkedNear(right - 3));
  EXPECT_FALSE(inkedNear(left - 10));  // nothing before the line's start
  EXPECT_FALSE(Inked(page, (left + right) / 2, row - 20));
}

TEST_F(QtPrinterTest, MeasuresInPrinterUnitsWithTheScreenCharacterHeight) {
  auto surface = BeginPdf(Pdf());
  const double resolution = pdfPrinter.resolution();
  ASSERT_GT(resolution, 200);  // a real printer resolution, not screen pixels

  const QRectF area = Area();
  EXPECT_NEAR(surface->PageWidth() * 72.0 / resolution, area.width(), 1.0);
  EXPECT_NEAR(surface->PageHeight() * 72.0 / resolution, area.height(), 1.0);

  surface->SetFont(PrintFont{"Times New Roman", 10});
  // The cell is somewhat taller than the character height, scaled to the printer.
  const double scaled = 10 * resolution / 96.0;
  const int small = surface->TextHeight("T");
  EXPECT_GE(small, scaled);
  EXPECT_LE(small, 1.5 * scaled);

  surface->SetFont(PrintFont{"Times New Roman", 20});
  EXPECT_NEAR(surface->TextHeight("T"), 2 * small, 0.1 * small);
  const int w = surface->TextWidth("W");
  EXPECT_GT(w, surface->TextWidth("i"));
  EXPECT_NEAR(surface->TextWidth("WWWWWW"), 6 * w, 6);
  // Cyrillic is measured as its own letters, not as Latin-1 look-alikes.
  EXPECT_GT(surface->TextWidth(Cp("Ж")), surface->TextWidth(Cp("г")));
  EXPECT_EQ(surface->TextWidth(""), 0);
  surface->TextOut(0, 0, "Times");
  ASSERT_TRUE(surface->End().ok());
  // Times New Roman, or its metric twin where it is not installed.
  const QString fonts = Poppler("pdffonts", {Pdf()});
  EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("TimesNewRoman|LiberationSerif"))))
      << fonts.toStdString();
}

TEST_F(QtPrinterTest, AFileThatCannotBeWrittenIsReportedAtTheEnd) {
  const QString blocker = dir.filePath(QStringLiteral("file"));
  {
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const QString pdf = blocker + QStringLiteral("/out.pdf");  // under a plain file
  auto surface = BeginPdf(pdf);
  surface->SetFont(PrintFont{});
  EXPECT_GT(surface->TextWidth("WW"), 0);  // the printouts still measure
  surface->TextOut(0, 0, "lost");
  surface->Line(0, 0, 10, 10);
  surface->NewPage();
  const Status status = surface->End();
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find(FromQt(pdf)), std::string::npos) << status.message();
}

}  // namespace
}  // namespace zel::ui
