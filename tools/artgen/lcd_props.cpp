#include "tools/artgen/lcd_props.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace floemark::artgen {

using panel::Component;
using panel::Info;

Canvas CanvasFor(Component c, int scale) {
  return Canvas(Info(c).rect.width, Info(c).rect.height, scale);
}

Place From(Component c, Component frame, Place p) {
  p.x += Info(frame).rect.left - Info(c).rect.left;
  p.y += Info(frame).rect.top - Info(c).rect.top;
  return p;
}

void DrawBomb(Canvas& c, double size, bool fuseRight) {
  const double w = c.width(), h = c.height();
  const double d = std::floor(std::min({size, h - 1, w - 1}));
  const double r = d / 2, dir = fuseRight ? 1 : -1;
  // A tall cell has room for the fuse above the ball; a flat one puts the ball to one side.
  const bool tall = h - d >= 5;
  // The centre sits on a pixel corner for an even size and on a pixel centre for an odd one,
  // so that the ball is exactly `d` pixels across and each cell's bomb is a pixel smaller.
  auto snap = [&](double v) { return int(d) % 2 ? std::floor(v) + 0.5 : std::round(v); };
  const double cx = snap(tall ? w / 2 : (fuseRight ? r : w - r));
  const double cy = h - r;
  c.Ellipse(cx, cy, r, r);
  if (d >= 7) c.Ellipse(cx - dir * r * 0.4, cy - r * 0.4, 0.25 + d * 0.07, 0.25 + d * 0.07, false);
  // The cap where the fuse leaves the ball.
  const Pt cap{cx + dir * r * 0.55, cy - r * 0.75};
  c.Box(cap.x - 1.2, cap.y - 1.2, 2.4, 2.4);
  const double sparkX =
      tall ? std::clamp(cx + dir * r * 0.9, 1.5, w - 1.5) : (fuseRight ? w - 1.6 : 1.6);
  const Pt spark{sparkX, 1.5};
  c.Curve(cap, {cap.x + dir * 0.5, spark.y + 0.5}, spark, 1);
  if (tall || w - d > 4) DrawStar(c, spark.x, spark.y, 1.5);
}

void DrawIceBlock(Canvas& c, bool facesRight, int rows) {
  const double w = c.width(), h = rows > 0 ? rows : c.height();
  const double k = 3;  // depth of the top and side faces
  c.SetPlace(facesRight ? Place{} : Place{w, 0, 1, true});
  // Top and side faces solid, split by a bright edge; the front face is an outline with a glint.
  c.Polygon({{0, k}, {k, 0}, {w, 0}, {w, h - k}, {w - k, h}, {0, h}});
  c.Box(1, k + 1, w - k - 2, h - k - 2, false);
  c.Line({w - k - 0.5, k - 0.5}, {w - 1, 1}, 0.8, false);
  c.Line({2.5, k + 4.5}, {4.5, k + 2.5}, 1);  // the glint of light on the ice
  c.SetPlace({});
}

void DrawWall(Canvas& c, bool facesRight) {
  const double w = c.width(), h = c.height();
  const double k = 3;
  c.SetPlace(facesRight ? Place{} : Place{w, 0, 1, true});
  c.Polygon({{0, k}, {k, 0}, {w, 0}, {w, h - k}, {w - k, h}, {0, h}});
  c.Line({w - k - 0.5, k - 0.5}, {w - 1, 1}, 0.8, false);
  // Courses of bricks on the front face, every other course offset by half a brick.
  const double front = w - k, courses = std::max(2.0, std::round((h - k) / 5.5));
  const double course = (h - k - 1) / courses, brick = front / std::round(front / 7);
  for (int i = 0; i < int(courses); ++i) {
    const double top = k + 1 + i * course;
    const double bottom = top + course - 1;
    c.Box(1, top, front - 2, bottom - top, false);
    for (double x = (i % 2 ? brick / 2 : brick); x < front - 2; x += brick) {
      c.Box(x - 0.5, top, 1, bottom - top);
    }
  }
  c.SetPlace({});
}

void DrawBurst(Canvas& c, double cx, double cy, double rx, double ry, int twist) {
  // Uneven flames: long and short tongues in a fixed pattern, turned a little for each burst.
  static constexpr double kReach[] = {1.0, 0.62, 0.9, 0.7, 1.0, 0.55, 0.8, 0.95, 0.6, 0.85, 0.7};
  constexpr int kTongues = 11;
  std::vector<Pt> outer, inner;
  for (int i = 0; i < 2 * kTongues; ++i) {
    const double a = std::numbers::pi * (i + 0.6 * twist) / kTongues;
    const double f = i % 2 ? 0.52 : kReach[(i / 2 + 3 * twist) % kTongues];
    outer.push_back({cx + rx * f * std::cos(a), cy + ry * f * std::sin(a)});
    const double g = i % 2 ? 0.16 : 0.34 * kReach[(i / 2 + 5 * twist) % kTongues];
    inner.push_back({cx + rx * g * std::cos(a + 0.3), cy + ry * g * std::sin(a + 0.3)});
  }
  c.Polygon(outer);
  // Every tongue at least a pixel thick to its tip: sampled at one dot per pixel, a needle of a
  // tongue would stop short of where it reaches at any finer scale.
  for (int i = 0; i < 2 * kTongues; i += 2) {
    const Pt tip = outer[std::size_t(i)];
    c.Line({cx + (tip.x - cx) * 0.5, cy + (tip.y - cy) * 0.5}, tip, 1);
  }
  c.Polygon(inner, false);  // the white-hot heart
}

