#pragma once
// A 1-bit drawing surface for LCD segments. An LCD segment is a solid shape with crisp edges, so
// shapes are filled by testing each dot's centre against them: no antialiasing, no fonts, and the
// same dots on every machine. A canvas has the size of its picture in pixels; at scale n each
// pixel is n x n dots and every shape is tested at every dot, so a picture for a denser screen is
// drawn anew at its scale, never enlarged from the scale-1 picture.

#include <QImage>
#include <vector>

namespace floemark::artgen {

struct Pt {
  double x = 0, y = 0;
};

// Where a figure drawn in its own design units lands on the canvas: canvas = origin + scale *
// design, with x negated first for a figure that faces the other way. Canvas units are pixels.
struct Place {
  double x = 0, y = 0;
  double scale = 1;
  bool mirror = false;
  double stretch = 1;  // extra vertical scale, for a figure squeezed into a flat rectangle
};

class Canvas {
 public:
  Canvas(int width, int height, int scale = 1);

  // The picture's size in pixels, in which every drawing is laid out.
  int width() const { return width_; }
  int height() const { return height_; }
  // Dots per pixel, and the dot grid the shapes are sampled on.
  int scale() const { return scale_; }
  int dotsWide() const { return width_ * scale_; }
  int dotsHigh() const { return height_ * scale_; }
  bool DotAt(int x, int y) const;
  void SetDot(int x, int y, bool ink);

  // Every shape takes coordinates in design units of the current place; ink = false erases
  // (cuts a highlight or a gap out of a black shape). A dot is covered when its centre lies
  // inside the shape.
  void SetPlace(const Place& p) { place_ = p; }
  void Ellipse(double cx, double cy, double rx, double ry, bool ink = true);
  void Polygon(const std::vector<Pt>& points, bool ink = true);
  // A stroke of the given width with round ends, never thinner than a dot.
  void Line(Pt a, Pt b, double width, bool ink = true);
  // A smooth stroke through a quadratic curve a -> b bending toward control point k.
  void Curve(Pt a, Pt k, Pt b, double width, bool ink = true);
  void Box(double x, double y, double w, double h, bool ink = true);

  // Erases every dot within a pixel of an ink dot of `other` (a canvas of the same size): where
  // two segments meet, a pixel of LCD grey keeps their shapes apart.
  void ClearAround(const Canvas& other);

  // The picture of a segment, one pixel per dot: colour 0 black; colour 1 white for a
  // transparent segment or the LCD grey for an opaque one.
  QImage ToImage(bool transparent) const;

 private:
  // From design units of the current place to dots.
  Pt Map(Pt p) const;
  double DotsPerUnit() const { return place_.scale * scale_; }

  int width_, height_, scale_;
  std::vector<bool> ink_;
  Place place_;
};

}  // namespace floemark::artgen
