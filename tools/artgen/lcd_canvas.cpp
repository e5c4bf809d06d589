#include "tools/artgen/lcd_canvas.h"

#include <algorithm>
#include <cmath>

namespace floemark::artgen {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), ink_(std::size_t(width * height), false) {}

bool Canvas::At(int x, int y) const {
  return x >= 0 && y >= 0 && x < width_ && y < height_ && ink_[std::size_t(y * width_ + x)];
}

void Canvas::Set(int x, int y, bool ink) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) ink_[std::size_t(y * width_ + x)] = ink;
}

Pt Canvas::Map(Pt p) const {
  const double x = place_.mirror ? -p.x : p.x;
  return {place_.x + place_.scale * x, place_.y + place_.scale * place_.stretch * p.y};
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, bool ink) {
  const Pt c = Map({cx, cy});
  rx *= Scale();
  ry *= Scale() * place_.stretch;
  if (rx <= 0 || ry <= 0) return;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const double dx = (x + 0.5 - c.x) / rx, dy = (y + 0.5 - c.y) / ry;
      if (dx * dx + dy * dy <= 1.0) Set(x, y, ink);
    }
  }
}

void Canvas::Polygon(const std::vector<Pt>& points, bool ink) {
  std::vector<Pt> p;
  for (const Pt& q : points) p.push_back(Map(q));
  const std::size_t n = p.size();
  if (n < 3) return;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      // Even-odd rule on the pixel centre.
      const double px = x + 0.5, py = y + 0.5;
      bool inside = false;
      for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        if ((p[i].y > py) != (p[j].y > py) &&
            px < (p[j].x - p[i].x) * (py - p[i].y) / (p[j].y - p[i].y) + p[i].x) {
          inside = !inside;
        }
      }
      if (inside) Set(x, y, ink);
    }
  }
}

void Canvas::Line(Pt a, Pt b, double width, bool ink) {
  a = Map(a);
  b = Map(b);
  const double r = std::max(0.5, width * Scale() / 2);
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const double px = x + 0.5 - a.x, py = y + 0.5 - a.y;
      const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
      const double ex = px - t * dx, ey = py - t * dy;
      // A hair more than half the width keeps one-pixel diagonals unbroken.
      if (ex * ex + ey * ey <= (r + 0.05) * (r + 0.05)) Set(x, y, ink);
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

void Canvas::Pixels(int x, int y, const std::vector<const char*>& rows) {
  for (std::size_t j = 0; j < rows.size(); ++j) {
    for (int i = 0; rows[j][i] != '\0'; ++i) {
      if (rows[j][i] != '#' && rows[j][i] != '-') continue;
      const Pt p = Map({x + i + 0.5, y + double(j) + 0.5});
      Set(int(std::floor(p.x)), int(std::floor(p.y)), rows[j][i] == '#');
    }
  }
}

void Canvas::ClearAround(const Canvas& other) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      bool near = false;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) near = near || other.At(x + dx, y + dy);
      }
      if (near) Set(x, y, false);
    }
  }
}

QImage Canvas::ToImage(bool transparent) const {
  QImage img(width_, height_, QImage::Format_Mono);
  img.setColorTable({qRgb(0, 0, 0), transparent ? qRgb(255, 255, 255) : qRgb(190, 190, 190)});
  // Filling first also sets the padding bits at the end of every row, which the file keeps:
  // left alone they would hold whatever the memory held, and the bytes would differ run to run.
  img.fill(1);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) img.setPixel(x, y, At(x, y) ? 0 : 1);
  }
  return img;
}

}  // namespace floemark::artgen
