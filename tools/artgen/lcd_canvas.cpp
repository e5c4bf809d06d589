#include "tools/artgen/lcd_canvas.h"

#include <algorithm>
#include <cmath>

namespace floemark::artgen {

Canvas::Canvas(int width, int height, int scale)
    : width_(width),
      height_(height),
      scale_(scale),
      ink_(std::size_t(width * scale) * std::size_t(height * scale), false) {}

bool Canvas::DotAt(int x, int y) const {
  return x >= 0 && y >= 0 && x < dotsWide() && y < dotsHigh() &&
         ink_[std::size_t(y) * std::size_t(dotsWide()) + std::size_t(x)];
}

void Canvas::SetDot(int x, int y, bool ink) {
  if (x >= 0 && y >= 0 && x < dotsWide() && y < dotsHigh())
    ink_[std::size_t(y) * std::size_t(dotsWide()) + std::size_t(x)] = ink;
}

Pt Canvas::Map(Pt p) const {
  const double x = place_.mirror ? -p.x : p.x;
  return {(place_.x + place_.scale * x) * scale_,
          (place_.y + place_.scale * place_.stretch * p.y) * scale_};
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, bool ink) {
  const Pt c = Map({cx, cy});
  rx *= DotsPerUnit();
  ry *= DotsPerUnit() * place_.stretch;
  if (rx <= 0 || ry <= 0) return;
  for (int y = 0; y < dotsHigh(); ++y) {
    for (int x = 0; x < dotsWide(); ++x) {
      const double dx = (x + 0.5 - c.x) / rx, dy = (y + 0.5 - c.y) / ry;
      if (dx * dx + dy * dy <= 1.0) SetDot(x, y, ink);
    }
  }
}

void Canvas::Polygon(const std::vector<Pt>& points, bool ink) {
  std::vector<Pt> p;
  for (const Pt& q : points) p.push_back(Map(q));
  const std::size_t n = p.size();
  if (n < 3) return;
  for (int y = 0; y < dotsHigh(); ++y) {
    for (int x = 0; x < dotsWide(); ++x) {
      // Even-odd rule on the dot's centre.
      const double px = x + 0.5, py = y + 0.5;
      bool inside = false;
      for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        if ((p[i].y > py) != (p[j].y > py) &&
            px < (p[j].x - p[i].x) * (py - p[i].y) / (p[j].y - p[i].y) + p[i].x) {
          inside = !inside;
        }
      }
      if (inside) SetDot(x, y, ink);
    }
  }
}

void Canvas::Line(Pt a, Pt b, double width, bool ink) {
  a = Map(a);
  b = Map(b);
  const double r = std::max(0.5, width * DotsPerUnit() / 2);
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  for (int y = 0; y < dotsHigh(); ++y) {
    for (int x = 0; x < dotsWide(); ++x) {
      const double px = x + 0.5 - a.x, py = y + 0.5 - a.y;
      const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
      const double ex = px - t * dx, ey = py - t * dy;
      // A hair more than half the width keeps one-dot diagonals unbroken.
      if (ex * ex + ey * ey <= (r + 0.05) * (r + 0.05)) SetDot(x, y, ink);
    }
  }
}

void Canvas::Curve(Pt a, Pt k, Pt b, double width, bool ink) {
  constexpr int kSteps = 12;
  Pt prev = a;
  for (int i = 1; i <= kSteps; ++i) {
    const double t = double(i) / kSteps, u = 1 - t;
    const Pt p{u * u * a.x + 2 * u * t * k.x + t * t * b.x,
               u * u * a.y + 2 * u * t * k.y + t * t * b.y};
    Line(prev, p, width, ink);
    prev = p;
  }
}

void Canvas::Box(double x, double y, double w, double h, bool ink) {
  Polygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, ink);
}

void Canvas::ClearAround(const Canvas& other) {
  const int reach = scale_;
  for (int y = 0; y < dotsHigh(); ++y) {
    for (int x = 0; x < dotsWide(); ++x) {
      bool near = false;
      for (int dy = -reach; dy <= reach && !near; ++dy) {
        for (int dx = -reach; dx <= reach && !near; ++dx) near = other.DotAt(x + dx, y + dy);
      }
      if (near) SetDot(x, y, false);
    }
  }
}

QImage Canvas::ToImage(bool transparent) const {
  QImage img(dotsWide(), dotsHigh(), QImage::Format_Mono);
  img.setColorTable({qRgb(0, 0, 0), transparent ? qRgb(255, 255, 255) : qRgb(190, 190, 190)});
  // Filling first also sets the padding bits at the end of every row, which the file keeps:
  // left alone they would hold whatever the memory held, and the bytes would differ run to run.
  img.fill(1);
  for (int y = 0; y < dotsHigh(); ++y) {
    for (int x = 0; x < dotsWide(); ++x) img.setPixel(x, y, DotAt(x, y) ? 0 : 1);
  }
  return img;
}

}  // namespace floemark::artgen
