// The console's moving and printed parts: keys, slide switches, screen windows, speaker grille.
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "tools/artgen/photo_common.h"

namespace floemark::artgen::photo {

namespace {
const QColor kPrint(232, 236, 244);  // the white ink of the body's printing
const QColor kCap(236, 92, 38);      // moulded orange key caps
}  // namespace

void DrawKey(QPainter& p, const QRect& r, bool pressed) {
  const QPointF c(r.x() + r.width() / 2.0, r.y() + r.height() / 2.0);
  p.save();
  p.setPen(Qt::NoPen);
  // The hole in the body: its lower wall catches the light, its upper wall is in shadow.
  QLinearGradient lip(c.x(), c.y() - 15, c.x(), c.y() + 15);
  lip.setColorAt(0, QColor(6, 10, 26));
  lip.setColorAt(0.5, QColor(14, 24, 60));
  lip.setColorAt(1, QColor(96, 124, 200));
  p.setBrush(lip);
  p.drawEllipse(c, 14.6, 14.6);
  p.setBrush(QColor(5, 7, 16));
  p.drawEllipse(c + QPointF(0, -0.5), 13.4, 13.4);

  const qreal radius = pressed ? 11.3 : 12.3;
  const QPointF cc = c + QPointF(0, pressed ? 1.0 : -0.7);
  if (!pressed) {
    // A cap standing proud throws a short shadow down into the hole.
    QRadialGradient sh(cc + QPointF(0.6, 2.0), radius + 1.8);
    sh.setColorAt(0.75, QColor(0, 0, 0, 170));
    sh.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(sh);
    p.drawEllipse(cc + QPointF(0.6, 2.0), radius + 1.8, radius + 1.8);
  }
  const QColor cap = pressed ? kCap.darker(150) : kCap;
  QRadialGradient g(cc, radius, cc + QPointF(-4, -5));
  g.setColorAt(0.0, cap.lighter(pressed ? 112 : 140));
  g.setColorAt(0.55, cap);
  g.setColorAt(0.92, cap.darker(150));
  g.setColorAt(1.0, cap.darker(210));
  p.setBrush(g);
  p.drawEllipse(cc, radius, radius);
  // The concave top of the cap: a soft ring of light round its lower edge.
  QRadialGradient dish(cc + QPointF(0, 1.5), radius * 0.8);
  dish.setColorAt(0.7, QColor(255, 255, 255, 0));
  dish.setColorAt(0.92, QColor(255, 220, 190, pressed ? 14 : 50));
  dish.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setBrush(dish);
  p.drawEllipse(cc + QPointF(0, 1.5), radius * 0.8, radius * 0.8);
  if (pressed) {
    // Sunk into the body, the cap lies in the shadow of the hole's upper wall.
    QLinearGradient shade(0, cc.y() - radius, 0, cc.y() + radius * 0.3);
    shade.setColorAt(0, QColor(0, 0, 0, 130));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shade);
    p.drawEllipse(cc, radius, radius);
  } else {
    // The rounded shoulder of a proud cap catches the lamp along its upper edge.
    p.setPen(QPen(QColor(255, 214, 180, 150), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawArc(
        QRectF(cc.x() - radius + 0.8, cc.y() - radius + 0.8, 2 * radius - 1.6, 2 * radius - 1.6),
        50 * 16, 110 * 16);
    p.setPen(Qt::NoPen);
  }
  // Specular highlight of the lamp: smaller and duller once the cap sinks into the body.
  const QPointF hp = cc + QPointF(-4.2, -5.0);
  const qreal hw = pressed ? 2.6 : 4.8, hh = pressed ? 1.6 : 2.8;
  QRadialGradient hl(hp, hw);
  hl.setColorAt(0, QColor(255, 255, 255, pressed ? 80 : 230));
  hl.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(hl);
  p.drawEllipse(hp, hw, hh);
  p.restore();
}

void DrawKeyLabel(QPainter& p, const QRect& r, int arrow) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kPrint);
  const qreal cx = r.x() + r.width() / 2.0;
  if (arrow != 0) {
    const qreal y = r.y() - 6.0, d = arrow * 4.0;
    QPolygonF tri{QPointF(cx + d, y), QPointF(cx - d, y - 3.6), QPointF(cx - d, y + 3.6)};
    p.drawPolygon(tri);
  } else {
    p.setPen(kPrint);
    p.setFont(PrintFont(7, true, 0.6));
    PrintCentred(p, cx, r.y() - 3.5, QStringLiteral("START"));
    PrintCentred(p, cx, r.bottom() + 10.5, QStringLiteral("ATTACK"));
  }
  p.restore();
}

void DrawSwitchPlate(QPainter& p) {
  // One plate behind the three switches, shaded top to bottom only, so that every switch cell
  // looks the same and one switch picture fits either of two places.
  const QRectF plate(97.5, 315.5, 122, 38);
  p.save();
  p.setPen(QPen(QColor(90, 112, 170), 1.0));
  QLinearGradient g(0, plate.top(), 0, plate.bottom());
  g.setColorAt(0, QColor(16, 20, 32));
  g.setColorAt(1, QColor(36, 42, 58));
  p.setBrush(g);
  p.drawRoundedRect(plate, 5, 5);
  p.setPen(kPrint);
  p.setFont(PrintFont(7, true, 0.5));
  PrintCentred(p, 118, 312, QStringLiteral("POWER"));
  PrintCentred(p, 158, 312, QStringLiteral("SELECT"));
  PrintCentred(p, 198, 312, QStringLiteral("SOUND"));
  p.setFont(PrintFont(6, false, 0.3));
  const char* marks[3][2] = {{"OFF", "ON"}, {"1P", "2P"}, {"ON", "OFF"}};
  for (int i = 0; i < 3; ++i) {
    const qreal left = 104 + 40 * i;
    PrintCentred(p, left + 7, 362, QString::fromLatin1(marks[i][0]));
    PrintCentred(p, left + 21, 362, QString::fromLatin1(marks[i][1]));
  }
  p.restore();
}

