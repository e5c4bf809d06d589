// The penguin: black head and back, white belly, a beak pointing the way it faces.
#include <algorithm>

#include "tools/artgen/lcd_figures.h"
#include "tools/artgen/lcd_props.h"

namespace floemark::artgen {

void DrawPenguin(Canvas& c, const Place& p, Pose pose) {
  c.SetPlace(p);
  if (pose == Pose::Gulping) {
    c.Ellipse(8.5, 7, 5.5, 5.5);
    c.Polygon({{3.5, 5.5}, {1, 0.3}, {7, 2.3}});  // beak up, open to the sky
    c.Ellipse(9, 5.5, 0.9, 0.9, false);
  } else {
    c.Ellipse(8, 6.5, 5.5, 5.5);
    c.Polygon({{3.5, 5.3}, {0, 7.3}, {3.5, 9}});
    c.Ellipse(6, 5.2, 0.9, 0.9, false);
  }
  c.Ellipse(8.5, 16.5, 8.5, 9);
  if (pose == Pose::Cheering) {
    c.Polygon({{15, 12}, {18, 4}, {19.5, 3.5}, {18.5, 9.5}, {17, 14}});
  } else {
    c.Polygon({{15, 11}, {18.5, 19}, {18, 20.5}, {14.5, 17}});
  }
  c.Ellipse(6.5, 18, 5, 6, false);  // belly
  c.Polygon({{1, 24.5}, {7, 24.5}, {7, 26}, {0, 26}});
  c.Polygon({{9.5, 24.5}, {14.5, 24.5}, {15.5, 26}, {9.5, 26}});
  switch (pose) {
    case Pose::Playing:  // the flipper segments hang from a shoulder drawn by DrawShoulder
      break;
    case Pose::FlipperDown:
      c.Polygon({{2.5, 12.5}, {5.5, 13}, {4.5, 20}, {3, 21.5}});
      break;
    case Pose::Cheering:
      c.Polygon({{1, 14}, {4, 12.5}, {2, 4}, {0.5, 2}, {-0.5, 5}});
      break;
    case Pose::Gulping:
    case Pose::Holding:
      c.Polygon({{2, 12.5}, {5.5, 13}, {4, 17}, {1, 16.5}});
      DrawFish(c, {-0.5, 17.5}, {8, 19.5}, 3.2);
      break;
  }
  c.SetPlace({});
}

void DrawPenguinKnockedOut(Canvas& c, bool mirror) {
  const double w = c.width(), h = c.height();
  // Design box 22 x 12 for the body lying on its back, at the bottom of the canvas.
  const double s = std::min(w / 22.5, 1.0);
  const double x0 = mirror ? w : 0, top = h - 12 * s;
  c.SetPlace({x0, top, s, mirror});
  c.Ellipse(12.5, 8, 8, 4);
  c.Ellipse(4.2, 7.5, 3.8, 3.5);
  c.Polygon({{2.5, 4.5}, {3.5, 0.5}, {5.5, 4.5}});   // beak to the sky
  c.Ellipse(12.5, 6, 5.5, 2, false);                 // belly up
  c.Line({17.5, 5}, {19.5, 1}, 1.4);                 // feet in the air
  c.Line({20, 6.5}, {22, 2.5}, 1.4);
  c.Polygon({{8, 10}, {4.5, 12}, {10, 11.5}});        // flipper flopped out
  c.Line({2.5, 6.5}, {4.5, 8.5}, 0.6, false);        // eye crossed out
  c.Line({4.5, 6.5}, {2.5, 8.5}, 0.6, false);
  c.SetPlace({x0, 0, s, mirror});
  // Stars circling over the head.
  DrawStar(c, 2.5, top / s - 5.5, 1.5);
  DrawStar(c, 8.5, top / s - 8.5, 2);
  DrawStar(c, 14.5, top / s - 4.5, 1.5);
  c.SetPlace({});
}

}  // namespace floemark::artgen
