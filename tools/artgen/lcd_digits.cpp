// The score digits: seven bevelled bars like the digits of an LCD clock.
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

namespace {

// The bars a..g on the 7 x 11 grid: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle. The upright bars run the full height of their half, tapering at both
// ends, and the crossbars are a single row: a 1 of two upright bars then stands as tall as the
// other digits, instead of a short broken stroke that reads as an i.
const std::vector<const char*> kBars[7] = {
    {".#####."},                                              // a, row 0
    {"......#", ".....##", ".....##", ".....##", "......#"},  // b, rows 0..4
    {"......#", ".....##", ".....##", ".....##", "......#"},  // c, rows 6..10
    {".#####."},                                              // d, row 10
    {"#......", "##.....", "##.....", "##.....", "#......"},  // e, rows 6..10
    {"#......", "##.....", "##.....", "##.....", "#......"},  // f, rows 0..4
    {".#####."},                                              // g, row 5
};
constexpr int kBarRow[7] = {0, 0, 6, 10, 6, 0, 5};

// Which bars light for each digit, as the letters a..g.
constexpr const char* kDigitBars[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                        "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

}  // namespace

void DrawDigit(Canvas& k, int digit) {
  for (const char* bar = kDigitBars[digit]; *bar != '\0'; ++bar) {
    const int i = *bar - 'a';
    k.Pixels(0, kBarRow[i], kBars[i]);
  }
}

}  // namespace floemark::artgen