void DrawFish(Canvas& c, Pt head, Pt tail, double thick) {
  const double dx = tail.x - head.x, dy = tail.y - head.y, len = std::hypot(dx, dy);
  const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
  std::vector<Pt> body;
  constexpr int kSteps = 10;
  for (int side = 1; side >= -1; side -= 2) {
    for (int i = 0; i <= kSteps; ++i) {
      const int k = side > 0 ? i : kSteps - i;
      const double t = double(k) / kSteps;
      const double half =
          thick / 2 * std::sin(std::numbers::pi * (0.1 + 0.8 * t)) * (1.1 - 0.3 * t);
      body.push_back({head.x + dx * t + side * nx * half, head.y + dy * t + side * ny * half});
    }
  }
  c.Polygon(body);
  const double fin = thick * 0.8;
  c.Polygon({{tail.x - ux, tail.y - uy},
             {tail.x + ux * fin + nx * fin, tail.y + uy * fin + ny * fin},
             {tail.x + ux * fin * 0.45, tail.y + uy * fin * 0.45},
             {tail.x + ux * fin - nx * fin, tail.y + uy * fin - ny * fin}});
  if (len > 7) c.Ellipse(head.x + ux * 1.8, head.y + uy * 1.8, 0.55, 0.55, false);
}

void DrawStar(Canvas& c, double cx, double cy, double reach) {
  c.Polygon({{cx - reach, cy},
             {cx - reach * 0.25, cy - reach * 0.25},
             {cx, cy - reach},
             {cx + reach * 0.25, cy - reach * 0.25},
             {cx + reach, cy},
             {cx + reach * 0.25, cy + reach * 0.25},
             {cx, cy + reach},
             {cx - reach * 0.25, cy + reach * 0.25}});
}

void DrawFivePointStar(Canvas& c, double cx, double cy, double reach) {
  std::vector<Pt> points;
  for (int i = 0; i < 10; ++i) {
    const double a = std::numbers::pi * (i / 5.0 - 0.5), r = i % 2 ? reach * 0.6 : reach;
    points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  c.Polygon(points);
}

void DrawShoulder(Canvas& body, Component bodySegment, Component restingArm) {
  const panel::Rect arm = Info(restingArm).rect, own = Info(bodySegment).rect;
  const int n = body.scale();
  // The resting flipper hangs from its top rows at the right edge of its rectangle.
  const int end = arm.left + arm.width - own.left;
  const double top = arm.top - own.top, rows = arm.height * 0.55;
  // The body's leftmost ink in a row of dots, in pixels.
  auto leftmost = [&](int y) {
    for (int x = 0; x < body.dotsWide(); ++x) {
      if (body.DotAt(x, y)) return double(x) / n;
    }
    return double(body.width());
  };
  // A rounded swell of the chest from the flipper's root back into the body, so that with the
  // flipper raised the body shows a full chest and not a stub of arm.
  const double cy = top + rows / 2;
  const double edge = leftmost(int(cy * n));
  const double rx = edge - end + 1, ry = std::max(rows / 2 + 2, rx);
  if (rx <= 0) return;
  for (int y = 0; y < body.dotsHigh(); ++y) {
    const double t = ((y + 0.5) / n - cy) / ry;
    if (t * t >= 1) continue;
    // Where the body's own edge falls back (the neck above the chest), the swell stops, so that
    // it never stands apart from the body as a sliver.
    const double own = leftmost(y);
    if (own > edge + 1) continue;
    const double from = edge - rx * std::sqrt(1 - t * t);
    for (int x = 0; x < int(std::lround(own * n)); ++x) {
      if ((x + 0.5) / n >= from) body.SetDot(x, y, true);
    }
  }
}

void DrawRestingFlipper(Canvas& c, bool mirror) {
  const double w = c.width(), h = c.height();
  c.SetPlace(mirror ? Place{w, 0, 1, true} : Place{});
  c.Polygon({{w, 0},
             {w, h * 0.55},
             {w * 0.45, h * 0.95},
             {0.3, h},
             {w * 0.25, h * 0.6},
             {w * 0.65, h * 0.15}});
  c.SetPlace({});
}

void DrawRaisedFlipper(Canvas& c, bool mirror) {
  const double w = c.width(), h = c.height();
  c.SetPlace(mirror ? Place{w, 0, 1, true} : Place{});
  // Flung up and forward beside the head, its root hidden behind it: a paddle broad at the
  // root and rounded at the tip, bowed forward like a flipper, not a straight stick.
  c.Polygon({{w, h},
             {w * 0.25, h},
             {0.6, h * 0.55},
             {0.2, h * 0.2},
             {1.2, 0},
             {2.6, h * 0.12},
             {w * 0.7, h * 0.45},
             {w, h * 0.55}});
  c.SetPlace({});
}

}  // namespace floemark::artgen
