#include "panel/segment_tables.h"

namespace floemark::panel {

void SegmentTables::Fill() {
  const Segment digits[10] = {Im_Num0, Im_Num1, Im_Num2, Im_Num3, Im_Num4,
                              Im_Num5, Im_Num6, Im_Num7, Im_Num8, Im_Num9};
  for (int d = 0; d <= 9; ++d) DigitGlyph.Set(d) = digits[d];

  // Each screen shows both scores: [screen][player][tens, units].
  const Segment slots[2][2][2] = {{{Im_NumPosPP1, Im_NumPosPP2}, {Im_NumPosPS1, Im_NumPosPS2}},
                                  {{Im_NumPosSP1, Im_NumPosSP2}, {Im_NumPosSS1, Im_NumPosSS2}}};
  for (int screen = 1; screen <= 2; ++screen)
    for (int player = 1; player <= 2; ++player)
      for (int digit = 1; digit <= 2; ++digit)
        ScoreSlots.Set(screen).Set(player).Set(digit) = slots[screen - 1][player - 1][digit - 1];

  // The seal's screen is mirrored, so seal position p is drawn by the pictures numbered 6 - p.
  const Segment chars[2][5][3] = {{{Im_Pengo1, kEmpty, kEmpty},
                                   {Im_Pengo2, Im_Pengo2A, Im_Pengo2B},
                                   {Im_Pengo3, Im_Pengo3A, Im_Pengo3B},
                                   {Im_Pengo4, Im_Pengo4A, Im_Pengo4B},
                                   {Im_Pengo5, kEmpty, kEmpty}},
                                  {{Im_Seal5, kEmpty, kEmpty},
                                   {Im_Seal4, Im_Seal4A, Im_Seal4B},
                                   {Im_Seal3, Im_Seal3A, Im_Seal3B},
                                   {Im_Seal2, Im_Seal2A, Im_Seal2B},
                                   {Im_Seal1, kEmpty, kEmpty}}};
  for (int player = 1; player <= 2; ++player)
    for (int pos = 1; pos <= 5; ++pos)
      for (int slot = 0; slot <= 2; ++slot)
        CharSegments.Set(player).Set(pos).Set(slot) = chars[player - 1][pos - 1][slot];

  const Segment walls[2][3] = {{Im_S_WallP2, Im_S_WallP3, Im_S_WallP4},
                               {Im_P_WallS4, Im_P_WallS3, Im_P_WallS2}};
  for (int screen = 1; screen <= 2; ++screen)
    for (int lane = 2; lane <= 4; ++lane)
      WallSegments.Set(screen).Set(lane) = walls[screen - 1][lane - 2];

  const Segment vultures[2][5] = {{Im_VultureP1, Im_VultureP2, Im_VultureP3, Im_VultureP4, kEmpty},
                                  {kEmpty, Im_VultureS4, Im_VultureS3, Im_VultureS2, Im_VultureS1}};
  for (int cell = 5; cell <= 6; ++cell)
    for (int lane = 1; lane <= 5; ++lane)
      VultureSegments.Set(cell).Set(lane) = vultures[cell - 5][lane - 1];

  // Lane 2 of the penguin's screen runs on in the column that the seal's screen numbers 4.
  const Segment bombs[5][12] = {
      {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, Im_BombP11, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,
       kEmpty},
      {Im_P_Bang, Im_BombP25, Im_BombP24, Im_BombP23, Im_BombP22, Im_BombP21, Im_BombS41,
       Im_BombS42, Im_BombS43, Im_BombS44, Im_BombS45, Im_S_Bang},
      {Im_P_Bang, Im_BombP35, Im_BombP34, Im_BombP33, Im_BombP32, Im_BombP31, Im_BombS31,
       Im_BombS32, Im_BombS33, Im_BombS34, Im_BombS35, Im_S_Bang},
      {Im_P_Bang, Im_BombP45, Im_BombP44, Im_BombP43, Im_BombP42, Im_BombP41, Im_BombS21,
       Im_BombS22, Im_BombS23, Im_BombS24, Im_BombS25, Im_S_Bang},
      {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, Im_BombS11, kEmpty, kEmpty, kEmpty, kEmpty,
       kEmpty}};
  for (int lane = 1; lane <= 5; ++lane)
    for (int cell = 0; cell <= 11; ++cell) BombSegments.Set(lane).Set(cell) = bombs[lane - 1][cell];

  const Segment ice[2][4] = {{Im_BlockP1B, Im_BlockP2, Im_BlockP3, Im_BlockP4},
                             {Im_BlockS5B, Im_BlockS4, Im_BlockS3, Im_BlockS2}};
  for (int player = 1; player <= 2; ++player)
    for (int pos = 1; pos <= 4; ++pos) IceSegments.Set(player).Set(pos) = ice[player - 1][pos - 1];

  const Segment ladders[2][3] = {{Im_BlockP5A, Im_BlockP5B, Im_BlockP5C},
                                 {Im_BlockS1A, Im_BlockS1B, Im_BlockS1C}};
  for (int player = 1; player <= 2; ++player)
    for (int h = 1; h <= 3; ++h) LadderSegments.Set(player).Set(h) = ladders[player - 1][h - 1];
}

}  // namespace floemark::panel
