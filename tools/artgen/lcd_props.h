#pragma once
// The things of the game that both screens share: bombs, ice blocks, the wall, the vulture, the
// explosions, fish and the stars of a dazed player. Each draws into a segment's canvas.

#include "panel/layout.h"
#include "tools/artgen/lcd_canvas.h"

namespace floemark::artgen {

// A blank canvas of the segment's size, at `scale` dots per pixel.
Canvas CanvasFor(panel::Component c, int scale);
// A place given relative to the top-left corner of `frame`, seen from the canvas of `c`: figures
// that span several segments (a body and its arms, a picture and its second frame) are drawn
// once in the frame of one of them and land at the same console pixels in every canvas.
Place From(panel::Component c, panel::Component frame, Place p);

// A round bomb of diameter `size` standing at the bottom of the canvas, its lit fuse curling up
// to the right (or to the left) into the free room.
void DrawBomb(Canvas& c, double size, bool fuseRight);
// An ice block seen from the front, its top and side faces toward the right (or the left), in
// the top `rows` rows of the canvas (all of them when 0).
void DrawIceBlock(Canvas& c, bool facesRight, int rows = 0);
// A piece of ice-brick wall filling the canvas, in perspective like the block.
void DrawWall(Canvas& c, bool facesRight);
// The vulture flying right across the top, in the design box 30 x 18 scaled to the canvas; it
// beats its wings, so the places alternate between wings up and wings down.
void DrawVulture(Canvas& c, bool wingsUp);
// A burst of fire centred at (cx, cy), its spikes reaching rx and ry; `twist` varies the spikes
// so that neighbouring bursts do not look stamped.
void DrawBurst(Canvas& c, double cx, double cy, double rx, double ry, int twist);
// A fish from its head to its tail, `thick` at its widest.
void DrawFish(Canvas& c, Pt head, Pt tail, double thick);
// A small four-pointed star of the given reach, in design units of the current place.
void DrawStar(Canvas& c, double cx, double cy, double reach);
// A five-pointed star, one point up, its points reaching `reach` from the centre.
void DrawFivePointStar(Canvas& c, double cx, double cy, double reach);
// A flipper filling the canvas: hanging down-left from the top-right corner (at rest) or
// pointing up (raised to throw); mirrored for a figure that reaches the other way.
// The shoulder of a body that a flipper segment hangs from: the rows of the arm at rest, from the
// arm's inner end a few pixels into the body, so that arm and body join whatever their places.
void DrawShoulder(Canvas& body, panel::Component bodySegment, panel::Component restingArm);
void DrawRestingFlipper(Canvas& c, bool mirror = false);
void DrawRaisedFlipper(Canvas& c, bool mirror = false);

}  // namespace floemark::artgen
