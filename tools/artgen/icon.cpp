#include "tools/artgen/icon.h"

#include <QColor>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace floemark::artgen {
namespace {

// Index 0 is transparent: the sixteen colours of a classic icon.
enum Ink : int {
  kClear,
  kHinge,
  kBodyDark,
  kBody,
  kBodyLight,
  kMetal,
  kMetalShade,
  kBezel,
  kLcd,
  kLcdInk,
  kKeyDark,
  kKey,
  kKeyLight,
  kRed,
  kYellow,
  kInkCount
};
constexpr QRgb kPalette[kInkCount] = {0x00000000, 0xFF0F1B4C, 0xFF1B2F7A, 0xFF3159C8, 0xFF6F93EC,
                                      0xFFCDD1D6, 0xFF8E949E, 0xFF17181C, 0xFFBCC2AC, 0xFF2A2F2A,
                                      0xFFA9421A, 0xFFF26A2A, 0xFFFFC29A, 0xFFD8432E, 0xFFEEC23E};
static_assert(kInkCount <= 16);

constexpr int kGrid = 32;

struct Shape {
  enum class Kind { Rect, Rounded, Ellipse, Polygon };
  Kind kind;
  std::vector<QPointF> points;  // two corners, or a polygon's vertices
  double radius;                // Rounded only
  Ink ink;
};

Shape Rect(double x0, double y0, double x1, double y1, Ink ink) {
  return {Shape::Kind::Rect, {{x0, y0}, {x1, y1}}, 0, ink};
}
Shape Rounded(double x0, double y0, double x1, double y1, double r, Ink ink) {
  return {Shape::Kind::Rounded, {{x0, y0}, {x1, y1}}, r, ink};
}
Shape Ellipse(double x0, double y0, double x1, double y1, Ink ink) {
  return {Shape::Kind::Ellipse, {{x0, y0}, {x1, y1}}, 0, ink};
}
Shape Polygon(std::vector<QPointF> points, Ink ink) {
  return {Shape::Kind::Polygon, std::move(points), 0, ink};
}

// The left half of the opened console, from the hinge outwards; the right half is its mirror
// image about the hinge (x = 16). Edges on even lines fall between pixels at 16 px, where a
// shape covers the pixels whose centres lie strictly inside it: that is what keeps the
// smallest icon sharp and both halves alike, and lets the finest details drop out cleanly.
const std::vector<Shape>& HalfConsole() {
  static const std::vector<Shape> shapes = {
      Rect(13, 11, 16, 21, kHinge),
      Rounded(0, 6, 14, 26, 3.5, kBodyDark),
      Rounded(0, 6, 14, 24, 3.5, kBody),
      Rect(4, 6, 10, 7, kBodyLight),
      Rounded(1, 7, 13, 19.4, 1, kMetalShade),
      Rounded(1, 7, 13, 19, 1, kMetal),
      Rect(2, 8, 12, 18, kBezel),
      Rect(3, 9, 11, 17, kLcd),
      Rect(2, 18.2, 12, 18.5, kRed),
      Rect(2, 18.5, 12, 18.8, kYellow),
      Ellipse(2, 20, 6, 24, kKeyDark),
      Ellipse(8, 20, 12, 24, kKeyDark),
      Ellipse(2, 20, 6, 23.3, kKey),
      Ellipse(8, 20, 12, 23.3, kKey),
      Ellipse(3, 20.6, 4.3, 21.7, kKeyLight),
      Ellipse(9, 20.6, 10.3, 21.7, kKeyLight),
  };
  return shapes;
}

// The LCD figures in their ink: the penguin facing right on the left screen, the seal facing
// left on the right one, as the handheld has them.
const std::vector<Shape>& Figures() {
  static const std::vector<Shape> shapes = {
      // The penguin: head, body, beak, feet, then the light belly and eye.
      Ellipse(4.8, 9.2, 8.6, 12.8, kLcdInk),
      Ellipse(3.8, 11.0, 9.6, 16.9, kLcdInk),
      Polygon({{8.3, 10.4}, {10.2, 11.1}, {8.3, 11.8}}, kLcdInk),
      Rect(5.0, 16.4, 9.4, 16.95, kLcdInk),
      Ellipse(6.2, 12.2, 8.8, 16.2, kLcd),
      Ellipse(7.2, 10.0, 8.0, 10.8, kLcd),
      // The seal: body, neck, head, snout, fore flipper, tail, then the eye.
      Ellipse(21.6, 13.4, 28.8, 16.9, kLcdInk),
      Polygon({{22.4, 11.4}, {25.4, 11.2}, {26.6, 14.8}, {21.8, 15.2}}, kLcdInk),
      Ellipse(22.2, 9.2, 25.8, 12.6, kLcdInk),
      Polygon({{22.6, 10.2}, {21.1, 11.2}, {22.6, 12.0}}, kLcdInk),
      Polygon({{23.6, 15.0}, {21.6, 16.95}, {25.4, 16.95}}, kLcdInk),
      Polygon({{27.6, 15.0}, {28.95, 16.95}, {26.6, 16.95}}, kLcdInk),
      Ellipse(23.0, 10.0, 23.7, 10.7, kLcd),
  };
  return shapes;
}

QRectF Box(const Shape& s) { return QRectF(s.points[0], s.points[1]); }

// Strictly inside: a pixel whose centre lies on an edge belongs to neither side.
bool Contains(const Shape& s, QPointF q) {
  const QRectF b = Box(s);
  switch (s.kind) {
    case Shape::Kind::Rect:
      return q.x() > b.left() && q.x() < b.right() && q.y() > b.top() && q.y() < b.bottom();
    case Shape::Kind::Rounded: {
      if (!(q.x() > b.left() && q.x() < b.right() && q.y() > b.top() && q.y() < b.bottom()))
        return false;
      const double cx = std::clamp(q.x(), b.left() + s.radius, b.right() - s.radius);
      const double cy = std::clamp(q.y(), b.top() + s.radius, b.bottom() - s.radius);
      return (q.x() - cx) * (q.x() - cx) + (q.y() - cy) * (q.y() - cy) < s.radius * s.radius;
    }
    case Shape::Kind::Ellipse: {
      const double dx = (q.x() - b.center().x()) / (b.width() / 2);
      const double dy = (q.y() - b.center().y()) / (b.height() / 2);
      return dx * dx + dy * dy < 1;
    }
    case Shape::Kind::Polygon:
      return QPolygonF(QList<QPointF>(s.points.begin(), s.points.end()))
          .containsPoint(q, Qt::OddEvenFill);
  }
  return false;
}

QString Num(double v) { return QString::number(v, 'g', 6); }

QString Svg(const Shape& s) {
  const QString fill = QStringLiteral("fill=\"%1\"").arg(QColor::fromRgba(kPalette[s.ink]).name());
  const QRectF b = Box(s);
  switch (s.kind) {
    case Shape::Kind::Rect:
      return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" %5/>")
          .arg(Num(b.x()), Num(b.y()), Num(b.width()), Num(b.height()), fill);
    case Shape::Kind::Rounded:
      return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>")
          .arg(Num(b.x()), Num(b.y()), Num(b.width()), Num(b.height()), Num(s.radius), fill);
    case Shape::Kind::Ellipse:
      return QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" %5/>")
          .arg(Num(b.center().x()), Num(b.center().y()), Num(b.width() / 2), Num(b.height() / 2),
               fill);
    case Shape::Kind::Polygon: {
      QStringList points;
      for (const QPointF& q : s.points) points << Num(q.x()) + QLatin1Char(',') + Num(q.y());
      return QStringLiteral("<polygon points=\"%1\" %2/>").arg(points.join(QLatin1Char(' ')), fill);
    }
  }
  return {};
}

}  // namespace

