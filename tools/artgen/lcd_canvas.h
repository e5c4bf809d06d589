#pragma once
// A 1-bit drawing surface for LCD segments. An LCD segment is a solid shape with crisp edges, so
// shapes are filled by testing each pixel centre against them: no antialiasing, no fonts, and the
// same pixels on every machine.

#include <QImage>
#include <vector>

namespace floemark::artgen {

struct Pt {
  double x = 0, y = 0;
};

// Where a figure drawn in its own design units lands on the canvas: canvas = origin + scale *
// design, with x negated first for a figure that faces the other way.
struct Place {
  double x = 0, y = 0;
  double scale = 1;
  bool mirror = false;
  double stretch = 1;  // extra vertical scale, for a figure squeezed into a flat rectangle
};

class Canvas {
 public:
  Canvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool At(int x, int y) const;
  void Set(int x, int y, bool ink);

  // Every shape takes coordinates in design units of the current place; ink = false erases
  // (cuts a highlight or a gap out of a black shape). Pixel (i, j) is covered when its centre
  // (i + 0.5, j + 0.5) lies inside the shape.
  void SetPlace(const Place& p) { place_ = p; }
  void Ellipse(double cx, double cy, double rx, double ry, bool ink = true);
  void Polygon(const std::vector<Pt>& points, bool ink = true);
  // A stroke of the given width with round ends.
  void Line(Pt a, Pt b, double width, bool ink = true);
  // A smooth stroke through a quadratic curve a -> b bending toward control point k.
  void Curve(Pt a, Pt k, Pt b, double width, bool ink = true);
  void Box(double x, double y, double w, double h, bool ink = true);
  // Pixel art in design units of 1 pixel: '#' sets a pixel, '-' erases it, anything else skips.
  void Pixels(int x, int y, const std::vector<const char*>& rows);

  // Erases every pixel next to an ink pixel of `other` (a canvas of the same size): where two
  // segments meet, a pixel of LCD grey keeps their shapes apart.
  void ClearAround(const Canvas& other);

  // The picture of a segment: colour 0 black; colour 1 white for a transparent segment or the
  // LCD grey for an opaque one.
  QImage ToImage(bool transparent) const;

 private:
  Pt Map(Pt p) const;
  double Scale() const { return place_.scale; }

  int width_, height_;
  std::vector<bool> ink_;
  Place place_;
};

}  // namespace floemark::artgen
