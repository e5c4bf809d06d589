// The console switches, the start keys, the start delay and the set-up of a round.
#include <gtest/gtest.h>

#include "console_fixture.h"

namespace floemark::testing {
namespace {

using ::testing::ElementsAre;

// The game segments and score places of a fresh console: what a blank LCD looks like.
bool LcdBlank(Console& c) {
  Console fresh;
  for (int i = 0; i < panel::kComponentCount; ++i) {
    const auto id = static_cast<panel::Component>(i);
    if (id == Puls_Power || id == Puls_Select || id == Puls_Sound) continue;
    if (c.f().Components.Visible(id) != fresh.f().Components.Visible(id) ||
        c.f().Components.Picture(id) != fresh.f().Components.Picture(id)) {
      ADD_FAILURE() << "differs from a blank LCD: " << panel::Info(id).name;
      return false;
    }
  }
  return true;
}

void ExpectScores(Console& c, Component tens, Component units) {
  for (Component slot : {Im_NumPosPP1, Im_NumPosSP1, Im_NumPosPS1, Im_NumPosSS1})
    EXPECT_EQ(c.f().Components.Picture(slot), tens) << panel::Info(slot).name;
  for (Component slot : {Im_NumPosPP2, Im_NumPosSP2, Im_NumPosPS2, Im_NumPosSS2})
    EXPECT_EQ(c.f().Components.Picture(slot), units) << panel::Info(slot).name;
}

bool AnyTimerOn(Console& c) {
  for (int i = 0; i < kTimerCount; ++i)
    if (c.f().TimerById(static_cast<TimerId>(i)).Enabled()) return true;
  return false;
}

class SwitchesTest : public ::testing::Test {
 protected:
  ScratchDir dir{kAllCues};
};

TEST_F(SwitchesTest, CreationLoadsTheFourChannelsAndSetsTheSwitches) {
  Console c;
  EXPECT_THAT(c.sounds.Since(0),
              ElementsAre("LoadCue MPlayer_Music START.WAV", "LoadCue MPlayer_Tempo TEMPO.WAV",
                          "LoadCue MPlayer_Got GOT.WAV", "LoadCue MPlayer_Block BLOCK.WAV"));
  EXPECT_TRUE(c.f().SoundOn);
  EXPECT_FALSE(c.f().PowerOn);
  EXPECT_EQ(c.f().ArmTimer[1], &c.f().TimerBraccio1);
  EXPECT_EQ(c.f().ArmTimer[2], &c.f().TimerBraccio2);
  EXPECT_TRUE(c.errors.empty());
}

TEST(SwitchesNoSoundTest, AFailedLoadLeavesTheSoundOffAndTheGamePlayable) {
  ScratchDir dir({"START.WAV"});  // TEMPO.WAV is missing
  Console c;
  ASSERT_EQ(c.errors.size(), 1u);
  EXPECT_FALSE(c.f().SoundOn);
  EXPECT_FALSE(c.f().MPlayer_Got.IsOpen());
  c.PowerOnAndStart(0, vk::Shift, false);
  EXPECT_TRUE(c.f().GameRunning);
  EXPECT_TRUE(c.f().Timer_Avvio.Enabled());  // no jingle to load with the sound off
  c.Through(3400);
  EXPECT_TRUE(c.f().Timer_Avvoltoio.Enabled());
}

TEST_F(SwitchesTest, PowerOnShowsFifteenAndFifteenOnlyAndOffBlanksEverything) {
  Console c;
  c.At(0, [&] { c.f().Puls_PowerClick(); });
  ExpectScores(c, Im_Num1, Im_Num5);
  EXPECT_EQ(c.f().Components.Picture(Puls_Power), Puls_On);
  EXPECT_EQ(c.f().Components.Hint(Puls_Power), "Press to turn game off");
  EXPECT_FALSE(AnyTimerOn(c));

  // Off in the middle of play: timers, sound and LCD all stop at once.
  c.Press(100, vk::Shift);
  std::int64_t t = 100;
  while (!c.f().TimerGioco.Enabled() && t < 20000) c.Through(t += 100);
  ASSERT_TRUE(c.f().TimerGioco.Enabled());  // bombs are rolling
  t += 10;
  const std::size_t before = c.sounds.calls.size();
  c.At(t, [&] { c.f().Puls_PowerClick(); });
  EXPECT_FALSE(AnyTimerOn(c));
  EXPECT_TRUE(LcdBlank(c));
  EXPECT_FALSE(c.f().GameRunning);
  EXPECT_FALSE(c.f().InputEnabled[1]);
  EXPECT_FALSE(c.f().InputEnabled[2]);
  EXPECT_EQ(c.f().Components.Picture(Puls_Power), kNoPicture);
  EXPECT_EQ(c.f().Components.Hint(Puls_Power), "Press to turn game on");
  std::vector<std::string> stops(c.sounds.Since(t));
  EXPECT_EQ(c.sounds.calls.size() - before, stops.size());
  EXPECT_THAT(stops, ElementsAre("StopChannel MPlayer_Music", "RewindChannel MPlayer_Music",
                                 "StopChannel MPlayer_Tempo", "StopChannel MPlayer_Got",
                                 "StopChannel MPlayer_Block"));
  c.Through(30000);
  EXPECT_TRUE(LcdBlank(c));

  c.At(30000, [&] { c.f().Puls_PowerClick(); });
  ExpectScores(c, Im_Num1, Im_Num5);
  EXPECT_FALSE(AnyTimerOn(c));
  EXPECT_FALSE(c.f().GameRunning);
}

TEST_F(SwitchesTest, SelectAndSoundButtonsShowTheirSwitch) {
  Console c;
  c.At(0, [&] { c.f().Puls_SelectClick(); });
  EXPECT_TRUE(c.f().TwoPlayers);
  EXPECT_EQ(c.f().Components.Picture(Puls_Select), Puls_Off);
  EXPECT_EQ(c.f().Components.Hint(Puls_Select), "Press to select 1-player game");
  c.At(0, [&] { c.f().Puls_SelectClick(); });
  EXPECT_EQ(c.f().Components.Picture(Puls_Select), kNoPicture);
  EXPECT_EQ(c.f().Components.Hint(Puls_Select), "Press to select 2-players game");

  const std::size_t loaded = c.sounds.calls.size();
  c.At(10, [&] { c.f().Puls_SoundClick(); });
  EXPECT_FALSE(c.f().SoundOn);
  EXPECT_EQ(c.f().Components.Picture(Puls_Sound), Puls_Off);
  EXPECT_EQ(c.f().Components.Hint(Puls_Sound), "Press to turn sound on");
  EXPECT_EQ(c.sounds.calls.size() - loaded, 5u);  // every channel stopped
  c.At(20, [&] { c.f().Puls_SoundClick(); });
  EXPECT_TRUE(c.f().SoundOn);
  EXPECT_EQ(c.f().Components.Picture(Puls_Sound), kNoPicture);
  EXPECT_EQ(c.f().Components.Hint(Puls_Sound), "Press to turn sound off");
  EXPECT_TRUE(c.sounds.Since(20).empty());  // nothing replayed
}

TEST_F(SwitchesTest, StartKeysChooseSidesAndMode) {
  struct Case {
    std::uint16_t key;
    bool two;
    bool human1, human2;
    PlayMode mode;
  };
  for (const Case k : {Case{vk::Shift, false, true, false, PlayMode::ComputerSeal},
                       Case{vk::Ctrl, false, false, true, PlayMode::ComputerPenguin},
                       Case{vk::Shift, true, true, true, PlayMode::TwoPeople},
                       Case{vk::Ctrl, true, true, true, PlayMode::TwoPeople}}) {
    Console c;
    c.At(10, [&] { c.f().Puls_PowerClick(); });
    if (k.two) c.At(10, [&] { c.f().Puls_SelectClick(); });
    c.At(10, [&] { c.f().FormKeyDown(k.key); });
    EXPECT_EQ(c.f().IsHuman[1], k.human1);
    EXPECT_EQ(c.f().IsHuman[2], k.human2);
    EXPECT_EQ(c.f().GameMode, k.mode);
    EXPECT_TRUE(c.f().GameRunning);
    EXPECT_TRUE(c.f().KeyLatch[1] && c.f().KeyLatch[2]);
    EXPECT_THAT(c.sounds.Since(10),
                ElementsAre("LoadCue MPlayer_Music START.WAV", "PlayCue MPlayer_Music"));
    c.At(100, [&] { c.f().FormKeyUp(k.key); });
    c.Through(3410);
    EXPECT_EQ(c.f().InputEnabled[1], k.human1);
    EXPECT_EQ(c.f().InputEnabled[2], k.human2);
    EXPECT_EQ(c.f().KeyLatch[1], !k.human1);  // the computer's side stays latched
    EXPECT_EQ(c.f().KeyLatch[2], !k.human2);
    EXPECT_EQ(c.f().TimerIA.Enabled(), k.mode != PlayMode::TwoPeople);
  }
}

TEST_F(SwitchesTest, NothingActsForTheStartDelayOf3400Ms) {
  Console c;
  c.PowerOnAndStart(700, vk::Shift, true);
  EXPECT_TRUE(c.f().Timer_Avvio.Enabled());
  c.Through(4099);
  EXPECT_TRUE(c.f().Timer_Avvio.Enabled());
  EXPECT_FALSE(c.f().Timer_Avvoltoio.Enabled());
  EXPECT_FALSE(c.f().InputEnabled[1] || c.f().InputEnabled[2]);
  c.Through(4100);
  EXPECT_FALSE(c.f().Timer_Avvio.Enabled());
  EXPECT_TRUE(c.f().Timer_Avvoltoio.Enabled());
  EXPECT_TRUE(c.f().Timer_Disturbi.Enabled());
  EXPECT_TRUE(c.f().Timer_Ghiaccio.Enabled());
  EXPECT_FALSE(c.f().TimerGioco.Enabled());  // the bombs wait for the first drop
  EXPECT_TRUE(c.f().InputEnabled[1] && c.f().InputEnabled[2]);
  EXPECT_EQ(c.clock.Due(TimerId::Timer_Avvoltoio), 4800);
}

TEST_F(SwitchesTest, StartKeyIgnoredWithPowerOffAndDuringAGame) {
  Console c;
  c.At(0, [&] { c.f().FormKeyDown(vk::Shift); });
  EXPECT_FALSE(c.Visible(Puls_PenguinAttack));
  EXPECT_FALSE(c.f().GameRunning);
  EXPECT_FALSE(c.f().Timer_Avvio.Enabled());
  c.At(10, [&] { c.f().FormKeyUp(vk::Shift); });
  EXPECT_TRUE(c.Visible(Puls_PenguinAttack));

  c.PowerOnAndStart(100, vk::Ctrl, false);
  c.Through(2000);
  const auto shown = c.ShownNames();
  c.Press(2000, vk::Shift);
  c.Press(2100, vk::Ctrl);
  EXPECT_EQ(c.ShownNames(), shown);
  EXPECT_EQ(c.f().GameMode, PlayMode::ComputerPenguin);  // still the game CTRL started
  EXPECT_EQ(c.clock.Due(TimerId::Timer_Avvio), 3500);
}

TEST_F(SwitchesTest, RoundSetUpStartsTheVultureOverEitherScreen) {
  for (int r = 0; r <= 1; ++r) {
    Console c(TimeOfDayGiving(2, r, 40'000'000));
    c.f().BombPickedUp[1] = c.f().BombPickedUp[2] = true;
    c.f().HeldBomb[1] = 2;
    c.f().BombRolling[2] = true;
    c.At(0, [&] { c.f().Prepara_Schermo(); });
    TForm1& f = c.f();
    EXPECT_EQ(f.PlayerPos[1], 4);
    EXPECT_EQ(f.PlayerPos[2], 2);
    EXPECT_EQ(f.WallLane, 3);
    EXPECT_EQ(f.VultureCell, r == 1 ? 5 : 6);
    EXPECT_EQ(f.VultureLane, r == 1 ? 1 : 5);
    EXPECT_EQ(f.BombTarget[1], r == 1 ? 0 : 11);
    EXPECT_EQ(f.BombCell[1], f.VultureCell);
    EXPECT_EQ(f.BombLane[1], f.VultureLane);
    // Bomb 2 waits unseen at the turning place over the other screen.
    EXPECT_EQ(f.BombCell[2], r == 1 ? 6 : 5);
    EXPECT_EQ(f.BombLane[2], r == 1 ? 5 : 1);
    EXPECT_EQ(f.BombTarget[2], r == 1 ? 11 : 0);
    EXPECT_TRUE(c.Visible(r == 1 ? Im_VultureP1 : Im_VultureS1));
    EXPECT_TRUE(c.Visible(r == 1 ? Im_BombP11 : Im_BombS11));
    EXPECT_FALSE(c.Visible(r == 1 ? Im_BombS11 : Im_BombP11));
    EXPECT_TRUE(f.BombInPlay[1]);
    EXPECT_FALSE(f.BombInPlay[2] || f.BombRolling[1] || f.BombRolling[2]);
    EXPECT_FALSE(f.BombPickedUp[1] || f.BombPickedUp[2]);
    EXPECT_EQ(f.HeldBomb[1] + f.HeldBomb[2], 0);
    EXPECT_EQ(f.VultureBomb, 1);
    EXPECT_EQ(f.MovingBomb, 1);
  }
}

}  // namespace
}  // namespace floemark::testing
