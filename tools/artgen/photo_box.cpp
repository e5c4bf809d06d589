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

// The printed front of the box, drawn flat at its own size: a navy title band over an ice
// field on which the product lies. `u` is the scale the fixed sizes in it are given for.
QImage FrontArt(int w, int h, const QImage& product, int u) {
  QImage art(w, h, QImage::Format_RGB32);
  QPainter p(&art);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient ice(0, 0, 0, h);
  ice.setColorAt(0, QColor(150, 200, 240));
  ice.setColorAt(0.6, QColor(226, 242, 252));
  ice.setColorAt(1, QColor(186, 216, 240));
  p.fillRect(art.rect(), ice);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 18; ++i) {
    const qreal x = qreal(Hash(i, 1, 77) % unsigned(w));
    const qreal y = h * 0.45 + qreal(Hash(i, 2, 77) % unsigned(h / 2));
    p.setBrush(QColor(255, 255, 255, 90 + int(Hash(i, 3, 77) % 100)));
    p.drawEllipse(QPointF(x, y), u * (8 + Hash(i, 4, 77) % 14), u * (2 + Hash(i, 5, 77) % 4));
  }
  const qreal band = h * 0.34;
  QLinearGradient navy(0, 0, 0, band);
  navy.setColorAt(0, QColor(30, 60, 156));
  navy.setColorAt(1, QColor(14, 30, 96));
  p.fillRect(QRectF(0, 0, w, band), navy);
  const QColor stripes[] = {QColor(206, 40, 36), QColor(236, 128, 28), QColor(242, 196, 40)};
  for (int i = 0; i < 3; ++i) p.fillRect(QRectF(0, band + u * 2.6 * i, w, u * 1.8), stripes[i]);
  // Title in white with an orange edge, as printed over the navy.
  QPainterPath title;
  title.addText(0, 0, PrintFont(h * 0.17, true, 1.4), QStringLiteral("FLOEMARK"));
  const QRectF tb = title.boundingRect();
  title.translate(w / 2.0 - tb.center().x(), band * 0.48 - tb.center().y());
  p.setPen(QPen(QColor(240, 130, 30), h * 0.018));
  p.setBrush(Qt::NoBrush);
  p.drawPath(title);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawPath(title);
  p.setPen(QColor(255, 226, 120));
  p.setFont(PrintFont(h * 0.062, true, 2.0));
  PrintCentred(p, w / 2.0, band * 0.88, QStringLiteral("DUAL SCREEN  ·  PLAY & CLOCK"));
  // The product, lying on the ice with its shadow.
  const int pw = int(w * 0.74), ph = pw * product.height() / product.width();
  const QRectF pr((w - pw) / 2.0, band + (h - band - ph) * 0.42, pw, ph);
  p.setBrush(QColor(20, 40, 80, 80));
  p.drawRoundedRect(pr.translated(3 * u, 5 * u), 8 * u, 8 * u);
  p.drawImage(pr.topLeft(), ShrinkTo(product, pw, ph));
  // The maker's name and the model along the foot of the box.
  p.fillRect(QRectF(0, h * 0.9, w, h * 0.1), QColor(14, 30, 96));
  p.setPen(QColor(255, 255, 255));
  p.setFont(PrintFont(h * 0.065, true, 1.5 * u));
  p.drawText(QPointF(8 * u, h - 4 * u), QStringLiteral("KORVANE"));
  p.setFont(PrintFont(h * 0.05, false, 0.6 * u));
  const QString model = QStringLiteral("MODEL FM-52");
  p.drawText(QPointF(w - 8 * u - QFontMetricsF(p.font()).horizontalAdvance(model), h - 5 * u),
             model);
  return art;
}

QImage SideArt(int w, int h, int u) {
  QImage art(w, h, QImage::Format_RGB32);
  QPainter p(&art);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(art.rect(), kBoxBlue.darker(125));
  const QColor stripes[] = {QColor(206, 40, 36), QColor(236, 128, 28), QColor(242, 196, 40)};
  for (int i = 0; i < 3; ++i) p.fillRect(QRectF(0, h * 0.86 + u * 2.2 * i, w, u * 1.4), stripes[i]);
  p.translate(w / 2.0 + 3 * u, h * 0.78);
  p.rotate(-90);
  p.setPen(QColor(240, 240, 250));
  p.setFont(PrintFont(w * 0.42, true, 1.0 * u));
  p.drawText(QPointF(0, 0), QStringLiteral("FLOEMARK"));
  return art;
}

// The front's reflection in the glossy studio floor, fading out within a few pixels.
QImage FloorReflection(const QImage& front, int rows) {
  QImage refl = front.mirrored(false, true).copy(0, 0, front.width(), rows);
  refl = refl.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p(&refl);
  p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  QLinearGradient fade(0, 0, 0, rows);
  fade.setColorAt(0, QColor(0, 0, 0, 70));
  fade.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(refl.rect(), fade);
  return refl;
}

}  // namespace

QImage DrawSplashPicture(int scale) {
  // Drawn at three times the size and shrunk, as the lens would resolve it.
  const int W = 200, H = 141, S = 3 * scale;
  QImage big(W * S, H * S, QImage::Format_RGB32);
  QPainter p(&big);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.scale(S, S);
  // Studio backdrop: a sweep of dark grey falling off to black at the edges.
  QRadialGradient bg(QPointF(W * 0.45, H * 0.35), W * 0.75);
  bg.setColorAt(0, QColor(70, 74, 82));
  bg.setColorAt(1, QColor(8, 8, 10));
  p.fillRect(QRectF(0, 0, W, H), bg);

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
  // The front and its reflection.
  const ConsoleState shot{.keysPressed = false, .lcdContent = true, .cutout = true, .scale = scale};
  const QImage art =
      FrontArt(int(front.width()) * S, int(front.height()) * S, RenderConsole(shot), scale);
  p.drawImage(front, art);
  const int rows = int(H - front.bottom()) * S;
  p.drawImage(QRectF(front.left(), front.bottom(), front.width(), qreal(rows) / S),
              FloorReflection(art, rows));
  // The side, turned away from the light.
  const QImage side = SideArt(int(depth.x()) * S, int(front.height()) * S, scale);
  const QPolygonF sideQuad{front.topRight(), front.topRight() + depth, front.bottomRight() + depth,
                           front.bottomRight()};
  QTransform t;
  if (QTransform::quadToQuad(CornersOf(side), sideQuad, t)) {
    p.save();
    p.setTransform(t * QTransform::fromScale(S, S));
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
  QImage img = ShrinkTo(big, W * scale, H * scale);
  AddGrain(img, img.rect(), QPoint(0, 0), 2, 0xB0C5u);
  return img;
}

}  // namespace floemark::artgen
