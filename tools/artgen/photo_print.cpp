// What is printed on the faceplates: the lettering, the stripes and the two mascots.
#include <QPainterPath>

#include "tools/artgen/photo_common.h"

namespace floemark::artgen::photo {

namespace {

void DrawStripes(QPainter& p, qreal left, qreal right, qreal y) {
  const QColor colours[] = {QColor(206, 40, 36), QColor(236, 128, 28), QColor(242, 196, 40)};
  for (int i = 0; i < 3; ++i) p.fillRect(QRectF(left, y + 3.5 * i, right - left, 2), colours[i]);
}

void DrawLettering(QPainter& p) {
  const QColor navy(22, 34, 90);
  p.setPen(navy);
  p.setFont(PrintFont(30, true, 3.5));
  PrintCentred(p, 182, 51, QStringLiteral("FLOEMARK"));
  p.setFont(PrintFont(21, true, 2.5));
  PrintCentred(p, 549.5, 44, QStringLiteral("DUAL SCREEN"));
  p.setFont(PrintFont(8, true, 2.2));
  PrintCentred(p, 549.5, 56, QStringLiteral("PLAY  &  CLOCK"));
  p.setFont(PrintFont(9, true, 1.5));
  p.drawText(QPointF(398, 25), QStringLiteral("KORVANE"));
  p.setFont(PrintFont(7, false, 0.8));
  p.drawText(QPointF(668, 25), QStringLiteral("FM-52"));

  DrawStripes(p, 24, 342, 231);
  DrawStripes(p, 399, 717, 232);
  p.setFont(PrintFont(10, true, 1.8));
  p.setPen(navy);
  p.drawText(QPointF(72, 253), QStringLiteral("PENGUIN"));
  const QString seal = QStringLiteral("SEAL");
  p.drawText(QPointF(441, 254), seal);
  p.setFont(PrintFont(7, false, 1.0));
  p.drawText(QPointF(206, 252), QStringLiteral("CATCH · THROW"));
  p.drawText(QPointF(588, 253), QStringLiteral("ICE · LADDER"));
}

// Printed mascots in the margins of the faceplates.
void DrawPenguinPrint(QPainter& p, QPointF c) {
  p.setBrush(QColor(24, 28, 40));
  p.drawEllipse(c, 11, 17);
  p.drawEllipse(c + QPointF(0, -17), 8, 8);
  p.setBrush(QColor(246, 246, 240));
  p.drawEllipse(c + QPointF(0, 3), 7.5, 13);
  p.drawEllipse(c + QPointF(2.8, -18.5), 2.2, 2.2);
  p.setBrush(QColor(24, 28, 40));
  p.drawEllipse(c + QPointF(3.2, -18.5), 1.0, 1.0);
  p.setBrush(QColor(240, 140, 30));
  p.drawPolygon(QPolygonF{c + QPointF(6, -17.5), c + QPointF(13, -15.5), c + QPointF(6, -14)});
  p.drawEllipse(c + QPointF(-5, 17), 5, 2);
  p.drawEllipse(c + QPointF(5, 17), 5, 2);
}

void DrawSealPrint(QPainter& p, QPointF c) {
  // Sitting up on its fore flippers, nose in the air, a ball balanced on it.
  QPainterPath body;
  body.moveTo(c + QPointF(-16, 19));
  body.cubicTo(c + QPointF(-18, 4), c + QPointF(-8, -8), c + QPointF(-2, -14));
  body.lineTo(c + QPointF(7, -10));
  body.cubicTo(c + QPointF(6, 0), c + QPointF(10, 10), c + QPointF(16, 19));
  body.closeSubpath();
  const QColor fur(92, 104, 120);
  p.setBrush(fur);
  p.drawPath(body);
  p.drawEllipse(c + QPointF(2, -15), 7, 6.5);
  p.drawEllipse(c + QPointF(8.5, -18), 5, 3.5);  // snout
  p.setBrush(QColor(156, 168, 182));
  p.drawEllipse(c + QPointF(1, 5), 5.5, 11);
  p.setBrush(QColor(20, 22, 30));
  p.drawEllipse(c + QPointF(3.5, -17), 1.3, 1.3);
  p.drawEllipse(c + QPointF(12.6, -19.5), 1.4, 1.1);
  p.setBrush(QColor(240, 140, 30));
  p.drawEllipse(c + QPointF(13, -25.5), 5, 5);  // the ball on its nose
  p.setBrush(fur.darker(120));
  p.drawEllipse(c + QPointF(-4, 16), 6, 2.4);
  p.drawEllipse(c + QPointF(9, 16), 6, 2.4);
}

}  // namespace

void DrawFaceplatePrinting(QPainter& p) {
  p.save();
  DrawLettering(p);
  p.setPen(Qt::NoPen);
  DrawPenguinPrint(p, QPointF(43, 170));
  DrawSealPrint(p, QPointF(690, 176));
  p.restore();
}

}  // namespace floemark::artgen::photo
