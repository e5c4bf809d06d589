// The penguin: black head and back, white belly, a beak pointing the way it faces.
#include "tools/artgen/lcd_figures.h"

namespace floemark::artgen {

void DrawPenguin(Canvas& c, const Place& p, Pose pose) {
  c.SetPlace(p);
  if (pose == Pose::Feasting) {
    c.Ellipse(8.5, 7, 5.5, 5.5);
    c.Polygon({{4, 6.5}, {0, 3.5}, {2.6, 3.2}, {1.2, 0}, {7, 2.5}});  // beak open to the sky
    c.Ellipse(6.8, 5.3, 0.9, 0.9, false);
  } else {
    c.Ellipse(8, 6.5, 5.5, 5.5);
    c.Polygon({{3.5, 5.3}, {0, 7.3}, {3.5, 9}});
    if (pose == Pose::Dazed) {
      c.Line({5, 4.2}, {7, 6.2}, 0.6, false);
      c.Line({7, 4.2}, {5, 6.2}, 0.6, false);
    } else {
      c.Ellipse(6, 5.2, 0.9, 0.9, false);
    }
  }
  c.Ellipse(8.5, 16.5, 8.5, 9);
  // The back flipper.
  if (pose == Pose::Cheering) {
    c.Polygon({{15, 12}, {18, 4}, {19.5, 3.5}, {18.5, 9.5}, {17, 14}});
  } else if (pose == Pose::Dazed) {
    c.Polygon({{15, 13}, {20, 21}, {19, 22.5}, {14.5, 18}});
  } else {
    c.Polygon({{15, 11}, {18.5, 19}, {18, 20.5}, {14.5, 17}});
  }
  c.Ellipse(6.5, 18, 5, 6, false);  // belly
  c.Polygon({{1, 24.5}, {7, 24.5}, {7, 26}, {0, 26}});
  c.Polygon({{9.5, 24.5}, {14.5, 24.5}, {15.5, 26}, {9.5, 26}});
  // The front flipper.
  switch (pose) {
    case Pose::Playing:  // the flipper segments hang from a shoulder drawn by DrawShoulder
      break;
    case Pose::FlipperDown:
      c.Polygon({{2.5, 12.5}, {5.5, 13}, {4.5, 20}, {3, 21.5}});
      break;
    case Pose::Cheering:
      c.Polygon({{1, 14}, {4, 12.5}, {2, 4}, {0.5, 2}, {-0.5, 5}});
      break;
    case Pose::Feasting:  // flipper held out for the next fish
      c.Polygon({{2, 12}, {5, 13.5}, {0.5, 16.5}, {-0.5, 15.5}});
      break;
    case Pose::Dazed:
      c.Polygon({{1.5, 13}, {4.5, 14}, {1, 21}, {-0.5, 21.5}});
      break;
  }
  c.SetPlace({});
}

}  // namespace floemark::artgen
