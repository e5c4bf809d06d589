// The score digits: seven bevelled bars like the digits of an LCD clock.
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

namespace {

// The bars a..g on the 7 x 11 grid: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle. Their ends are cut at an angle so that neighbouring bars do not touch.
const std::vector<const char*> kBars[7] = {
    {".#####.", "..###.."},                        // a, rows 0..1
    {"......#", ".....##", ".....##", ".....##"},  // b, rows 1..4
    {".....##", ".....##", ".....##", "......#"},  // c, rows 6..9
    {"..###..", ".#####."},                        // d, rows 9..10
    {"##.....", "##.....", "##.....", "#......"},  // e, rows 6..9
    {"#......", "##.....", "##.....", "##....."},  // f, rows 1..4
    {".#####."},                                   // g, row 5
};
constexpr int kBarRow[7] = {0, 1, 6, 9, 6, 1, 5};

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
