// The error sequence after an explosion, the restart of play and the game-over hold.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console_fixture.h"

namespace floemark::testing {
namespace {

using ::testing::ElementsAre;

constexpr std::int64_t kResume = 3500;  // a two-player game started at 100 is in play from here
constexpr std::int64_t kBang = kResume + 10;

// Bomb 1 rolling from (cell, lane) toward target with the vulture empty-handed, and the game
// tick moving it at once.
void RollNow(TForm1& f, int cell, int lane, int target) {
  f.VultureBomb = 0;
  PlaceBomb(f, 1, cell, lane, target);
  f.MovingBomb = 2;
  f.TimerGiocoTimer();
}

// Starts a two-player game and, just after the start delay, makes bomb 1 explode at the end of
// player `loser` at kBang: the game tick moves it from the loser's feet, where nobody stands.
void Explode(Console& c, int loser) {
  TForm1& f = c.f();
  c.PowerOnAndStart(100, vk::Shift, true);
  c.Through(kResume);
  c.At(kBang, [&] { RollNow(f, loser == 1 ? 1 : 10, 3, loser == 1 ? 0 : 11); });
  ASSERT_TRUE(f.Timer_Errore.Enabled());
}

class ErrorsTest : public ::testing::Test {
 protected:
  ScratchDir dir{kAllCues};
};

TEST_F(ErrorsTest, StepsAt300_900_1500And2200Ms) {
  Console c;
  TForm1& f = c.f();
  Explode(c, 1);
  EXPECT_FALSE(f.Timer_Avvoltoio.Enabled() || f.Timer_Disturbi.Enabled() ||
               f.Timer_Ghiaccio.Enabled() || f.TimerGioco.Enabled());
  EXPECT_FALSE(f.InputEnabled[1] || f.InputEnabled[2]);
  c.Through(kBang + 299);
  EXPECT_EQ(f.ErrorStep, 0);
  c.Through(kBang + 300);
  EXPECT_EQ(f.ErrorStep, 1);
  EXPECT_THAT(c.sounds.Since(kBang + 300),
              ElementsAre("LoadCue MPlayer_Music BOMBED.WAV", "PlayCue MPlayer_Music"));
  c.Through(kBang + 899);
  EXPECT_TRUE(c.Visible(Im_Pengo4));
  c.Through(kBang + 900);
  EXPECT_EQ(f.ErrorStep, 2);
  EXPECT_FALSE(c.Visible(Im_Pengo4));
  EXPECT_TRUE(c.Visible(Im_P_DieP) && c.Visible(Im_P_DieS));
  EXPECT_TRUE(c.Visible(Im_P_Bang));  // the explosion stays
  EXPECT_EQ(f.Score[1], 14);
  EXPECT_EQ(f.Components.Picture(Im_NumPosPP2), Im_Num5);  // shown only at the restart
  c.Through(kBang + 1500);
  EXPECT_EQ(f.ErrorStep, 3);
  EXPECT_EQ(f.Timer_Errore.Interval(), 700);
  c.Through(kBang + 2199);
  EXPECT_EQ(f.ErrorStep, 3);
  EXPECT_TRUE(c.Visible(Im_P_DieP));
  c.Through(kBang + 2200);
  EXPECT_EQ(f.ErrorStep, 4);
  EXPECT_FALSE(c.Visible(Im_P_DieP) || c.Visible(Im_P_DieS) || c.Visible(Im_P_Bang));
  EXPECT_EQ(f.Components.Picture(Im_NumPosPP2), Im_Num4);
  EXPECT_EQ(f.Components.Picture(Im_NumPosSP2), Im_Num4);
  EXPECT_EQ(f.Components.Picture(Im_NumPosSS2), Im_Num5);
  EXPECT_FALSE(f.Timer_Errore.Enabled());
  EXPECT_TRUE(f.Timer_Avvoltoio.Enabled() && f.Timer_Disturbi.Enabled() &&
              f.Timer_Ghiaccio.Enabled());
  EXPECT_FALSE(f.TimerGioco.Enabled());
  EXPECT_TRUE(f.InputEnabled[1] && f.InputEnabled[2]);
  EXPECT_FALSE(f.KeyLatch[1] || f.KeyLatch[2]);
  EXPECT_TRUE(c.Visible(Im_Pengo4) && c.Visible(Im_Seal4));
}

TEST_F(ErrorsTest, WhatSurvivesARestart) {
  Console c;
  TForm1& f = c.f();
  c.PowerOnAndStart(100, vk::Shift, true);
  c.Through(kResume);
  // The penguin carries a block at 3 and holds bomb 2; the seal carries one at 4 and has a
  // ladder of two.
  c.At(kResume + 5, [&] {
    f.HandsEmpty[1] = false;
    f.IcePos[1] = 3;
    f.MostraGhiaccio(1);
    f.HandsEmpty[2] = false;
    f.IcePos[2] = 4;
    f.MostraGhiaccio(2);
    f.LadderHeight[2] = 1;
    f.MostraScaletta(2);
    f.LadderHeight[2] = 2;
    f.MostraScaletta(2);
    f.Components.SetVisible(Im_BlockP1A, true);
    f.Components.SetVisible(Im_BlockS5A, true);
    f.Timer_Ghiaccio.SetInterval(17000);
    f.BombInPlay[2] = true;
    f.HeldBomb[1] = 2;
    f.BombCell[2] = 1;
    f.BombLane[2] = 4;
    f.BombRolling[2] = false;
    f.MostraBombe(2);
  });
  // Full hands: bomb 1 jumps from cell 2 in the penguin's lane to the explosion.
  c.At(kBang, [&] { RollNow(f, 2, 4, 0); });
  ASSERT_TRUE(c.Visible(Im_P_Bang));
  c.Through(kBang + 900);
  EXPECT_FALSE(c.Visible(Im_BombP45));  // the held bomb goes with the penguin
  EXPECT_TRUE(f.HandsEmpty[1]);         // and so does its block
  EXPECT_FALSE(c.Visible(f.IceSegments[1][3]));
  c.Through(kBang + 2200);
  EXPECT_EQ(f.Score[1], 14);
  EXPECT_EQ(f.Score[2], 15);
  EXPECT_EQ(f.LadderHeight[2], 2);
  EXPECT_TRUE(c.Visible(f.LadderSegments[2][1]) && c.Visible(f.LadderSegments[2][2]));
  EXPECT_FALSE(f.HandsEmpty[2]);  // the winner's block moves to its starting place
  EXPECT_EQ(f.IcePos[2], 2);
  EXPECT_TRUE(c.Visible(f.IceSegments[2][2]));
  EXPECT_FALSE(c.Visible(f.IceSegments[2][4]));
  EXPECT_FALSE(c.Visible(Im_BlockP1A) || c.Visible(Im_BlockS5A));
  EXPECT_EQ(f.Timer_Ghiaccio.Interval(), 9400);
  EXPECT_EQ(f.HeldBomb[1], 0);
  EXPECT_TRUE(f.GameRunning);
  EXPECT_TRUE(f.IsHuman[1] && f.IsHuman[2]);
  EXPECT_EQ(f.GameMode, PlayMode::TwoPeople);
  EXPECT_FALSE(c.Visible(Im_P_Bang));
  for (int cell = 1; cell <= 10; ++cell)
    for (int lane = 2; lane <= 4; ++lane)
      EXPECT_FALSE(c.Visible(f.BombSegments[lane][cell])) << cell << "/" << lane;
}

TEST_F(ErrorsTest, TheSealsLossHidesTheOtherBombToo) {
  Console c;
  TForm1& f = c.f();
  c.PowerOnAndStart(100, vk::Shift, true);
  c.Through(kResume);
  c.At(kResume + 5, [&] {
    f.BombInPlay[2] = true;
    f.BombCell[2] = 3;
    f.BombLane[2] = 2;
    f.BombRolling[2] = false;
    f.MostraBombe(2);
  });
  c.At(kBang, [&] { RollNow(f, 10, 3, 11); });
  ASSERT_TRUE(c.Visible(Im_S_Bang));
  c.Through(kBang + 900);
  EXPECT_FALSE(c.Visible(Im_BombP23));
  EXPECT_FALSE(c.Visible(Im_Seal4));
  EXPECT_TRUE(c.Visible(Im_S_DieS) && c.Visible(Im_S_DieP));
  EXPECT_TRUE(c.Visible(Im_Pengo4));
  EXPECT_EQ(f.Score[2], 14);
}

TEST_F(ErrorsTest, TheLastPointEndsTheGameWithA2000MsHold) {
  Console c;
  TForm1& f = c.f();
  c.PowerOnAndStart(100, vk::Shift, true);
  c.Through(kResume);
  c.At(kBang, [&] {
    f.Score[1] = 1;
    f.Score[2] = 10;
    RollNow(f, 1, 2, 0);
  });
  c.Through(kBang + 2200);
  EXPECT_EQ(f.Score[1], 0);
  EXPECT_EQ(f.Components.Picture(Im_NumPosPP1), kNoPicture);
  EXPECT_EQ(f.Components.Picture(Im_NumPosPP2), Im_Num0);
  EXPECT_THAT(c.sounds.Since(kBang + 2200),
              ElementsAre("StopChannel MPlayer_Music", "LoadCue MPlayer_Music OVER.WAV",
                          "PlayCue MPlayer_Music"));
  EXPECT_FALSE(f.Timer_Errore.Enabled());
  EXPECT_TRUE(f.Timer_Over.Enabled());
  EXPECT_FALSE(f.Timer_Avvoltoio.Enabled());
  EXPECT_FALSE(f.InputEnabled[1] || f.InputEnabled[2]);
  // The restart layout stays frozen; a start key during the hold does nothing.
  EXPECT_TRUE(c.Visible(Im_Pengo4) && c.Visible(Im_Seal4));
  const auto frozen = c.ShownNames();
  c.Press(kBang + 3000, vk::Ctrl);
  c.Through(kBang + 4199);
  EXPECT_EQ(c.ShownNames(), frozen);
  EXPECT_TRUE(f.GameRunning);
  c.Through(kBang + 4200);
  EXPECT_FALSE(f.GameRunning);
  EXPECT_FALSE(f.Timer_Over.Enabled());
  EXPECT_EQ(c.ShownNames(), frozen);
  c.At(kBang + 5000, [&] { f.FormKeyDown(vk::Ctrl); });
  EXPECT_TRUE(f.GameRunning);
  EXPECT_EQ(f.Score[1], 15);
  EXPECT_EQ(f.Components.Picture(Im_NumPosPP1), Im_Num1);
  EXPECT_TRUE(f.Timer_Avvio.Enabled());
}

TEST_F(ErrorsTest, AScoreFrom10To9LosesItsTensDigitAtTheRestart) {
  Console c;
  TForm1& f = c.f();
  c.PowerOnAndStart(100, vk::Shift, true);
  c.Through(kResume);
  c.At(kBang, [&] {
    f.Score[2] = 10;
    f.CalcolaScore(2);
    RollNow(f, 10, 4, 11);
  });
  c.Through(kBang + 2199);
  EXPECT_EQ(f.Components.Picture(Im_NumPosSS1), Im_Num1);
  c.Through(kBang + 2200);
  EXPECT_EQ(f.Components.Picture(Im_NumPosSS1), kNoPicture);
  EXPECT_EQ(f.Components.Picture(Im_NumPosSS2), Im_Num9);
  EXPECT_EQ(f.Components.Picture(Im_NumPosPS1), kNoPicture);
  EXPECT_TRUE(f.Timer_Avvoltoio.Enabled());
}

TEST_F(ErrorsTest, WithTheSoundOffTheJinglesAreLoadedButNotPlayed) {
  Console c;
  TForm1& f = c.f();
  c.At(0, [&] { f.Puls_SoundClick(); });
  c.PowerOnAndStart(100, vk::Shift, true);
  c.Through(kResume);
  c.At(kBang, [&] {
    f.Score[1] = 1;
    RollNow(f, 1, 2, 0);
  });
  c.Through(kBang + 4200);
  EXPECT_THAT(c.sounds.Since(kBang),
              ElementsAre("LoadCue MPlayer_Music BOMBED.WAV", "StopChannel MPlayer_Music",
                          "LoadCue MPlayer_Music OVER.WAV"));
  EXPECT_EQ(c.sounds.calls[c.sounds.calls.size() - 1].t, kBang + 2200);
  EXPECT_FALSE(f.GameRunning);

  // Switched on again, the next cue sounds; nothing is replayed.
  c.At(kBang + 5000, [&] { f.Puls_SoundClick(); });
  EXPECT_TRUE(c.sounds.Since(kBang + 5000).empty());
  c.At(kBang + 5100, [&] { f.FormKeyDown(vk::Shift); });
  EXPECT_THAT(c.sounds.Since(kBang + 5100),
              ElementsAre("LoadCue MPlayer_Music START.WAV", "PlayCue MPlayer_Music"));
}

TEST_F(ErrorsTest, PowerOffStopsTheSequence) {
  Console c;
  TForm1& f = c.f();
  Explode(c, 2);
  c.Through(kBang + 1000);
  c.At(kBang + 1000, [&] { f.Puls_PowerClick(); });
  EXPECT_FALSE(f.Timer_Errore.Enabled());
  EXPECT_FALSE(c.Visible(Im_S_Bang) || c.Visible(Im_S_DieS));
  c.Through(kBang + 10000);
  EXPECT_EQ(f.ErrorStep, 2);
  c.At(kBang + 10000, [&] { f.Puls_PowerClick(); });
  EXPECT_EQ(f.Components.Picture(Im_NumPosSS1), Im_Num1);
  EXPECT_EQ(f.Components.Picture(Im_NumPosSS2), Im_Num5);
  EXPECT_FALSE(f.GameRunning);
  EXPECT_FALSE(f.Timer_Errore.Enabled() || f.Timer_Avvio.Enabled());
}

TEST(ErrorsNoJingleTest, AMissingExplosionJingleIsReportedAndPlayGoesOn) {
  ScratchDir dir({"START.WAV", "TEMPO.WAV", "GOT.WAV", "BLOCK.WAV"});
  Console c;
  TForm1& f = c.f();
  Explode(c, 1);
  c.Through(kBang + 300);
  ASSERT_EQ(c.errors.size(), 1u);
  EXPECT_FALSE(f.MPlayer_Music.IsOpen());
  // The failed step left the interval at 300 ms; the sequence still reaches its restart.
  c.Through(kBang + 1600);
  EXPECT_EQ(f.ErrorStep, 4);
  EXPECT_EQ(f.Score[1], 14);
  EXPECT_TRUE(f.Timer_Avvoltoio.Enabled());
  EXPECT_FALSE(f.Timer_Errore.Enabled());
}

}  // namespace
}  // namespace floemark::testing
