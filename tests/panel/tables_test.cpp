// The segment tables: the right segment at every game place, and nothing outside the ranges.
#include <gtest/gtest.h>

#include <map>

#include "panel/segment_tables.h"

namespace floemark::panel {
namespace {

class Tables : public ::testing::Test {
 protected:
  void SetUp() override { t.Fill(); }
  SegmentTables t;
};

TEST_F(Tables, ScoresAndPlayers) {
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(t.DigitGlyph[d], Im_Num0 + d);
  EXPECT_EQ(t.ScoreSlots[1][1][1], Im_NumPosPP1);
  EXPECT_EQ(t.ScoreSlots[1][2][2], Im_NumPosPS2);
  EXPECT_EQ(t.ScoreSlots[2][1][1], Im_NumPosSP1);
  EXPECT_EQ(t.ScoreSlots[2][2][2], Im_NumPosSS2);
  // The seal's pictures are numbered from the other end of its mirrored screen.
  EXPECT_EQ(t.CharSegments[2][1][0], Im_Seal5);
  EXPECT_EQ(t.CharSegments[2][2][1], Im_Seal4A);
  EXPECT_EQ(t.CharSegments[2][4][2], Im_Seal2B);
  EXPECT_EQ(t.CharSegments[1][3][2], Im_Pengo3B);
  for (int p = 1; p <= 2; ++p)
    for (int pos : {1, 5}) {
      EXPECT_EQ(t.CharSegments[p][pos][1], kEmpty);
      EXPECT_EQ(t.CharSegments[p][pos][2], kEmpty);
    }
}

TEST_F(Tables, TrackWallAndVulture) {
  // Cell 0 and 11 of every rolling lane share the one explosion picture of their end.
  for (int lane = 2; lane <= 4; ++lane) {
    EXPECT_EQ(t.BombSegments[lane][0], Im_P_Bang);
    EXPECT_EQ(t.BombSegments[lane][11], Im_S_Bang);
  }
  EXPECT_EQ(t.BombSegments[3][1], Im_BombP35);
  EXPECT_EQ(t.BombSegments[2][6], Im_BombS41);  // lane 2 continues in the seal's column 4
  EXPECT_EQ(t.BombSegments[4][10], Im_BombS25);
  EXPECT_EQ(t.BombSegments[1][5], Im_BombP11);
  EXPECT_EQ(t.BombSegments[5][6], Im_BombS11);
  int emptyOuter = 0;
  for (int lane : {1, 5})
    for (int cell = 0; cell <= 11; ++cell) emptyOuter += t.BombSegments[lane][cell] == kEmpty;
  EXPECT_EQ(emptyOuter, 22);
  EXPECT_EQ(t.WallSegments[1][2], Im_S_WallP2);
  EXPECT_EQ(t.WallSegments[2][2], Im_P_WallS4);
  EXPECT_EQ(t.VultureSegments[5][5], kEmpty);
  EXPECT_EQ(t.VultureSegments[6][1], kEmpty);
  EXPECT_EQ(t.VultureSegments[6][5], Im_VultureS1);
  EXPECT_EQ(t.VultureSegments[6][2], Im_VultureS4);
  EXPECT_EQ(t.IceSegments[2][1], Im_BlockS5B);
  EXPECT_EQ(t.LadderSegments[1][1], Im_BlockP5A);
  EXPECT_EQ(t.LadderSegments[2][3], Im_BlockS1C);
}

TEST_F(Tables, EverySegmentHasOnePlace) {
  // Each of the 100 segments is reached through exactly one table entry, except the ones the
  // game names directly and the two explosions that every lane shares.
  std::map<int, int> uses;
  auto count = [&](Segment s) {
    if (s != kEmpty) ++uses[s];
  };
  for (int p = 1; p <= 2; ++p) {
    for (int pos = 1; pos <= 5; ++pos)
      for (int slot = 0; slot <= 2; ++slot) count(t.CharSegments[p][pos][slot]);
    for (int pos = 1; pos <= 4; ++pos) count(t.IceSegments[p][pos]);
    for (int h = 1; h <= 3; ++h) count(t.LadderSegments[p][h]);
  }
  for (int s = 1; s <= 2; ++s)
    for (int lane = 2; lane <= 4; ++lane) count(t.WallSegments[s][lane]);
  for (int cell = 5; cell <= 6; ++cell)
    for (int lane = 1; lane <= 5; ++lane) count(t.VultureSegments[cell][lane]);
  for (int lane = 1; lane <= 5; ++lane)
    for (int cell = 1; cell <= 10; ++cell) count(t.BombSegments[lane][cell]);
  for (Segment s : {Im_P_Bang, Im_S_Bang, Im_BlockP1A, Im_BlockS5A, Im_P_Lift, Im_S_Lift,
                    Im_P_EatP1, Im_P_EatP2, Im_P_EatS1, Im_P_EatS2, Im_S_EatS1, Im_S_EatS2,
                    Im_S_EatP1, Im_S_EatP2, Im_P_DieP, Im_S_DieP, Im_S_DieS, Im_P_DieS})
    count(s);
  EXPECT_EQ(uses.size(), 100u);
  for (auto [s, n] : uses) EXPECT_EQ(n, 1) << Info(static_cast<Component>(s)).name;
}

TEST_F(Tables, OutsideTheRangesIsEmpty) {
  EXPECT_EQ(t.DigitGlyph[-1], kEmpty);
  EXPECT_EQ(t.DigitGlyph[10], kEmpty);
  EXPECT_EQ(t.BombSegments[0][3], kEmpty);
  EXPECT_EQ(t.BombSegments[3][12], kEmpty);
  EXPECT_EQ(t.BombSegments[3][-1], kEmpty);
  EXPECT_EQ(t.LadderSegments[1][4], kEmpty);
  EXPECT_EQ(t.LadderSegments[1][0], kEmpty);
  EXPECT_EQ(t.CharSegments[3][1][0], kEmpty);
  EXPECT_EQ(t.CharSegments[1][0][0], kEmpty);
  EXPECT_EQ(t.VultureSegments[4][1], kEmpty);
  EXPECT_EQ(t.IceSegments[1][5], kEmpty);
  SegmentTables unfilled;
  EXPECT_EQ(unfilled.BombSegments[3][1], kEmpty);
}

}  // namespace
}  // namespace floemark::panel
