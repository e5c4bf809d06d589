// Grain, brushed metal and type shared by every photograph.
#include "tools/artgen/photo_common.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <algorithm>
#include <cmath>

namespace floemark::artgen::photo {

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = seed ^ (x * 0x9E3779B1u) ^ (y * 0x85EBCA77u) ^ 0x27D4EB2Fu;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

namespace {
int Clamp8(int v) { return std::clamp(v, 0, 255); }
}  // namespace

double Streak(int x, int y, int cell, std::uint32_t seed) {
  const int i = x / cell;
  const double t = double(x % cell) / cell;
  const double s = t * t * (3 - 2 * t);
  const double a = double(Hash(i, y, seed) & 0xFFFF) / 65535.0;
  const double b = double(Hash(i + 1, y, seed) & 0xFFFF) / 65535.0;
  return (a + (b - a) * s) * 2 - 1;
}

QPolygonF CornersOf(const QImage& img) {
  const qreal w = img.width(), h = img.height();
  return QPolygonF{QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)};
}

void AddGrain(QImage& img, const QRect& area, QPoint origin, int amplitude, std::uint32_t seed) {
  const QRect r = area.intersected(img.rect());
  const int span = 2 * amplitude + 1;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = r.left(); x <= r.right(); ++x) {
      const int n = int(Hash(x - origin.x(), y - origin.y(), seed) % span) - amplitude;
      const QRgb c = line[x];
      line[x] = qRgb(Clamp8(qRed(c) + n), Clamp8(qGreen(c) + n), Clamp8(qBlue(c) + n));
    }
  }
}

void Soften(QImage& img, double amount) {
  const QImage src = img.copy();
  const int w = img.width(), h = img.height();
  const int k[3] = {1, 2, 1};
  for (int y = 0; y < h; ++y) {
    auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      int r = 0, g = 0, b = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        const auto* in =
            reinterpret_cast<const QRgb*>(src.constScanLine(std::clamp(y + dy, 0, h - 1)));
        for (int dx = -1; dx <= 1; ++dx) {
          const QRgb c = in[std::clamp(x + dx, 0, w - 1)];
          const int wt = k[dy + 1] * k[dx + 1];
          r += qRed(c) * wt, g += qGreen(c) * wt, b += qBlue(c) * wt;
        }
      }
      const QRgb o = out[x];
      const auto mix = [amount](int orig, int blurred) {
        return Clamp8(int(std::lround(orig + (blurred / 16.0 - orig) * amount)));
      };
      out[x] = qRgb(mix(qRed(o), r), mix(qGreen(o), g), mix(qBlue(o), b));
    }
  }
}

QImage BrushedMetal(int width, int height, QColor base, std::uint32_t seed, int scale) {
  width *= scale;
  height *= scale;
  QImage img(width, height, QImage::Format_RGB32);
  {
    // Brushed metal throws back the light in broad bands across the grain.
    QPainter p(&img);
    QLinearGradient g(0, 0, width, height * 0.35);
    g.setColorAt(0.00, base.lighter(112));
    g.setColorAt(0.22, base.darker(104));
    g.setColorAt(0.45, base.lighter(118));
    g.setColorAt(0.70, base.darker(108));
    g.setColorAt(1.00, base.lighter(104));
    p.fillRect(img.rect(), g);
  }
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    const double row = (double(Hash(7, y, seed) & 0xFF) / 255.0 - 0.5) * 7;
    for (int x = 0; x < width; ++x) {
      const double v =
          row + Streak(x, y, 23 * scale, seed) * 4 + Streak(x, y, 5 * scale, seed + 1) * 1.5;
      const int n = int(std::lround(v));
      const QRgb c = line[x];
      line[x] = qRgb(Clamp8(qRed(c) + n), Clamp8(qGreen(c) + n), Clamp8(qBlue(c) + n));
    }
  }
  img.setDevicePixelRatio(scale);
  return img;
}

QFont PrintFont(qreal pixelSize, bool bold, qreal letterSpacing) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferAntialias);
  if (letterSpacing != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
  return f;
}

void PrintCentred(QPainter& p, qreal cx, qreal baseline, const QString& text) {
  const QFontMetricsF fm(p.font());
  p.drawText(QPointF(cx - fm.horizontalAdvance(text) / 2, baseline), text);
}

QImage ShrinkTo(const QImage& src, int width, int height) {
  QImage img = src;
  while (img.width() / 2 >= width * 2 && img.height() / 2 >= height * 2)
    img = img.scaled(img.width() / 2, img.height() / 2, Qt::IgnoreAspectRatio,
                     Qt::SmoothTransformation);
  return img.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace floemark::artgen::photo