void DrawSwitch(QPainter& p, QPoint cell, bool knobRight) {
  p.save();
  p.translate(cell);
  p.setPen(Qt::NoPen);
  // The slot: a dark channel with a lit lower lip.
  p.setBrush(QColor(88, 100, 130));
  p.drawRoundedRect(QRectF(2.5, 8.5, 23, 12), 3, 3);
  QLinearGradient slot(0, 8, 0, 20);
  slot.setColorAt(0, QColor(0, 0, 0));
  slot.setColorAt(1, QColor(22, 24, 30));
  p.setBrush(slot);
  p.drawRoundedRect(QRectF(2.5, 8.0, 23, 11.5), 3, 3);
  // The knob: a ridged grey slider.
  const qreal kx = knobRight ? 14.0 : 4.0;
  p.setBrush(QColor(0, 0, 0, 120));
  p.drawRoundedRect(QRectF(kx + 0.8, 7.2, 10, 14.5), 2, 2);
  QLinearGradient knob(kx, 0, kx + 10, 0);
  knob.setColorAt(0, QColor(206, 208, 214));
  knob.setColorAt(0.5, QColor(168, 170, 178));
  knob.setColorAt(1, QColor(98, 100, 108));
  p.setBrush(knob);
  p.drawRoundedRect(QRectF(kx, 6.0, 10, 14.5), 2, 2);
  for (int i = 0; i < 3; ++i) {
    const qreal gx = kx + 2.5 + 2.5 * i;
    p.fillRect(QRectF(gx, 8.5, 1, 9.5), QColor(70, 72, 80));
    p.fillRect(QRectF(gx + 1, 8.5, 0.8, 9.5), QColor(236, 238, 242));
  }
  p.restore();
}

void DrawScreenWindow(QPainter& p, const QRect& lcd, QColor accent) {
  const QRectF l(lcd);
  p.save();
  p.setPen(Qt::NoPen);
  // The printed black frame, with a fine coloured rule inside it.
  QLinearGradient ink(0, l.top() - 13, 0, l.bottom() + 13);
  ink.setColorAt(0, QColor(34, 34, 40));
  ink.setColorAt(0.3, QColor(18, 18, 22));
  ink.setColorAt(1, QColor(14, 14, 18));
  p.setBrush(ink);
  p.drawRoundedRect(l.adjusted(-13, -13, 13, 13), 7, 7);
  p.setPen(QPen(accent, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(l.adjusted(-9.5, -9.5, 9.5, 9.5), 4, 4);
  p.setPen(Qt::NoPen);
  // The cut-out: its walls run down to the glass, shaded by the light from the upper left.
  const qreal b = 4;
  const QPointF tl = l.topLeft(), tr = l.topRight(), bl = l.bottomLeft(), br = l.bottomRight();
  const QPointF o(b, b), ox(b, -b);
  p.setBrush(QColor(4, 4, 6));
  p.drawPolygon(QPolygonF{tl - o, tr + ox, tr, tl});  // top wall
  p.setBrush(QColor(12, 12, 16));
  p.drawPolygon(QPolygonF{tl - o, tl, bl, bl - ox});  // left wall
  p.setBrush(QColor(78, 80, 88));
  p.drawPolygon(QPolygonF{bl - ox, br + o, br, bl});  // bottom wall
  p.setBrush(QColor(56, 58, 66));
  p.drawPolygon(QPolygonF{tr + ox, br + o, br, tr});  // right wall
  // The glass itself is covered by the screen pictures; kept dark so that no grey from it
  // softens into the walls round the screens.
  p.setBrush(QColor(30, 30, 34));
  p.drawRect(l);
  p.restore();
}

void DrawSpeaker(QPainter& p, const QRectF& area) {
  p.save();
  p.setPen(Qt::NoPen);
  for (qreal y = area.top() + 3; y < area.bottom() - 2; y += 6.5) {
    for (qreal x = area.left() + 3; x < area.right() - 2; x += 6.5) {
      p.setBrush(QColor(110, 136, 210, 150));
      p.drawEllipse(QPointF(x + 0.4, y + 0.6), 2.1, 2.1);
      p.setBrush(QColor(2, 4, 12));
      p.drawEllipse(QPointF(x, y), 1.9, 1.9);
    }
  }
  p.restore();
}

void DrawLcdDemo(QPainter& p, const QRect& lcd, bool seal) {
  // A frozen moment of play, for the small product shots only.
  p.save();
  p.fillRect(lcd, QColor(188, 190, 184));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 42, 40));
  const qreal x0 = lcd.x(), y0 = lcd.y(), w = lcd.width(), h = lcd.height();
  const qreal fx = seal ? x0 + w * 0.62 : x0 + w * 0.38;
  p.drawEllipse(QPointF(fx, y0 + h * 0.78), w * 0.06, h * 0.12);  // player
  p.drawEllipse(QPointF(x0 + w * (seal ? 0.3 : 0.7), y0 + h * 0.45), w * 0.035, w * 0.035);  // bomb
  p.drawRect(QRectF(x0 + w * (seal ? 0.1 : 0.2), y0 + h * 0.07, w * 0.16, h * 0.08));  // vulture
  p.drawRect(QRectF(x0 + w * 0.05, y0 + h * 0.88, w * 0.08, h * 0.07));                // score
  p.drawRect(QRectF(x0 + w * 0.87, y0 + h * 0.88, w * 0.08, h * 0.07));
  p.restore();
}

}  // namespace floemark::artgen::photo
