#pragma once
// The segments of each screen, drawn by what they show. Each function draws segment `c` into the
// blank canvas `k` of its size and returns false for a segment that is not its screen's.

#include "panel/layout.h"
#include "tools/artgen/lcd_canvas.h"

namespace floemark::artgen {

bool DrawPenguinScreenSegment(panel::Component c, Canvas& k);
bool DrawSealScreenSegment(panel::Component c, Canvas& k);
// The row of a screen background, from its top, where the open sea meets the sky: the line
// shows through every white pixel of a transparent segment lying across it.
inline constexpr int kScreenHorizonRow = 57;

// A digit glyph in seven-segment style, filling its 7 x 11 canvas.
void DrawDigit(Canvas& k, int digit);

// The size of a bomb in the row `fromBottom` cells up its lane (1 = at the player's feet):
// the lanes run away from the player, so a bomb shrinks as it climbs.
inline double BombSize(int fromBottom) { return 12 - fromBottom; }
// The explosion picture of a screen's end: three bursts along the bottom, one under each lane.
void DrawExplosion(Canvas& k);

}  // namespace floemark::artgen
