// The show/hide primitives, the score display and the blanking of the LCD.
#include <gtest/gtest.h>

#include "console_fixture.h"

namespace floemark {
namespace {

class Primitives : public ::testing::Test {
 protected:
  bool Vis(Component c) const { return f.Components.Visible(c); }
  Component Pic(Component c) const { return f.Components.Picture(c); }
  int VisibleSegments() const {
    int n = 0;
    for (int i = Im_VultureP1; i <= Im_S_EatS2; ++i) {
      const Component c = static_cast<Component>(i);
      if (Info(c).kind == PictureKind::Bitmap1 && Vis(c)) ++n;
    }
    return n;
  }
  testing::ScratchDir sounds{testing::kAllCues};
  testing::Console console;
  TForm1& f = console.f();
};

TEST_F(Primitives, ScoresOnBothScreens) {
  f.Score[1] = 15;
  f.CalcolaScore(1);
  EXPECT_EQ(Pic(Im_NumPosPP1), Im_Num1);
  EXPECT_EQ(Pic(Im_NumPosPP2), Im_Num5);
  EXPECT_EQ(Pic(Im_NumPosSP1), Im_Num1);
  EXPECT_EQ(Pic(Im_NumPosSP2), Im_Num5);
  EXPECT_EQ(Pic(Im_NumPosPS1), kNoPicture);  // the seal's places are untouched
  f.Score[2] = 10;
  f.CalcolaScore(2);
  EXPECT_EQ(Pic(Im_NumPosPS1), Im_Num1);
  EXPECT_EQ(Pic(Im_NumPosSS2), Im_Num0);
  // Below ten the tens place goes blank, never a leading zero.
  f.Score[2] = 9;
  f.CalcolaScore(2);
  EXPECT_EQ(Pic(Im_NumPosPS1), kNoPicture);
  EXPECT_EQ(Pic(Im_NumPosSS1), kNoPicture);
  EXPECT_EQ(Pic(Im_NumPosSS2), Im_Num9);
  f.Score[2] = 0;
  f.CalcolaScore(2);
  EXPECT_EQ(Pic(Im_NumPosPS2), Im_Num0);
  EXPECT_TRUE(Vis(Im_NumPosPS1));  // blanked by its picture, never hidden
}

TEST_F(Primitives, ScoresNoPlaceCanShowAreBlank) {
  for (int s : {-1, 100, 1000000}) {
    f.Score[1] = 15;
    f.CalcolaScore(1);
    f.Score[1] = s;
    f.CalcolaScore(1);
    EXPECT_EQ(Pic(Im_NumPosPP1), kNoPicture) << s;
    EXPECT_EQ(Pic(Im_NumPosPP2), kNoPicture) << s;
  }
  f.Score[1] = 99;
  f.CalcolaScore(1);
  EXPECT_EQ(Pic(Im_NumPosSP1), Im_Num9);
  f.CalcolaScore(0);  // no such player: nothing
  f.CalcolaScore(3);
}

TEST_F(Primitives, PlayersArmsAndEnds) {
  f.PlayerPos[1] = 1;
  f.MostraChar(1);
  EXPECT_TRUE(Vis(Im_Pengo1));
  EXPECT_EQ(VisibleSegments(), 1);
  f.NascondiChar(1);
  f.PlayerPos[1] = 3;
  f.MostraChar(1);
  f.Components.SetVisible(Im_Pengo3A, false);
  f.Components.SetVisible(Im_Pengo3B, true);  // arm raised by a throw
  f.MostraChar(1);                            // shows the arm back at rest
  EXPECT_TRUE(Vis(Im_Pengo3A));
  EXPECT_FALSE(Vis(Im_Pengo3B));
  f.NascondiChar(1);
  EXPECT_EQ(VisibleSegments(), 0);
  f.PlayerPos[2] = 2;  // seal position 2 is drawn by the pictures numbered 4
  f.MostraChar(2);
  EXPECT_TRUE(Vis(Im_Seal4));
  EXPECT_TRUE(Vis(Im_Seal4A));
  for (int pos : {0, 6, -3}) {  // places no player can stand on draw nothing
    f.PlayerPos[1] = pos;
    f.MostraChar(1);
    f.NascondiChar(1);
  }
  EXPECT_EQ(VisibleSegments(), 2);
}

TEST_F(Primitives, BombsShareSegments) {
  f.BombLane[1] = 3;
  f.BombCell[1] = 0;
  f.BombLane[2] = 2;
  f.BombCell[2] = 0;
  f.MostraBombe(1);
  EXPECT_TRUE(Vis(Im_P_Bang));
  f.NascondiBombe(2);  // the other lane's bomb at the same end hides the one explosion
  EXPECT_FALSE(Vis(Im_P_Bang));
  f.BombLane[2] = 3;
  f.BombCell[1] = f.BombCell[2] = 4;
  f.MostraBombe(1);
  f.NascondiBombe(1);
  EXPECT_FALSE(Vis(Im_BombP32));
  f.MostraBombe(2);
  EXPECT_TRUE(Vis(Im_BombP32));
  f.MostraBombe(0);
  f.MostraBombe(3);
  f.BombCell[1] = 40;
  f.MostraBombe(1);
  EXPECT_EQ(VisibleSegments(), 1);
}

TEST_F(Primitives, VultureWallIceAndLadders) {
  f.VultureCell = 6;
  f.VultureLane = 5;
  f.MostraAvvoltoio();
  EXPECT_TRUE(Vis(Im_VultureS1));
  f.NascondiAvvoltoio();
  f.VultureLane = 1;  // no vulture over the seal's screen in lane 1
  f.MostraAvvoltoio();
  EXPECT_EQ(VisibleSegments(), 0);
  f.MostraDisturbi(4);
  EXPECT_TRUE(Vis(Im_S_WallP4));
  EXPECT_TRUE(Vis(Im_P_WallS2));
  f.NascondiDisturbi(4);
  f.MostraDisturbi(5);
  EXPECT_EQ(VisibleSegments(), 0);
  f.IcePos[2] = 4;
  f.MostraGhiaccio(2);
  EXPECT_TRUE(Vis(Im_BlockS2));
  f.NascondiGhiaccio(2);
  // Only the block at the current height is shown; the ones below stay as they are.
  f.LadderHeight[1] = 2;
  f.MostraScaletta(1);
  EXPECT_TRUE(Vis(Im_BlockP5B));
  EXPECT_FALSE(Vis(Im_BlockP5A));
  f.LadderHeight[2] = 1;
  f.MostraScaletta(2);
  f.LadderHeight[2] = 4;  // a handler cut short can leave a height past the top
  f.MostraScaletta(2);
  f.NascondiScaletta();
  EXPECT_EQ(VisibleSegments(), 0);
}

TEST_F(Primitives, SpegniLcdBlanksEverything) {
  for (int i = Im_VultureP1; i <= Im_S_EatS2; ++i) {
    const Component c = static_cast<Component>(i);
    if (Info(c).kind == PictureKind::Bitmap1 && i != Im_Num0 && (i < Im_Num0 || i > Im_Num9))
      f.Components.SetVisible(c, true);
  }
  f.Score[1] = 12;
  f.Score[2] = 3;
  f.CalcolaScore(1);
  f.CalcolaScore(2);
  f.Spegni_LCD();
  EXPECT_EQ(VisibleSegments(), 0);
  for (Component slot : {Im_NumPosPP1, Im_NumPosPP2, Im_NumPosPS1, Im_NumPosPS2, Im_NumPosSP1,
                         Im_NumPosSP2, Im_NumPosSS1, Im_NumPosSS2}) {
    EXPECT_TRUE(Vis(slot));
    EXPECT_EQ(Pic(slot), kNoPicture);
  }
  EXPECT_EQ(f.PlayerPos[1], 5);
  EXPECT_EQ(f.PlayerPos[2], 5);
  EXPECT_TRUE(Vis(Im_ScreenLeft));
  EXPECT_TRUE(Vis(Puls_PenguinAttack));
}

}  // namespace
}  // namespace floemark