QImage DrawIcon(int size) {
  QImage icon(size, size, QImage::Format_Indexed8);
  icon.setColorTable(QList<QRgb>(std::begin(kPalette), std::end(kPalette)));
  const double grid = double(kGrid) / size;
  for (int y = 0; y < size; ++y) {
    uchar* line = icon.scanLine(y);
    for (int x = 0; x < size; ++x) {
      const QPointF centre((x + 0.5) * grid, (y + 0.5) * grid);
      // The right half looks up its mirror point, so that it is the left half pixel for pixel.
      const QPointF half(std::min(centre.x(), kGrid - centre.x()), centre.y());
      Ink ink = kClear;
      for (const Shape& s : HalfConsole())
        if (Contains(s, half)) ink = s.ink;
      for (const Shape& s : Figures())
        if (Contains(s, centre)) ink = s.ink;
      line[x] = uchar(ink);
    }
  }
  return icon;
}

QByteArray IconSvg() {
  QString svg = QStringLiteral(
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%1\" height=\"%1\" "
                    "viewBox=\"0 0 %1 %1\" shape-rendering=\"crispEdges\">\n"
                    "<title>Floemark Simulator</title>\n<g id=\"half\">\n")
                    .arg(kGrid);
  for (const Shape& s : HalfConsole()) svg += Svg(s) + QLatin1Char('\n');
  svg += QStringLiteral("</g>\n<use xlink:href=\"#half\" transform=\"matrix(-1 0 0 1 %1 0)\"/>\n")
             .arg(kGrid);
  for (const Shape& s : Figures()) svg += Svg(s) + QLatin1Char('\n');
  svg += QStringLiteral("</svg>\n");
  return svg.toUtf8();
}

}  // namespace floemark::artgen
