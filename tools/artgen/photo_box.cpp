// The splash picture: the game in its retail box, standing on a dark studio floor.
#include <QFontMetricsF>
#include <QPainterPath>
#include <QTransform>

#include "tools/artgen/artgen.h"
#include "tools/artgen/photo_common.h"

namespace floemark::artgen {

using namespace photo;

namespace {

const QColor kBoxBlue(26, 58, 150);

// The printed front of the box, drawn flat at its own size.
QImage FrontArt(int w, int h, const QImage& product) {
  QImage art(w, h, QImage::Format_RGB32);
  QPainter p(&art);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, h);
  bg.setColorAt(0, QColor(40, 86, 190));
  bg.setColorAt(0.55, kBoxBlue);
  bg.setColorAt(1, QColor(12, 26, 80));
  p.fillRect(art.rect(), bg);
  // An ice field drawn behind the product: pale floes on the blue.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 14; ++i) {
    const qreal x = qreal(Hash(i, 1, 77) % unsigned(w));
    const qreal y = h * 0.62 + qreal(Hash(i, 2, 77) % unsigned(h / 3));
    p.setBrush(QColor(200, 226, 250, 60 + int(Hash(i, 3, 77) % 60)));
    p.drawEllipse(QPointF(x, y), 6 + Hash(i, 4, 77) % 9, 1.5 + Hash(i, 5, 77) % 3);
  }
  // Title with an orange edge, as printed over the blue.
  QPainterPath title;
  const QFont tf = PrintFont(h * 0.19, true, 1.2);
  title.addText(0, 0, tf, QStringLiteral("FLOEMARK"));
  const QRectF tb = title.boundingRect();
  title.translate(w / 2.0 - tb.center().x(), h * 0.215 - tb.top() - tb.height() / 2 + 2);
  p.setPen(QPen(QColor(240, 130, 30), 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(title);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawPath(title);
  p.setPen(QColor(255, 226, 120));
  p.setFont(PrintFont(h * 0.075, true, 1.4));
  PrintCentred(p, w / 2.0, h * 0.355, QStringLiteral("DUAL SCREEN"));
  // The product itself, with its shadow on the printed ground.
  const int pw = int(w * 0.84), ph = pw * product.height() / product.width();
  const QRectF pr((w - pw) / 2.0, h * 0.40, pw, ph);
  p.setBrush(QColor(0, 0, 20, 110));
  p.drawRoundedRect(pr.translated(2, 3), 4, 4);
  p.drawImage(pr.topLeft(), ShrinkTo(product, pw, ph));
  // Stripes and the maker's name along the foot of the box.
  const QColor stripes[] = {QColor(206, 40, 36), QColor(236, 128, 28), QColor(242, 196, 40)};
  for (int i = 0; i < 3; ++i) p.fillRect(QRectF(0, h * 0.86 + 2.2 * i, w, 1.4), stripes[i]);
  p.setPen(QColor(255, 255, 255));
  p.setFont(PrintFont(h * 0.07, true, 1.0));
  p.drawText(QPointF(5, h - 3), QStringLiteral("KORVANE"));
  p.setFont(PrintFont(h * 0.055, false, 0.5));
  const QString model = QStringLiteral("FM-52");
  p.drawText(QPointF(w - 6 - QFontMetricsF(p.font()).horizontalAdvance(model), h - 3), model);
  return art;
}

QImage SideArt(int w, int h) {
  QImage art(w, h, QImage::Format_RGB32);
  QPainter p(&art);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(art.rect(), kBoxBlue.darker(125));
  const QColor stripes[] = {QColor(206, 40, 36), QColor(236, 128, 28), QColor(242, 196, 40)};
  for (int i = 0; i < 3; ++i) p.fillRect(QRectF(0, h * 0.86 + 2.2 * i, w, 1.4), stripes[i]);
  p.translate(w / 2.0 + 3, h * 0.78);
  p.rotate(-90);
  p.setPen(QColor(240, 240, 250));
  p.setFont(PrintFont(w * 0.42, true, 1.0));
  p.drawText(QPointF(0, 0), QStringLiteral("FLOEMARK"));
  return art;
}

}  // namespace

QImage DrawSplashPicture() {
  const int W = 200, H = 141;
  QImage img(W, H, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  // Studio backdrop: a sweep of dark grey falling off to black at the edges.
  QRadialGradient bg(QPointF(W * 0.45, H * 0.35), W * 0.75);
  bg.setColorAt(0, QColor(70, 74, 82));
  bg.setColorAt(1, QColor(8, 8, 10));
  p.fillRect(img.rect(), bg);

  const QRectF front(20, 34, 134, 94);
  const QPointF depth(26, -15);
  // Shadow of the box on the floor, softened in a few passes.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 6; ++i) {
    p.setBrush(QColor(0, 0, 0, 34));
    const qreal s = 7 - i;
    QPolygonF shadow{front.bottomLeft() + QPointF(-s, 1), front.bottomRight() + QPointF(s, 1),
                     front.bottomRight() + depth + QPointF(s + 8, -s * 0.3),
                     front.bottomLeft() + depth + QPointF(4 - s, -s * 0.3)};
    p.drawPolygon(shadow);
  }
  // The front.
  const ConsoleState shot{.keysPressed = false, .lcdContent = true};
  const QImage art = FrontArt(int(front.width()) * 2, int(front.height()) * 2, RenderConsole(shot));
  p.drawImage(front, ShrinkTo(art, int(front.width()), int(front.height())));
  // The side, turned away from the light.
  const QImage side = SideArt(int(depth.x()) * 3, int(front.height()) * 3);
  const QPolygonF sideQuad{front.topRight(), front.topRight() + depth,
                           front.bottomRight() + depth, front.bottomRight()};
  QTransform t;
  if (QTransform::quadToQuad(QPolygonF(QRectF(side.rect())), sideQuad, t)) {
    p.save();
    p.setTransform(t);
    p.drawImage(0, 0, side);
    p.restore();
  }
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawPolygon(sideQuad);
  // The lid, facing the lamp.
  const QPolygonF top{front.topLeft(), front.topLeft() + depth, front.topRight() + depth,
                      front.topRight()};
  QLinearGradient lid(front.topLeft(), front.topRight() + depth);
  lid.setColorAt(0, kBoxBlue.lighter(150));
  lid.setColorAt(1, kBoxBlue.lighter(118));
  p.setBrush(lid);
  p.drawPolygon(top);
  // Edges catch the light; a gloss band crosses the printed front.
  p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
  p.drawLine(front.topLeft(), front.topRight());
  p.drawLine(front.topRight(), front.bottomRight());
  p.setPen(QPen(QColor(255, 255, 255, 60), 0.8));
  p.drawLine(front.topLeft() + depth, front.topRight() + depth);
  p.setPen(Qt::NoPen);
  QLinearGradient gloss(front.left(), front.top(), front.left() + 60, front.bottom());
  gloss.setColorAt(0.0, QColor(255, 255, 255, 0));
  gloss.setColorAt(0.45, QColor(255, 255, 255, 34));
  gloss.setColorAt(0.60, QColor(255, 255, 255, 0));
  p.setBrush(gloss);
  p.drawRect(front);
  p.end();
  AddGrain(img, img.rect(), QPoint(0, 0), 2, 0xB0C5u);
  return img;
}

}  // namespace floemark::artgen
