// The computer opponent's rules: their order, the scan of its half, and its ice cycle.
#include "play_fixture.h"

namespace floemark::testing {
namespace {

using namespace panel;

class ComputerTest : public PlayFixture {
 protected:
  // The computer plays side c, the person the other one.
  void ComputerPlays(int c) { Playing(c != 1, c != 2); }
  // The cell at distance k (0 = the feet) from player p along its half.
  static int Cell(int p, int k) { return p == 1 ? 1 + k : 10 - k; }
};

TEST_F(ComputerTest, AHeldBombIsThrownFirstWhateverElseShows) {
  for (int c = 1; c <= 2; ++c) {
    ComputerPlays(c);
    PlacePlayer(form, c, 3);
    Carrying(c);
    ShowSupply();
    PlaceBomb(form, 1, Cell(c, 0), 3);
    form.HeldBomb[c] = 1;
    PlaceBomb(form, 2, Cell(c, 1), 2, c == 1 ? 0 : 11);
    form.Proc_IA();
    EXPECT_EQ(form.PlayerPos[c], 3) << "side " << c;
    EXPECT_EQ(form.BombCell[1], Cell(c, 1)) << "thrown one cell away";
    EXPECT_TRUE(form.BombRolling[1]);
    EXPECT_TRUE(Shown(form.CharSegments[c][3][2])) << "arm raised";
    EXPECT_TRUE(form.ArmTimer[c]->Enabled());
    EXPECT_FALSE(form.InputEnabled[c]);
    RunFor(300);
    EXPECT_FALSE(form.ArmTimer[c]->Enabled());
    EXPECT_TRUE(Shown(form.CharSegments[c][3][1]));
  }
}

TEST_F(ComputerTest, NearestCellFirstThenTheLowerLane) {
  for (int c = 1; c <= 2; ++c) {
    // Cell 1 of lane 4 beats cell 2 of lane 2 (seal: 10 and 9).
    ComputerPlays(c);
    PlacePlayer(form, c, 3);
    PlaceBomb(form, 1, Cell(c, 1), 2, c == 1 ? 0 : 11);
    PlaceBomb(form, 2, Cell(c, 0), 4, c == 1 ? 0 : 11);
    form.Proc_IA();
    EXPECT_EQ(form.PlayerPos[c], 4) << "side " << c;
    EXPECT_EQ(form.HeldBomb[c], 2) << "stepped under the bomb at the feet and caught it";
    // Within one cell lane 2 wins over lane 4.
    ComputerPlays(c);
    PlacePlayer(form, c, 3);
    PlaceBomb(form, 1, Cell(c, 3), 4, c == 1 ? 0 : 11);
    PlaceBomb(form, 2, Cell(c, 3), 2, c == 1 ? 0 : 11);
    form.Proc_IA();
    EXPECT_EQ(form.PlayerPos[c], 2) << "side " << c;
    EXPECT_EQ(form.HeldBomb[c], 0);
  }
}

TEST_F(ComputerTest, OneStepPerDecisionTowardTheFirstBombFound) {
  ComputerPlays(2);
  PlacePlayer(form, 2, 3);
  PlaceBomb(form, 1, 8, 4, 11);
  PlaceBomb(form, 2, 8, 2, 11);
  form.Proc_IA();
  EXPECT_EQ(form.PlayerPos[2], 2);
  form.Proc_IA();
  EXPECT_EQ(form.PlayerPos[2], 2) << "under the bomb it chases, it waits";
}

TEST_F(ComputerTest, ABombInItsOwnLaneKeepsItStillEvenItsOwnThrow) {
  ComputerPlays(1);
  PlacePlayer(form, 1, 2);
  Carrying(1);
  ShowSupply();
  PlaceBomb(form, 1, 3, 2, 11);  // rolling away from the penguin
  for (int i = 0; i < 3; ++i) form.Proc_IA();
  EXPECT_EQ(form.PlayerPos[1], 2);
  EXPECT_TRUE(Shown(Im_BlockP2)) << "neither carries nor fetches";
  EXPECT_TRUE(Shown(Im_BlockP1A));
}

TEST_F(ComputerTest, TopCellOtherHalfAndTheVulturesBombAreNotSeen) {
  ComputerPlays(1);
  PlacePlayer(form, 1, 4);
  PlaceBomb(form, 1, 5, 2, 0);  // top cell of the penguin's half
  PlaceBomb(form, 2, 8, 2, 0);  // on the seal's half
  form.Show(Im_BombP11);
  form.Show(form.BombSegments[2][0]);  // an explosion picture
  form.Proc_IA();
  EXPECT_EQ(form.PlayerPos[1], 4);
}

TEST_F(ComputerTest, ChaseMovesACarriedBlockAlongAndCatchesSilently) {
  ComputerPlays(2);
  PlacePlayer(form, 2, 2);
  Carrying(2);
  PlaceBomb(form, 1, 10, 3, 11);
  sounds.calls.clear();
  form.Proc_IA();
  EXPECT_EQ(form.PlayerPos[2], 3);
  EXPECT_TRUE(Shown(Im_BlockS3));
  EXPECT_FALSE(Shown(Im_BlockS4));
  EXPECT_EQ(form.HeldBomb[2], 1);
  EXPECT_TRUE(sounds.calls.empty());
  form.Proc_IA();
  EXPECT_EQ(form.BombCell[1], 9) << "thrown at the next decision";
}

TEST_F(ComputerTest, FetchAndStackCycleOneActionPerTick) {
  ComputerPlays(2);
  PlacePlayer(form, 2, 3);
  ShowSupply();
  form.TimerIA.SetEnabled(true);
  RunTo(400);
  EXPECT_EQ(form.PlayerPos[2], 2);
  RunTo(800);
  EXPECT_EQ(form.PlayerPos[2], 1);
  EXPECT_TRUE(form.HandsEmpty[2]);
  RunTo(1200);
  EXPECT_FALSE(form.HandsEmpty[2]) << "picked up on the decision after arriving";
  EXPECT_TRUE(Shown(Im_BlockS5B));
  EXPECT_FALSE(Shown(Im_BlockP1A));
  EXPECT_FALSE(Shown(Im_BlockS5A));
  for (int pos = 2; pos <= 4; ++pos) {
    RunFor(400);
    EXPECT_EQ(form.PlayerPos[2], pos);
    EXPECT_EQ(form.IcePos[2], pos);
  }
  sounds.calls.clear();
  RunFor(400);
  EXPECT_EQ(form.PlayerPos[2], 5);
  EXPECT_EQ(form.LadderHeight[2], 1);
  EXPECT_TRUE(Shown(Im_BlockS1A));
  EXPECT_TRUE(form.HandsEmpty[2]);
  EXPECT_EQ(SoundOps(),
            (std::vector<std::string>{"StopChannel MPlayer_Tempo", "PlayCue MPlayer_Block"}));
  // The supply is gone for now: the computer stands at the ladder end.
  RunFor(4000);
  EXPECT_EQ(form.PlayerPos[2], 5);
}

TEST_F(ComputerTest, TwoPeopleMeansNoDecisions) {
  Playing();
  PlaceBomb(form, 1, 1, 2, 0);
  form.Proc_IA();
  EXPECT_EQ(form.PlayerPos[1], 4);
  EXPECT_EQ(form.PlayerPos[2], 2);
}

}  // namespace
}  // namespace floemark::testing
