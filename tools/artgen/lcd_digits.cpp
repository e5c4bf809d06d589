// The score digits: seven bevelled bars like the digits of an LCD clock.
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

namespace {

// The bars a..g on the 7 x 11 glyph: a top, b upper right, c lower right, d bottom, e lower
// left, f upper left, g middle. The upright bars run the full height of their half, tapering at
// both ends, and the crossbars are a pixel thick: a 1 of two upright bars then stands as tall as
// the other digits, instead of a short broken stroke that reads as an i.
std::vector<Pt> Crossbar(double y) {
  return {{1, y + 0.5}, {1.6, y}, {5.4, y}, {6, y + 0.5}, {5.4, y + 1}, {1.6, y + 1}};
}

// An upright bar from row `top`, five pixels long, against the right edge (or the left).
std::vector<Pt> Upright(double top, bool right) {
  std::vector<Pt> p = {{6.1, top},     {7, top},          {7, top + 5},
                       {6.1, top + 5}, {5.1, top + 4.05}, {5.1, top + 0.95}};
  if (!right) {
    for (Pt& q : p) q.x = 7 - q.x;
  }
  return p;
}

// Which bars light for each digit, as the letters a..g.
constexpr const char* kDigitBars[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                        "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

}  // namespace

void DrawDigit(Canvas& k, int digit) {
  const std::vector<Pt> bars[7] = {Crossbar(0),  Upright(0, true),  Upright(6, true),
                                   Crossbar(10), Upright(6, false), Upright(0, false),
                                   Crossbar(5)};
  for (const char* bar = kDigitBars[digit]; *bar != '\0'; ++bar) k.Polygon(bars[*bar - 'a']);
}

}  // namespace floemark::artgen
