// The wall's wandering, the shared ice supply, carrying and stacking blocks.
#include <random>

#include "play_fixture.h"

namespace floemark::testing {
namespace {

using namespace panel;

class WallTest : public PlayFixture {
 protected:
  // Runs one wall step by the timer, at a moment whose draw is r.
  void WallStepWithDraw(int n, int r) {
    const std::int64_t at = TimeOfDayGiving(n, r, clock.Now() + 650);
    RunTo(at - 650);
    form.Timer_Disturbi.SetEnabled(true);
    RunTo(at);
    form.Timer_Disturbi.SetEnabled(false);
  }
  void ExpectWallOnlyIn(int lane) {
    for (int l = 2; l <= 4; ++l) {
      EXPECT_EQ(Shown(form.WallSegments[1][l]), l == lane) << "penguin's screen, lane " << l;
      EXPECT_EQ(Shown(form.WallSegments[2][l]), l == lane) << "seal's screen, lane " << l;
    }
  }
};

TEST_F(WallTest, EachDrawMovesTheWallByAtMostOneLane) {
  struct Case {
    int from, n, r, to;
  };
  const Case cases[] = {{2, 2, 0, 3}, {2, 2, 1, 2}, {3, 3, 0, 4}, {3, 3, 1, 2},
                        {3, 3, 2, 3}, {4, 2, 0, 3}, {4, 2, 1, 4}};
  Playing();
  for (const Case& c : cases) {
    form.NascondiDisturbi(form.WallLane);
    form.WallLane = c.from;
    form.MostraDisturbi(c.from);
    sounds.calls.clear();
    WallStepWithDraw(c.n, c.r);
    EXPECT_EQ(form.WallLane, c.to) << "from lane " << c.from << " with draw " << c.r;
    ExpectWallOnlyIn(c.to);
    EXPECT_TRUE(sounds.calls.empty()) << "the wall is silent";
  }
}

TEST_F(WallTest, InTheLongRunStandsInTheMiddleThreeSeventhsOfTheTime) {
  Playing();
  // Steps at irregular moments, as a real clock's jitter gives them: draws reseeded at a strict
  // period are correlated and would not show the chances of a single draw.
  std::mt19937 gaps(7);
  int count[5] = {};
  const int steps = 70000;
  for (int i = 0; i < steps; ++i) {
    const int before = form.WallLane;
    RunFor(1 + static_cast<int>(gaps() % 997));
    form.Timer_DisturbiTimer();
    ASSERT_LE(std::abs(form.WallLane - before), 1);
    ASSERT_GE(form.WallLane, 2);
    ASSERT_LE(form.WallLane, 4);
    ++count[form.WallLane];
  }
  EXPECT_NEAR(count[3] / double(steps), 3.0 / 7, 0.01);
  EXPECT_NEAR(count[2] / double(steps), 2.0 / 7, 0.01);
  EXPECT_NEAR(count[4] / double(steps), 2.0 / 7, 0.01);
  ExpectWallOnlyIn(form.WallLane);
}

class IceTest : public PlayFixture {};

TEST_F(IceTest, SupplyShowsOnBothScreensAfterItsIntervalAndOnlyOnce) {
  Playing();
  form.Timer_Ghiaccio.SetInterval(9400);
  form.Timer_Ghiaccio.SetEnabled(true);
  RunTo(9399);
  EXPECT_FALSE(Shown(Im_BlockP1A));
  EXPECT_FALSE(Shown(Im_BlockS5A));
  RunTo(9400);
  EXPECT_TRUE(Shown(Im_BlockP1A));
  EXPECT_TRUE(Shown(Im_BlockS5A));
  EXPECT_FALSE(form.Timer_Ghiaccio.Enabled());
}

TEST_F(IceTest, TakingTheBlockEmptiesBothScreensForAFull17Seconds) {
  Playing();
  ShowSupply();
  PlacePlayer(form, 1, 1);
  RunTo(1000);
  sounds.calls.clear();
  form.TakeIce(1);
  EXPECT_FALSE(Shown(Im_BlockP1A));
  EXPECT_FALSE(Shown(Im_BlockS5A));
  EXPECT_TRUE(Shown(Im_BlockP1B)) << "in the penguin's hands at position 1";
  EXPECT_FALSE(form.HandsEmpty[1]);
  EXPECT_EQ(form.IcePos[1], 1);
  EXPECT_EQ(SoundOps(),
            (std::vector<std::string>{"StopChannel MPlayer_Tempo", "PlayCue MPlayer_Block"}));
  // The seal at its supply end finds nothing to take.
  PlacePlayer(form, 2, 1);
  Tap(vk::Ctrl);
  RunTo(1000 + 16999);
  EXPECT_FALSE(Shown(Im_BlockS5A));
  RunTo(1000 + 17000);
  EXPECT_TRUE(Shown(Im_BlockP1A));
  EXPECT_TRUE(Shown(Im_BlockS5A));
  EXPECT_TRUE(form.HandsEmpty[2]);
}

TEST_F(IceTest, BlockFollowsItsCarrierBothWaysAndIsStackedAtTheLadderEnd) {
  Playing();
  PlacePlayer(form, 2, 2);
  Carrying(2);
  EXPECT_TRUE(Shown(Im_BlockS4));
  Tap(vk::Right);  // toward the supply
  EXPECT_FALSE(Shown(Im_BlockS4));
  EXPECT_TRUE(Shown(Im_BlockS5B)) << "at position 1";
  for (int i = 0; i < 3; ++i) Tap(vk::Left);
  EXPECT_TRUE(Shown(Im_BlockS2));
  EXPECT_EQ(form.IcePos[2], 4);
  sounds.calls.clear();
  Tap(vk::Left);  // onto the ladder
  EXPECT_FALSE(Shown(Im_BlockS2));
  EXPECT_TRUE(Shown(Im_BlockS1A)) << "bottom block of the seal's ladder";
  EXPECT_EQ(form.LadderHeight[2], 1);
  EXPECT_TRUE(form.HandsEmpty[2]);
  EXPECT_EQ(form.IcePos[2], 4) << "the last place the block was drawn";
  EXPECT_EQ(SoundOps(),
            (std::vector<std::string>{"StopChannel MPlayer_Tempo", "PlayCue MPlayer_Block"}));
  EXPECT_FALSE(form.Timer_Bonus.Enabled());
}

// Without BLOCK.WAV its channel stays closed; once the sound is switched on, every block cue
// raises an error that ends the handler half-way through stacking.
class BrokenBlockSoundTest : public PlayFixture {
 protected:
  BrokenBlockSoundTest()
      : PlayFixture({"START.WAV", "TEMPO.WAV", "GOT.WAV", "BONUS.WAV", "BOMBED.WAV", "OVER.WAV"}) {}
};

TEST_F(BrokenBlockSoundTest, StacksCutShortLeaveTheGameRunning) {
  EXPECT_EQ(console_.errors.size(), 1u) << "creation stopped at the missing file";
  Playing(true, false);
  form.SoundOn = true;
  form.LadderHeight[1] = 2;
  Carrying(1);
  EXPECT_THROW(Tap(vk::C), Error);
  Up(vk::C);
  // The third block is up, but the error came before the hands were emptied and the ladder
  // checked: no bonus, and the block is still in hand.
  EXPECT_EQ(form.LadderHeight[1], 3);
  EXPECT_FALSE(form.HandsEmpty[1]);
  EXPECT_FALSE(form.Timer_Bonus.Enabled());
  Tap(vk::Z);
  EXPECT_TRUE(Shown(Im_BlockP4));
  EXPECT_THROW(Tap(vk::C), Error);  // a fourth block: nothing beyond the ladder is drawn
  Up(vk::C);
  EXPECT_EQ(form.LadderHeight[1], 4);
  EXPECT_EQ(form.PlayerPos[1], 5);
  // The computer in the same plight waits at the ladder end instead of walking off it.
  PlacePlayer(form, 2, 4);
  form.LadderHeight[2] = 0;
  Carrying(2);
  EXPECT_THROW(form.Proc_IA(), Error);
  for (int i = 0; i < 3; ++i) form.Proc_IA();
  EXPECT_EQ(form.PlayerPos[2], 5);
  EXPECT_EQ(form.LadderHeight[2], 1);
}

class BonusTest : public PlayFixture {
 protected:
  // At t = 1000 player p, at 4 with a block and two on its ladder, steps onto the ladder end
  // while the round's timers run. The other side may be the computer's, and may carry a block.
  void CompleteLadderAt1000(int p, bool otherIsComputer = false, int otherCarriesAt = 0) {
    const int other = 3 - p;
    Playing(p == 1 || !otherIsComputer, p == 2 || !otherIsComputer);
    form.Score[1] = 15;
    form.Score[2] = 15;
    for (int h = 1; h <= 2; ++h) {
      form.LadderHeight[p] = h;
      form.MostraScaletta(p);
    }
    PlacePlayer(form, p, 4);
    Carrying(p);
    if (otherCarriesAt != 0) {
      PlacePlayer(form, other, otherCarriesAt);
      Carrying(other);
    }
    RunTo(1000);
    form.Timer_Avvoltoio.SetEnabled(true);
    form.Timer_Disturbi.SetEnabled(true);
    form.Timer_Ghiaccio.SetEnabled(true);
    if (otherIsComputer) form.TimerIA.SetEnabled(true);
    Tap(p == 1 ? vk::C : vk::Left);
    ASSERT_TRUE(form.Timer_Bonus.Enabled());
  }
};

TEST_F(BonusTest, ThirdBlockStopsEverythingAndCutsItsOwnSoundForTheJingle) {
  Playing();
  form.LadderHeight[1] = 2;
  Carrying(1);
  for (TimerId id : {TimerId::Timer_Avvoltoio, TimerId::Timer_Disturbi, TimerId::Timer_Ghiaccio,
                     TimerId::TimerGioco, TimerId::TimerIA, TimerId::TimerBraccio2})
    form.TimerById(id).SetEnabled(true);
  sounds.calls.clear();
  Tap(vk::C);
  EXPECT_EQ(form.LadderHeight[1], 3);
  EXPECT_TRUE(Shown(Im_BlockP5C));
  for (int i = 0; i < kTimerCount; ++i) {
    const auto id = static_cast<TimerId>(i);
    EXPECT_EQ(form.TimerById(id).Enabled(), id == TimerId::Timer_Bonus) << TimerName(id);
  }
  EXPECT_EQ(form.Timer_Bonus.Interval(), 1970);
  EXPECT_FALSE(form.InputEnabled[1]);
  EXPECT_FALSE(form.InputEnabled[2]);
  EXPECT_EQ(SoundOps(),
            (std::vector<std::string>{"StopChannel MPlayer_Tempo", "PlayCue MPlayer_Block",
                                      "StopChannel MPlayer_Music", "RewindChannel MPlayer_Music",
                                      "StopChannel MPlayer_Tempo", "StopChannel MPlayer_Got",
                                      "StopChannel MPlayer_Block",
                                      "LoadCue MPlayer_Music BONUS.WAV", "PlayCue MPlayer_Music"}));
}

TEST_F(BonusTest, SilentSwitchSkipsTheJingleButNotTheSequence) {
  form.SoundOn = false;
  CompleteLadderAt1000(2);
  for (const std::string& op : SoundOps()) EXPECT_EQ(op.find("BONUS"), std::string::npos);
  RunTo(1000 + 6805);
  EXPECT_EQ(form.Score[1], 13);
}

TEST_F(BonusTest, PenguinsBonusStepByStepTo6805ms) {
  CompleteLadderAt1000(1);
  const std::int64_t t0 = 1000;
  RunTo(t0 + 1969);
  EXPECT_TRUE(Shown(Im_Pengo5));
  EXPECT_FALSE(Shown(Im_P_Lift));
  RunTo(t0 + 1970);
  EXPECT_FALSE(Shown(Im_Pengo5));
  EXPECT_TRUE(Shown(Im_P_Lift));
  EXPECT_TRUE(Shown(Im_P_EatS1));
  EXPECT_FALSE(Shown(Im_P_EatP1));
  RunTo(t0 + 2675);
  EXPECT_FALSE(Shown(Im_P_Lift));
  EXPECT_TRUE(Shown(Im_P_EatP1));
  EXPECT_TRUE(Shown(Im_P_EatS1));
  RunTo(t0 + 3374);
  EXPECT_EQ(form.Score[2], 15);
  RunTo(t0 + 3375);
  EXPECT_TRUE(Shown(Im_P_EatP2));
  EXPECT_TRUE(Shown(Im_P_EatS2));
  EXPECT_EQ(form.Score[2], 14);
  EXPECT_EQ(form.Components.Picture(Im_NumPosSS2), Im_Num4) << "drawn at once";
  RunTo(t0 + 3675);
  EXPECT_FALSE(Shown(Im_P_EatP2));
  EXPECT_FALSE(Shown(Im_P_EatS2));
  RunTo(t0 + 5075);
  EXPECT_TRUE(Shown(Im_P_EatP2));
  EXPECT_EQ(form.Score[2], 13);
  RunTo(t0 + 5375);
  EXPECT_FALSE(Shown(Im_P_EatP2));
  RunTo(t0 + 6804);
  EXPECT_TRUE(form.Timer_Bonus.Enabled());
  EXPECT_FALSE(form.Timer_Avvoltoio.Enabled());
  RunTo(t0 + 6805);
  EXPECT_FALSE(form.Timer_Bonus.Enabled());
  EXPECT_TRUE(form.Timer_Avvoltoio.Enabled());
  EXPECT_TRUE(form.Timer_Disturbi.Enabled());
  EXPECT_TRUE(form.Timer_Ghiaccio.Enabled());
  EXPECT_FALSE(form.TimerIA.Enabled()) << "two people: no computer";
  EXPECT_TRUE(form.InputEnabled[1]);
  EXPECT_TRUE(form.InputEnabled[2]);
  EXPECT_FALSE(Shown(Im_P_EatP1));
  EXPECT_FALSE(Shown(Im_P_EatS1));
  EXPECT_EQ(form.LadderHeight[1], 0);
  for (Segment s : {Im_BlockP5A, Im_BlockP5B, Im_BlockP5C}) EXPECT_FALSE(Shown(s));
  EXPECT_EQ(form.PlayerPos[1], 4);
  EXPECT_EQ(form.PlayerPos[2], 2);
  EXPECT_TRUE(Shown(Im_Pengo4));
  EXPECT_TRUE(Shown(Im_Seal4));
  EXPECT_FALSE(Shown(Im_Seal3)) << "the opponent was hidden at its old place";
  EXPECT_EQ(form.WallLane, 3);
  EXPECT_EQ(form.Score[2], 13);
  EXPECT_EQ(form.Score[1], 15);
  // The supply of the new round comes 9400 ms after play resumes (a bomb will have exploded
  // by then with nobody moving, so the due time is read off the clock).
  EXPECT_EQ(form.Timer_Ghiaccio.Interval(), 9400);
  EXPECT_EQ(clock.Due(TimerId::Timer_Ghiaccio), t0 + 6805 + 9400);
}

TEST_F(BonusTest, SealsBonusUsesItsOwnPicturesAndTheComputerResumes) {
  // The seal builds while the computer's penguin carries a block at its supply end.
  CompleteLadderAt1000(2, true, 1);
  const std::int64_t t0 = 1000;
  RunTo(t0 + 1970);
  EXPECT_FALSE(Shown(Im_Seal1));
  EXPECT_TRUE(Shown(Im_S_Lift));
  EXPECT_TRUE(Shown(Im_S_EatP1));
  RunTo(t0 + 2675);
  EXPECT_TRUE(Shown(Im_S_EatS1));
  RunTo(t0 + 3375);
  EXPECT_TRUE(Shown(Im_S_EatS2));
  EXPECT_TRUE(Shown(Im_S_EatP2));
  EXPECT_EQ(form.Score[1], 14);
  RunTo(t0 + 6805);
  EXPECT_EQ(form.Score[1], 13);
  EXPECT_TRUE(form.TimerIA.Enabled()) << "the computer plays the penguin";
  // The penguin's block went with it to its start position.
  EXPECT_FALSE(form.HandsEmpty[1]);
  EXPECT_EQ(form.IcePos[1], 4);
  EXPECT_TRUE(Shown(Im_BlockP4));
  EXPECT_FALSE(Shown(Im_BlockP1B));
  EXPECT_FALSE(Shown(Im_S_EatS1));
  EXPECT_FALSE(Shown(Im_S_EatP1));
}

TEST_F(BonusTest, LastPointAtTheFirstBiteEndsTheGame) {
  CompleteLadderAt1000(1);
  form.Score[2] = 1;
  sounds.calls.clear();
  RunTo(1000 + 3375);
  EXPECT_EQ(form.Score[2], 0);
  EXPECT_FALSE(form.Timer_Bonus.Enabled());
  EXPECT_TRUE(form.Timer_Over.Enabled());
  EXPECT_EQ(form.Timer_Over.Interval(), 2000);
  EXPECT_EQ(SoundOps(),
            (std::vector<std::string>{"StopChannel MPlayer_Music", "LoadCue MPlayer_Music OVER.WAV",
                                      "PlayCue MPlayer_Music"}));
  RunTo(1000 + 5375);
  EXPECT_EQ(form.BonusStep, 3) << "the second point is not taken";
  EXPECT_TRUE(Shown(Im_P_EatP2)) << "the pictures stay as they are";
  EXPECT_TRUE(Shown(Im_P_EatS1));
  EXPECT_FALSE(form.Timer_Avvoltoio.Enabled());
}

TEST_F(BonusTest, LastPointAtTheSecondBiteEndsTheGame) {
  CompleteLadderAt1000(2, false);
  form.Score[1] = 2;
  RunTo(1000 + 5074);
  EXPECT_EQ(form.Score[1], 1);
  EXPECT_TRUE(form.Timer_Bonus.Enabled());
  RunTo(1000 + 5075);
  EXPECT_EQ(form.Score[1], 0);
  EXPECT_FALSE(form.Timer_Bonus.Enabled());
  EXPECT_TRUE(form.Timer_Over.Enabled());
  RunTo(1000 + 7000);
  EXPECT_EQ(form.BonusStep, 5);
  EXPECT_EQ(form.LadderHeight[2], 3) << "no new round";
}

}  // namespace
}  // namespace floemark::testing
