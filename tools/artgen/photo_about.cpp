// The about window's wide product shot (the console open on a wooden table) and the icon.
#include <QPainterPath>
#include <QTransform>
#include <cmath>

#include "tools/artgen/artgen.h"
#include "tools/artgen/photo_common.h"

namespace floemark::artgen {

using namespace photo;

namespace {

// Oak boards: grain lines that wander slowly along the length of each board.
QImage Tabletop(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  const int boardHeight = 29;
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    const int board = y / boardHeight;
    for (int x = 0; x < w; ++x) {
      const double wave = std::sin(x * 0.021 + board * 1.7) * 4.0 + std::sin(x * 0.067 + board) * 1.5;
      const double g = std::sin((y + wave) * 1.35 + board * 2.1) * 0.5 + 0.5;
      const double fine = double(Hash(x / 6, y, 31 + board) & 0xFF) / 255.0;
      const double v = 0.78 + 0.16 * g + 0.06 * fine;
      const double tone = 0.92 + 0.08 * double(Hash(board, 0, 5) & 0xFF) / 255.0;
      line[x] = qRgb(int(150 * v * tone), int(98 * v * tone), int(58 * v * tone));
    }
    if (y % boardHeight == 0)
      for (int x = 0; x < w; ++x) line[x] = qRgb(60, 36, 20);
  }
  return img;
}

}  // namespace

QImage DrawAboutPhoto() {
  const int W = 252, H = 84;
  QImage img = Tabletop(W, H);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  // Light from a window at the upper left; the room falls dark towards the right.
  QRadialGradient light(QPointF(W * 0.3, -10), W * 0.85);
  light.setColorAt(0, QColor(255, 240, 210, 60));
  light.setColorAt(0.6, QColor(0, 0, 0, 40));
  light.setColorAt(1, QColor(0, 0, 0, 150));
  p.fillRect(img.rect(), light);

  // The console, lying open on the table and seen from a little above its near edge.
  const QPolygonF quad{QPointF(62, 9), QPointF(194, 9), QPointF(216, 74), QPointF(38, 74)};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 6; ++i) {
    const qreal s = 6 - i;
    p.setBrush(QColor(20, 10, 4, 40));
    p.drawPolygon(QPolygonF{quad[0] + QPointF(-s + 3, 2), quad[1] + QPointF(s + 4, 2),
                            quad[2] + QPointF(s + 5, s * 0.6 + 1),
                            quad[3] + QPointF(-s + 4, s * 0.6 + 1)});
  }
  const ConsoleState shot{.keysPressed = false, .lcdContent = true};
  const QImage console = ShrinkTo(RenderConsole(shot), 356, 186);
  QTransform t;
  if (QTransform::quadToQuad(QPolygonF(QRectF(console.rect())), quad, t)) {
    p.save();
    p.setTransform(t);
    p.drawImage(0, 0, console);
    p.restore();
  }
  // The near edge of the body shows its thickness.
  p.setBrush(QColor(12, 22, 60));
  p.drawPolygon(QPolygonF{quad[3] + QPointF(2, 0), quad[2] + QPointF(-2, 0),
                          quad[2] + QPointF(-3, 3), quad[3] + QPointF(3, 3)});
  p.end();
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
  for (int half = 0; half < 2; ++half) {
    const QRectF body(half * 8.25 + 0.25, 2.5, 7.5, 11.5);
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, QColor(64, 104, 210));
    g.setColorAt(1, QColor(24, 46, 130));
    p.setBrush(g);
    p.drawRoundedRect(body, 1.4, 1.4);
    p.setBrush(QColor(20, 20, 24));
    p.drawRect(QRectF(body.left() + 0.9, 4.0, 5.7, 4.8));
    p.setBrush(QColor(196, 200, 186));
    p.drawRect(QRectF(body.left() + 1.4, 4.5, 4.7, 3.8));
    p.setBrush(QColor(240, 100, 40));
    p.drawEllipse(QPointF(body.left() + (half ? 2.3 : 5.2), 11.3), 1.2, 1.2);
  }
  return img;
}

}  // namespace floemark::artgen
