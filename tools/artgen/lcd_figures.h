#pragma once
// The two players, drawn in their own design units (about 20 x 26, feet on y = 26, facing left,
// the leftmost pixel at x = 0) and put in place with a Place.

#include "panel/layout.h"
#include "tools/artgen/lcd_canvas.h"

namespace floemark::artgen {

enum class Pose {
  Playing,      // positions 2..4: the front flipper is a segment of its own
  FlipperDown,  // positions 1 and 5: the front flipper hangs at the side
  Cheering,     // on top of the finished ladder, both flippers up
  Feasting,     // the bonus fish: the penguin throws its head back, the seal sits up and begs
  Dazed,        // after a bomb: eyes crossed out, flippers limp
};

void DrawPenguin(Canvas& c, const Place& p, Pose pose);
void DrawSeal(Canvas& c, const Place& p, Pose pose);
// The defeat picture: the player sitting dazed with stars circling over its head, as large as
// the canvas allows, facing left (or right when mirrored). `segment` is the picture drawn, whose
// place on its screen says where the horizon crosses it.
void DrawKnockedOut(Canvas& c, panel::Component segment, bool seal, bool mirror);
// Fills a figure solid along the horizon and the far floes just above it. The defeat and lift
// pictures stand higher than the players, across the line, which would otherwise run straight
// through the white of a belly as if the figure were glass.
void FillAcrossHorizon(Canvas& figure, panel::Component segment);

}  // namespace floemark::artgen
