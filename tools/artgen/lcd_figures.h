#pragma once
// The two players, drawn in their own design units (about 20 x 26, feet on y = 26, facing left,
// the leftmost pixel at x = 0) and put in place with a Place.

#include "tools/artgen/lcd_canvas.h"

namespace floemark::artgen {

enum class Pose {
  Playing,      // positions 2..4: the front flipper is a segment of its own
  FlipperDown,  // positions 1 and 5: the front flipper hangs at the side
  Cheering,     // on top of the finished ladder, both flippers up
  Gulping,      // head thrown back, a fish in the front flipper
  Holding,      // a fish in the front flipper, head level
};

void DrawPenguin(Canvas& c, const Place& p, Pose pose);
void DrawSeal(Canvas& c, const Place& p, Pose pose);
// Knocked flat on the back with stars over the head, filling the canvas.
void DrawPenguinKnockedOut(Canvas& c, bool mirror);
void DrawSealKnockedOut(Canvas& c, bool mirror);

}  // namespace floemark::artgen
