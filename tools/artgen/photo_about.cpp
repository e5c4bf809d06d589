// The about window's wide product shot (the console open on a wooden table) and the icon.
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "tools/artgen/artgen.h"
#include "tools/artgen/photo_common.h"

namespace floemark::artgen {

using namespace photo;

namespace {

// Oak boards running across the picture, drawn at `scale` times the picture's size: grain lines
// that wander slowly along each board, fine pores, and a dark joint between boards.
QImage Tabletop(int w, int h, int scale) {
  QImage img(w * scale, h * scale, QImage::Format_RGB32);
  const double boardHeight = 29.0 * scale;
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    const int board = int(y / boardHeight);
    const double tone = 0.90 + 0.10 * double(Hash(board, 0, 5) & 0xFF) / 255.0;
    const double inBoard = std::fmod(y, boardHeight);
    for (int x = 0; x < img.width(); ++x) {
      const double xs = double(x) / scale;
      const double wave =
          std::sin(xs * 0.019 + board * 1.7) * 5.0 + std::sin(xs * 0.053 + board * 0.6) * 2.0;
      const double ring = std::sin((y / double(scale) + wave) * (0.9 + 0.25 * (board % 3)));
      const double grain = 0.5 + 0.5 * ring * ring * ring;
      const double pores = Streak(x, y, 9 * scale, 31 + board) * 0.5 + 0.5;
      double v = (0.74 + 0.14 * grain + 0.10 * pores) * tone;
      if (inBoard < scale * 0.9) v *= 0.45;  // the joint
      line[x] = qRgb(std::min(255, int(156 * v)), std::min(255, int(100 * v)),
                     std::min(255, int(58 * v)));
    }
  }
  return img;
}

}  // namespace

QImage DrawAboutPhoto(int scale) {
  const int W = 252, H = 84, S = 3 * scale;
  QImage big = Tabletop(W, H, S);
  QPainter p(&big);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.scale(S, S);
  // Light from a window at the upper left; the room falls dark towards the right.
  QRadialGradient light(QPointF(W * 0.3, -10), W * 0.85);
  light.setColorAt(0, QColor(255, 240, 210, 60));
  light.setColorAt(0.6, QColor(0, 0, 0, 40));
  light.setColorAt(1, QColor(0, 0, 0, 150));
  p.fillRect(QRectF(0, 0, W, H), light);

  // The console, lying open on the table and seen from a little above its near edge.
  const QPolygonF quad{QPointF(62, 9), QPointF(194, 9), QPointF(216, 73), QPointF(38, 73)};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 8; ++i) {
    const qreal s = 8 - i;
    p.setBrush(QColor(20, 10, 4, 34));
    p.drawPolygon(QPolygonF{quad[0] + QPointF(-s + 3, 2), quad[1] + QPointF(s + 4, 2),
                            quad[2] + QPointF(s + 5, s * 0.6 + 2),
                            quad[3] + QPointF(-s + 4, s * 0.6 + 2)});
  }
  // The near edge of the body shows its thickness.
  p.setBrush(QColor(10, 18, 52));
  p.drawPolygon(QPolygonF{quad[3] + QPointF(0.5, -1), quad[2] + QPointF(-0.5, -1),
                          quad[2] + QPointF(-1.5, 2.5), quad[3] + QPointF(1.5, 2.5)});
  const ConsoleState shot{.keysPressed = false, .lcdContent = true, .cutout = true, .scale = scale};
  const QImage console = RenderConsole(shot);
  QTransform t;
  if (QTransform::quadToQuad(CornersOf(console), quad, t)) {
    p.save();
    p.setTransform(t * QTransform::fromScale(S, S));
    p.drawImage(0, 0, console);
    p.restore();
  }
  p.end();
  // Shallow depth of field: the far edge of the table and of the console go soft, as far at
  // every scale (the passes spread the blur by the square root of their number).
  QImage far = big.copy();
  for (int i = 0; i < 4 * scale * scale; ++i) Soften(far, 1.0);
  const int sharpFrom = big.height() * 2 / 5;
  for (int y = 0; y < sharpFrom; ++y) {
    const double w = 1.0 - double(y) / sharpFrom;
    auto* line = reinterpret_cast<QRgb*>(big.scanLine(y));
    const auto* soft = reinterpret_cast<const QRgb*>(far.constScanLine(y));
    for (int x = 0; x < big.width(); ++x) {
      const auto mix = [w](int a, int b) { return int(std::lround(a + (b - a) * w)); };
      line[x] = qRgb(mix(qRed(line[x]), qRed(soft[x])), mix(qGreen(line[x]), qGreen(soft[x])),
                     mix(qBlue(line[x]), qBlue(soft[x])));
    }
  }
  QImage img = ShrinkTo(big, W * scale, H * scale).convertToFormat(QImage::Format_RGB32);
  AddGrain(img, img.rect(), QPoint(0, 0), 2, 0xF070u);
  return img;
}

QImage DrawIcon(int size) {
  // The console opened flat, seen from above: two blue halves, two screens, two orange keys.
  QImage img(size, size, QImage::Format_RGB32);
  img.fill(QColor(0, 0, 0));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  p.setPen(Qt::NoPen);
  // Laid out on the 16-pixel grid so that the small icon stays sharp.
  for (int half = 0; half < 2; ++half) {
    const qreal x = half * 8;
    const QRectF body(x, 3, 7, 10);
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, QColor(70, 110, 216));
    g.setColorAt(1, QColor(24, 46, 130));
    p.setBrush(g);
    p.drawRoundedRect(body, 1.2, 1.2);
    p.setBrush(QColor(210, 212, 216));
    p.drawRect(QRectF(x + 0.5, 3.5, 6, 5.5));  // the metal faceplate
    p.setBrush(QColor(20, 20, 24));
    p.drawRect(QRectF(x + 1, 4, 5, 4.5));
    p.setBrush(QColor(196, 200, 186));
    p.drawRect(QRectF(x + 1.5, 4.5, 4, 3.5));
    p.setBrush(QColor(244, 104, 40));
    p.drawEllipse(QRectF(x + 1, 10, 2, 2));
    p.drawEllipse(QRectF(x + 4, 10, 2, 2));
  }
  return img;
}

}  // namespace floemark::artgen
