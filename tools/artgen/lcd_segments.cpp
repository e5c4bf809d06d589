// Every LCD picture: the segments of both screens, the digit glyphs and the explosions.
#include <cstdio>

#include "tools/artgen/artgen.h"
#include "tools/artgen/lcd_props.h"
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

using namespace panel;

void DrawExplosion(Canvas& k) {
  const double w = k.width(), h = k.height();
  for (int i = 0; i < 3; ++i) DrawBurst(k, w * (1 + 2 * i) / 6, h / 2, w / 5.6, h / 2, i);
  // Splinters thrown out between the bursts.
  for (int i = 0; i < 2; ++i) {
    const double x = w * (i + 1) / 3;
    k.Line({x - 1.5, h * 0.15}, {x, h * 0.3}, 1.2);
    k.Line({x + 1, h * 0.75}, {x + 2.5, h * 0.9}, 1.2);
    k.Ellipse(x - 0.5, h / 2, 1, 1);
  }
}

QImage DrawSegment(Component c, int scale) {
  const ComponentInfo& info = Info(c);
  Canvas k = CanvasFor(c, scale);
  if (c >= Im_Num0 && c <= Im_Num9) {
    DrawDigit(k, c - Im_Num0);
  } else if (!DrawPenguinScreenSegment(c, k) && !DrawSealScreenSegment(c, k)) {
    std::fprintf(stderr, "floemark-artgen: no drawing for %.*s\n", int(info.name.size()),
                 info.name.data());
  }
  return k.ToImage(info.transparent);
}

}  // namespace floemark::artgen
