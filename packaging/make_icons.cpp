// Writes the program's picture (the one the About box and the main window
// show) as the files the installers need: zel.ico for zel.exe's resources
// and zel.png for the Linux desktop. Run once by packaging/make-icons; the
// results are kept in the tree.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <vector>

#include "shell/ui/ToolIcons.h"

namespace {

void Put16(QByteArray& out, int v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(QByteArray& out, quint32 v) {
  Put16(out, static_cast<int>(v & 0xFFFF));
  Put16(out, static_cast<int>(v >> 16));
}

// An icon image as a device-independent bitmap: 32-bit BGRA rows bottom-up,
// then the 1-bit AND mask, which every version of Windows reads.
QByteArray Dib(const QImage& image) {
  const int size = image.width();
  const int maskStride = ((size + 31) / 32) * 4;
  QByteArray out;
  Put32(out, 40);
  Put32(out, static_cast<quint32>(size));
  Put32(out, static_cast<quint32>(size * 2));  // colour and mask rows together
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
    for (int x = 0; x < size; ++x) Put32(out, row[x]);  // ARGB32 is BGRA in memory on x86
  }
  out.append(QByteArray(maskStride * size, '\0'));  // the alpha channel decides
  return out;
}

QByteArray Png(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

QImage Picture(int size) { return zel::ui::ProgramPicture(size).toImage().convertToFormat(QImage::Format_ARGB32); }

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

  // The sizes Explorer asks for; 256 is stored as PNG, as Windows expects for it.
  const std::vector<int> sizes = {16, 24, 32, 48, 256};
  std::vector<QByteArray> images;
  for (int size : sizes) images.push_back(size == 256 ? Png(Picture(size)) : Dib(Picture(size)));
  QByteArray ico;
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, static_cast<int>(sizes.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    ico.append(static_cast<char>(sizes[i] == 256 ? 0 : sizes[i]));
    ico.append(static_cast<char>(sizes[i] == 256 ? 0 : sizes[i]));
    ico.append('\0');
    ico.append('\0');
    Put16(ico, 1);
    Put16(ico, 32);
    Put32(ico, static_cast<quint32>(images[i].size()));
    Put32(ico, offset);
    offset += static_cast<quint32>(images[i].size());
  }
  for (const QByteArray& image : images) ico.append(image);

  const bool ok =
      Write(folder + QStringLiteral("/zel.ico"), ico) && Write(folder + QStringLiteral("/zel.png"), Png(Picture(128)));
  if (!ok) std::fprintf(stderr, "cannot write the icons to %s\n", qPrintable(folder));
  return ok ? 0 : 1;
}
