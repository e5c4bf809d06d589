// The seal: one black shape sitting up on its tail, a white eye and a round snout.
#include "tools/artgen/lcd_figures.h"

namespace floemark::artgen {

void DrawSeal(Canvas& c, const Place& p, Pose pose) {
  c.SetPlace(p);
  // Sitting up on its tail, sleek from the round snout to the tail flippers fanned out on the
  // ice behind it: head and neck are one, as thick as each other.
  c.Polygon({{0.3, 7.5}, {1.5, 5.8}, {4, 3},   {7, 1.8},     {10, 3},    {11.8, 6.5},
             {13.5, 11}, {16, 15.5}, {18, 19}, {19.5, 20.8}, {23, 19.2}, {21.5, 22.5},
             {23, 25.6}, {17, 26},   {8, 26},  {5, 25},      {3.6, 21},  {3.8, 15},
             {4.6, 11},  {3, 9.4},   {0.8, 9}});
  if (pose == Pose::Dazed) {
    c.Line({5, 3.6}, {7, 5.6}, 0.6, false);
    c.Line({7, 3.6}, {5, 5.6}, 0.6, false);
  } else {
    c.Ellipse(6.2, 4.6, 1.2, 1.2, false);  // eye, looking ahead
    c.Box(5.2, 4.4, 1, 1);
  }
  c.Box(2.3, 7, 0.9, 0.9, false);  // whisker spots
  c.Box(3.6, 7.9, 0.9, 0.9, false);
  c.Curve({5.8, 12}, {5, 19}, {9.5, 25}, 0.8, false);  // the line of the belly
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
    case Pose::Feasting:
      // One flipper up in front of the chest, begging for the fish.
      c.Polygon({{5, 13.5}, {0.5, 11}, {0, 12.5}, {4, 17}});
      break;
    case Pose::Dazed:
      c.Polygon({{5, 14}, {0, 21}, {1.5, 22.5}, {7.5, 17.5}});
      break;
  }
  c.SetPlace({});
}

}  // namespace floemark::artgen
