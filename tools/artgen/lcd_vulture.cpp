// The vulture: a dark bird flying right along the top edge, bald head on a bare neck, a hooked
// beak, finger feathers at the wing tips. Outlines are in its design box of 30 x 18.
#include <algorithm>
#include <vector>

#include "tools/artgen/lcd_props.h"

namespace floemark::artgen {

namespace {

// clang-format off
// Upstroke: the near wing swept up over the back, the far wing behind it.
const std::vector<Pt> kNearWingUp = {
    {11, 10}, {6, 6}, {2.5, 1.5}, {3, 0}, {5, 1.5}, {5.5, 0}, {7.5, 2}, {8.5, 0.5}, {10, 3},
    {11.5, 2}, {13, 5}, {17, 9}};
const std::vector<Pt> kFarWingUp = {
    {15, 8}, {17, 3}, {19, 0.5}, {20, 2}, {21.5, 1}, {21.5, 4}, {19, 9}};
// Downstroke: the near wing swept down and back, the far wing's tip under the breast.
const std::vector<Pt> kNearWingDown = {
    {11, 8.5}, {17, 10}, {13, 13}, {9.5, 15.5}, {7, 17.8}, {6, 16.4}, {4.6, 17.6}, {4.2, 16},
    {2.6, 16.6}, {3.4, 14.5}, {7, 11.5}};
const std::vector<Pt> kFarWingDown = {
    {16, 10.5}, {19.5, 13.5}, {20.5, 16.5}, {18.8, 15.6}, {17.8, 16.8}, {15.5, 12.5}};
const std::vector<Pt> kTail = {{9, 9}, {2.5, 9.5}, {1.5, 12}, {5, 11.5}, {9, 11.5}};
// The top of the head, the highest point of the bird with its wings down.
constexpr double kTopWingsDown = 3.2;
const std::vector<Pt> kBeak = {{25, 3.8}, {28.5, 4.3}, {29.7, 6.3}, {29, 8.2}, {28.2, 6.6},
                               {25.2, 6.8}};
// clang-format on

}  // namespace

void DrawVulture(Canvas& c, bool wingsUp) {
  const double sx = c.width() / 30.0, sy = c.height() / 18.0;
  // A rectangle flatter than the design box is not squashed into: with its wings down the bird
  // leaves the top of the box empty, so it rises into that room at its own proportions (and is
  // made smaller only if that is not enough). A taller one just gives the wings a fuller beat.
  if (sy < sx) {
    const double top = wingsUp ? 0 : kTopWingsDown;
    const double s = std::min(sx, c.height() / (18 - top));
    c.SetPlace({(c.width() - 30 * s) / 2, c.height() - 18 * s, s});
  } else {
    c.SetPlace({0, 0, sx, false, sy / sx});
  }
  c.Polygon(wingsUp ? kNearWingUp : kNearWingDown);
  c.Polygon(wingsUp ? kFarWingUp : kFarWingDown);
  c.Ellipse(14.5, 9.5, 6.5, 3);  // body
  c.Polygon(kTail);
  c.Ellipse(19.5, 7.5, 2.2, 2.2);         // ruff
  c.Line({19.5, 7.5}, {23.5, 5.5}, 1.6);  // bare neck
  c.Ellipse(24, 5.2, 2.3, 2);             // head
  c.Polygon(kBeak);
  c.Ellipse(24.3, 4.6, 0.6, 0.6, false);  // eye
  // Legs hanging short, so that the bomb it carries can take the cell below them.
  c.Line({13, 11.5}, {12.5, 14}, 1.2);
  c.Line({16.5, 11.5}, {17, 14}, 1.2);
  c.SetPlace({});
}

}  // namespace floemark::artgen
