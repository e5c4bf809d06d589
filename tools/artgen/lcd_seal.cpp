// The seal: a sleek black body sitting up on the ice, a round head on a thick neck with a
// dog-like muzzle and whiskers, fore flippers, and the hind flippers fanned out behind it.
#include "tools/artgen/lcd_figures.h"

namespace floemark::artgen {

namespace {

// An outline of smooth pieces for Canvas::Polygon: each piece a cubic curve from where the last
// one ended, through two control points, to its end.
class Outline {
 public:
  explicit Outline(Pt from) : points_{from} {}
  Outline& To(Pt p) {
    points_.push_back(p);
    return *this;
  }
  Outline& Curve(Pt k1, Pt k2, Pt to) {
    const Pt a = points_.back();
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
      const double t = double(i) / kSteps, u = 1 - t;
      const double wa = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, wb = t * t * t;
      points_.push_back({wa * a.x + w1 * k1.x + w2 * k2.x + wb * to.x,
                         wa * a.y + w1 * k1.y + w2 * k2.y + wb * to.y});
    }
    return *this;
  }
  const std::vector<Pt>& Points() const { return points_; }

 private:
  std::vector<Pt> points_;
};

// Head, muzzle, the back curving down to the hind flippers, belly on the ice, and the chest
// curving up to the throat; facing left, the nose at x = 0, the belly on y = 26.
std::vector<Pt> Body() {
  return Outline({0.2, 6.3})
      .Curve({0.6, 4.6}, {2.5, 3.6}, {4.2, 3.2})        // the top of the muzzle to the brow
      .Curve({5, 1.2}, {8.6, 0.6}, {10.5, 2.4})         // the crown
      .Curve({11.8, 3.6}, {12.2, 6}, {11.4, 7.6})       // the back of the head
      .Curve({11, 8.4}, {10.6, 9}, {10.8, 9.8})         // the nape
      .Curve({11.1, 12.4}, {12, 15.2}, {13.8, 16.5})    // the neck, down into the back
      .Curve({15.4, 17.6}, {17.4, 17.8}, {18.8, 17.4})  // the back, lying along the ice
      .Curve({19.6, 16.9}, {20, 16.1}, {20.6, 15})      // up to the tail
      .To({21.8, 12.4})                                 // the hind flippers, raised
      .To({22.5, 12.8})
      .To({22.4, 14.8})
      .To({21.2, 16.6})
      .To({22.4, 18.8})
      .To({21.6, 20.4})
      .Curve({20.4, 21.4}, {18.6, 22.2}, {17, 23.6})  // under the tail, down to the ice
      .Curve({15.4, 24.6}, {14, 26}, {12, 26})
      .To({8, 26})
      .Curve({4.5, 26}, {3.2, 22.5}, {3.3, 18.5})  // the chest
      .Curve({3.4, 15}, {4.6, 12.5}, {5, 10.5})    // up to the throat
      .Curve({4.6, 9.6}, {3.2, 8.8}, {1.8, 8.2})   // the chin
      .Curve({0.8, 7.8}, {0.1, 7.2}, {0.2, 6.3})   // the lower jaw
      .Points();
}

// Knocked flat: lying on its belly with its chin on the ice, the hind flippers still up.
std::vector<Pt> BodyLying() {
  return Outline({0.2, 22.5})
      .Curve({0.5, 20.6}, {2.4, 19.4}, {4.4, 19.2})  // the muzzle to the brow
      .Curve({5.6, 17}, {9.4, 16.6}, {10.8, 18.4})   // the crown
      .Curve({12, 19.2}, {14, 18.4}, {16, 18.8})     // the back
      .Curve({18, 19.2}, {19.4, 20.6}, {20.2, 21.6})
      .To({22.6, 19.4})  // the hind flippers
      .To({22.8, 21.8})
      .To({21.6, 23})
      .To({23, 25})
      .To({22.2, 26})
      .To({4, 26})
      .Curve({2, 26}, {0.4, 24.8}, {0.2, 22.5})  // the chin on the ice
      .Points();
}

}  // namespace

void DrawSeal(Canvas& c, const Place& p, Pose pose) {
  c.SetPlace(p);
  if (pose == Pose::Dazed) {
    c.Polygon(BodyLying());
    c.Line({5.4, 19.6}, {7.2, 21.4}, 0.6, false);  // eyes crossed out
    c.Line({7.2, 19.6}, {5.4, 21.4}, 0.6, false);
    c.Ellipse(2.4, 23, 0.45, 0.45, false);
    // A fore flipper flung out limp on the ice.
    c.Curve({9.5, 22.2}, {8.6, 25}, {5, 25.4}, 0.6, false);
    c.SetPlace({});
    return;
  }
  c.Polygon(Body());
  {
    c.Ellipse(6.6, 4.4, 1.15, 1.15, false);  // the eye, looking ahead
    c.Ellipse(6.3, 4.5, 0.55, 0.55);
  }
  // Whisker spots on the muzzle.
  c.Ellipse(2.2, 6.6, 0.45, 0.45, false);
  c.Ellipse(3.5, 6.4, 0.45, 0.45, false);
  // The line of the belly, from the throat down to the ice.
  c.Curve({5.8, 12}, {5, 19}, {9.5, 25}, 0.8, false);
  switch (pose) {
    case Pose::Playing:  // the flipper segments hang from a shoulder drawn by DrawShoulder
      break;
    case Pose::FlipperDown:
      // Propped on its fore flipper, planted on the ice in front of the chest.
      c.Polygon({{6.5, 13.5}, {8, 16.5}, {5.5, 22}, {2, 25.8}, {0, 25.8}, {3.2, 20}});
      break;
    case Pose::Cheering:
      c.Polygon({{5, 14}, {0.5, 6}, {2, 5}, {7.5, 12.5}});
      c.Polygon({{13.5, 12.5}, {18, 5}, {19.5, 6}, {16.5, 14.5}});
      break;
    case Pose::Feasting:
      // One flipper up in front of the chest, begging for the fish.
      c.Polygon({{5, 13.5}, {0.5, 11}, {0, 12.5}, {4, 17}});
      break;
    case Pose::Dazed:
      break;
  }
  c.SetPlace({});
}

}  // namespace floemark::artgen
