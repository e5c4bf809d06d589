// The defeat pictures: the player who let a bomb go off, sitting dazed under circling stars.
#include <algorithm>

#include "tools/artgen/lcd_figures.h"
#include "tools/artgen/lcd_props.h"
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

using panel::Component;
using panel::Info;

void FillAcrossHorizon(Canvas& figure, Component segment) {
  const panel::Rect& own = Info(segment).rect;
  const Component screen = Info(panel::Im_ScreenLeft).rect.Intersects(own) ? panel::Im_ScreenLeft
                                                                           : panel::Im_ScreenRight;
  const int horizon = Info(screen).rect.top + kScreenHorizonRow - own.top;
  const int n = figure.scale();
  for (int y = (horizon - 2) * n; y < (horizon + 1) * n; ++y) {
    int first = figure.dotsWide(), last = -1;
    for (int x = 0; x < figure.dotsWide(); ++x) {
      if (figure.DotAt(x, y)) {
        first = std::min(first, x);
        last = x;
      }
    }
    for (int x = first; x <= last; ++x) figure.SetDot(x, y, true);
  }
}

void DrawKnockedOut(Canvas& c, Component segment, bool seal, bool mirror) {
  const double w = c.width(), h = c.height();
  // The figure takes the bottom of the canvas and leaves the top rows to the stars: the penguin
  // sits up, 22 x 26 in its design units; the seal lies flat, 23 x 9.4 under its top at 16.6.
  const double top = seal ? 16.6 : 0, wide = seal ? 23 : 22;
  const double s = std::min((h - 6) / (26 - top), w / (wide + 1));
  const double figure = wide * s, left = (w - figure) / 2;
  const Place p{mirror ? left + figure : left, h - 26 * s, s, mirror};
  if (seal) {
    // Flat on the ice it is solid across the horizon already; filling its rows there would
    // only swallow its eyes.
    DrawSeal(c, p, Pose::Dazed);
  } else {
    DrawPenguin(c, p, Pose::Dazed);
    FillAcrossHorizon(c, segment);
  }
  // Three stars circling over the head, the middle one largest.
  c.SetPlace({});
  const int head = int(p.x + (mirror ? -s : s) * 7.5);
  const int stars = int(std::max(0.0, p.y + top * s - 6));
  const double right = c.width() - 1.5;
  DrawStar(c, std::clamp(head - 7.5, 1.5, right), stars + 4.5, 1.5);
  DrawFivePointStar(c, head + 0.5, stars + 2.7, 2.6);
  DrawStar(c, std::clamp(head + 8.5, 1.5, right), stars + 4.5, 1.5);
  c.SetPlace({});
}

}  // namespace floemark::artgen
