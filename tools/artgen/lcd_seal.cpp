// The seal: one black shape sitting up on its tail, a white eye and a round snout.
#include <algorithm>

#include "tools/artgen/lcd_figures.h"
#include "tools/artgen/lcd_props.h"

namespace floemark::artgen {

void DrawSeal(Canvas& c, const Place& p, Pose pose) {
  c.SetPlace(p);
  // Sitting up on its tail: chest forward, the back curving down to the tail flippers spread on
  // the ice behind it.
  c.Polygon({{5, 10}, {9, 4}, {11, 8}, {13, 12}, {16, 16}, {18, 19.5}, {19.5, 21}, {22, 18.5},
             {21.5, 22}, {22.5, 25}, {18, 25.5}, {14, 26}, {7.5, 26}, {4.5, 24.5}, {3.8, 21},
             {4, 16}});
  if (pose == Pose::Gulping) {
    // Head thrown back, the snout pointing at the sky.
    c.Ellipse(7.5, 5.5, 3.8, 3.5);
    c.Polygon({{4.5, 4.5}, {2.5, 0.2}, {4, -0.8}, {8, 2.5}});
    c.Ellipse(8.3, 4.6, 1.1, 1.1, false);
    c.Box(8, 4.2, 1, 1);
  } else {
    c.Ellipse(7, 5.5, 4, 3.8);
    c.Ellipse(2.6, 7.2, 2.6, 2);                                 // snout
    c.Ellipse(7, 4.3, 1.2, 1.2, false);                          // eye, looking ahead
    c.Box(6, 4, 1, 1);
    c.Box(2.3, 6.8, 0.9, 0.9, false);                            // whisker spots
    c.Box(3.6, 7.7, 0.9, 0.9, false);
  }
  c.Curve({5.8, 12}, {5, 19}, {9.5, 25}, 0.8, false);           // the line of the belly
  switch (pose) {
    case Pose::Playing:  // the flipper segments hang from a shoulder drawn by DrawShoulder
      break;
    case Pose::FlipperDown:
      c.Polygon({{5, 14}, {1, 22.5}, {3.5, 23.5}, {8, 18}});
      break;
    case Pose::Cheering:
      c.Polygon({{4.5, 15}, {0, 5}, {1.5, 4}, {7.5, 13}});
      c.Polygon({{14, 13}, {19, 5}, {20.5, 6}, {17, 15}});
      break;
    case Pose::Gulping:
    case Pose::Holding:
      c.Polygon({{4.5, 13}, {0.5, 16.5}, {2, 18}, {7, 16}});
      DrawFish(c, {-0.5, 19}, {8, 21.5}, 3.2);
      break;
  }
  c.SetPlace({});
}

void DrawSealKnockedOut(Canvas& c, bool mirror) {
  const double w = c.width(), h = c.height();
  const double s = std::min(w / 24.0, 1.0);
  const double x0 = mirror ? w : 0, top = h - 11 * s;
  c.SetPlace({x0, top, s, mirror});
  c.Ellipse(12.5, 7, 9, 4);
  c.Ellipse(4.5, 5.5, 3.5, 3.2);
  c.Ellipse(1.8, 6.8, 1.8, 1.6);                                 // snout
  c.Polygon({{19.5, 6}, {23.5, 1.5}, {22.5, 5.5}, {24, 7.5}, {20, 9.5}});  // tail up
  c.Polygon({{9, 9}, {6, 11}, {12, 10.5}});                      // flipper on the ice
  c.Line({3.5, 4.3}, {5.5, 6.3}, 0.6, false);                    // eye crossed out
  c.Line({5.5, 4.3}, {3.5, 6.3}, 0.6, false);
  c.SetPlace({x0, 0, s, mirror});
  DrawStar(c, 3, top / s - 5, 1.5);
  DrawStar(c, 9, top / s - 8, 2);
  DrawStar(c, 15, top / s - 4, 1.5);
  c.SetPlace({});
}

}  // namespace floemark::artgen
