#include "shell/ui/ToolIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>

namespace zel::ui {

namespace {

// Every picture is drawn on a 32 by 32 grid and scaled to the size asked for.
using Painting = std::function<void(QPainter&)>;

QPixmap Render(const Painting& paint, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  paint(painter);
  return pixmap;
}

QIcon MakeIcon(const Painting& paint) {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48}) icon.addPixmap(Render(paint, size));
  return icon;
}

void Person(QPainter& p, QPointF at, QColor colour) {
  p.setPen(QPen(colour.darker(150), 1.2));
  p.setBrush(colour);
  p.drawEllipse(QPointF(at.x(), at.y()), 4.5, 4.5);
  QPainterPath body;
  body.moveTo(at.x() - 8, at.y() + 16);
  body.cubicTo(at.x() - 8, at.y() + 6, at.x() + 8, at.y() + 6, at.x() + 8, at.y() + 16);
  body.closeSubpath();
  p.drawPath(body);
}

void PaintPersonnel(QPainter& p) {
  Person(p, QPointF(20.5, 9), QColor(110, 150, 200));
  Person(p, QPointF(12, 12), QColor(40, 90, 170));
}

void PaintPayment(QPainter& p) {
  QLinearGradient note(0, 6, 0, 24);
  note.setColorAt(0, QColor(140, 200, 130));
  note.setColorAt(1, QColor(70, 140, 70));
  p.setPen(QPen(QColor(30, 90, 30), 1.2));
  p.setBrush(note);
  p.drawRoundedRect(QRectF(2, 6, 24, 15), 2, 2);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(14, 13.5), 4, 4);
  p.setPen(QPen(QColor(150, 110, 10), 1.2));
  p.setBrush(QColor(240, 195, 50));
  p.drawEllipse(QPointF(24, 23), 6.5, 6.5);
  p.drawEllipse(QPointF(24, 23), 3.5, 3.5);
}

void PaintSaveAs(QPainter& p) {
  p.setPen(QPen(QColor(30, 50, 100), 1.2));
  p.setBrush(QColor(60, 100, 170));
  p.drawRoundedRect(QRectF(3, 3, 24, 26), 2, 2);
  p.setBrush(QColor(235, 235, 235));
  p.drawRect(QRectF(8, 3.5, 14, 9));
  p.setBrush(QColor(200, 205, 215));
  p.drawRect(QRectF(8, 18, 14, 10.5));
  // The pen of "as": a new name for the file.
  p.setPen(QPen(QColor(90, 60, 20), 1));
  p.setBrush(QColor(240, 190, 60));
  QPolygonF pen;
  pen << QPointF(18, 27) << QPointF(28, 17) << QPointF(31, 20) << QPointF(21, 30) << QPointF(17.5, 30.5);
  p.drawPolygon(pen);
}

void PaintProgram(QPainter& p) {
  QLinearGradient back(0, 0, 32, 32);
  back.setColorAt(0, QColor(60, 110, 180));
  back.setColorAt(1, QColor(20, 50, 110));
  p.setPen(Qt::NoPen);
  p.setBrush(back);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
  p.save();
  p.translate(2, 1);
  PaintPayment(p);
  p.restore();
}

}  // namespace

QIcon PersonnelIcon() { return MakeIcon(PaintPersonnel); }
QIcon PaymentIcon() { return MakeIcon(PaintPayment); }
QIcon SaveAsIcon() { return MakeIcon(PaintSaveAs); }
QPixmap ProgramPicture(int size) { return Render(PaintProgram, size); }

}  // namespace zel::ui
