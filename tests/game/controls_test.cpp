// The six keys: one action per press, the limits of movement, catching, throwing, the arm.
#include "play_fixture.h"

namespace floemark::testing {
namespace {

using namespace panel;

class ControlsTest : public PlayFixture {};

TEST_F(ControlsTest, HeldKeyActsOnceWhateverItsAutoRepeat) {
  Playing();
  Down(vk::C);
  for (int i = 0; i < 5; ++i) Down(vk::C);  // auto-repeat
  EXPECT_EQ(form.PlayerPos[1], 5);
  EXPECT_FALSE(Shown(Puls_PenguinRight)) << "indicator hidden while held";
  Up(vk::C);
  EXPECT_TRUE(Shown(Puls_PenguinRight));
  Down(vk::Z);
  Down(vk::Z);
  Up(vk::Z);
  Tap(vk::Z);
  EXPECT_EQ(form.PlayerPos[1], 3);
  EXPECT_TRUE(Shown(Im_Pengo3) && Shown(Im_Pengo3A));
  EXPECT_FALSE(Shown(Im_Pengo4) || Shown(Im_Pengo5));
}

TEST_F(ControlsTest, ThreeKeysShareOneLatchPerPlayer) {
  Playing();
  PlacePlayer(form, 1, 3);
  Down(vk::Z);  // accepted: 3 -> 2
  Down(vk::C);  // latched: the other key of the same player does nothing
  Down(vk::Shift);
  EXPECT_EQ(form.PlayerPos[1], 2);
  EXPECT_TRUE(form.KeyLatch[1]);
  Tap(vk::Left);  // the seal is not held up by the penguin's latch
  EXPECT_EQ(form.PlayerPos[2], 3);
  // Releasing a key other than the one that acted frees the latch all the same.
  Up(vk::C);
  EXPECT_FALSE(form.KeyLatch[1]);
  Down(vk::C);
  EXPECT_EQ(form.PlayerPos[1], 3);
}

TEST_F(ControlsTest, KeyAgainstTheEndOfTheScreenLeavesTheLatchFree) {
  Playing();
  PlacePlayer(form, 1, 1);
  Down(vk::Z);
  EXPECT_FALSE(form.KeyLatch[1]);
  Down(vk::C);  // Z still held
  EXPECT_EQ(form.PlayerPos[1], 2);
  PlacePlayer(form, 2, 5);
  Down(vk::Left);
  EXPECT_FALSE(form.KeyLatch[2]);
  EXPECT_EQ(form.PlayerPos[2], 5);
}

TEST_F(ControlsTest, LimitsOfMovementWithAndWithoutABomb) {
  // Which positions a step leaves from: {toward the supply, toward the ladder}.
  for (int p = 1; p <= 2; ++p) {
    const std::uint16_t supplyKey = p == 1 ? vk::Z : vk::Right;
    const std::uint16_t ladderKey = p == 1 ? vk::C : vk::Left;
    for (bool holding : {false, true}) {
      for (int from = 1; from <= 5; ++from) {
        for (int d : {-1, +1}) {
          if (holding && (from == 1 || from == 5)) continue;  // nobody holds a bomb there
          Playing();
          PlacePlayer(form, p, from);
          if (holding) {
            PlaceBomb(form, 1, p == 1 ? 1 : 10, from);
            form.HeldBomb[p] = 1;
          }
          Tap(d < 0 ? supplyKey : ladderKey);
          const int lo = holding ? 3 : 2, hi = holding ? 3 : 4;
          const bool moves = d < 0 ? from >= lo && from <= (holding ? 4 : 5)
                                   : from >= (holding ? 2 : 1) && from <= hi;
          EXPECT_EQ(form.PlayerPos[p], moves ? from + d : from)
              << "player " << p << (holding ? " holding" : "") << " from " << from << " step " << d;
          if (holding) {
            EXPECT_EQ(form.BombLane[1], form.PlayerPos[p]) << "the bomb stays in hand";
          }
        }
      }
    }
  }
}

TEST_F(ControlsTest, BumpingTheInnerLimitUsesUpThePress) {
  Playing();
  PlacePlayer(form, 1, 2);
  PlaceBomb(form, 1, 1, 2);
  form.HeldBomb[1] = 1;
  Down(vk::Z);
  EXPECT_EQ(form.PlayerPos[1], 2);
  EXPECT_TRUE(form.KeyLatch[1]);
  Down(vk::Shift);  // SHIFT before Z is released: nothing
  EXPECT_EQ(form.BombCell[1], 1);
  EXPECT_FALSE(form.TimerBraccio1.Enabled());
  Up(vk::Z);
  Down(vk::Shift);  // its auto-repeat acts now that the latch is free
  EXPECT_EQ(form.BombCell[1], 2) << "thrown once the latch is free";
}

TEST_F(ControlsTest, SteppingUnderAWaitingBombCatchesItSilently) {
  Playing();
  PlaceBomb(form, 1, 1, 3, 0);
  sounds.calls.clear();
  Tap(vk::Z);  // 4 -> 3
  EXPECT_EQ(form.HeldBomb[1], 1);
  EXPECT_FALSE(form.BombRolling[1]);
  EXPECT_TRUE(Shown(Im_BombP35));
  EXPECT_TRUE(sounds.calls.empty());
  // Carried along, it stays at the feet.
  Tap(vk::Z);
  EXPECT_EQ(form.BombLane[1], 2);
  EXPECT_EQ(form.BombCell[1], 1);
  EXPECT_FALSE(Shown(Im_BombP35));
  EXPECT_TRUE(Shown(Im_BombP25));
}

TEST_F(ControlsTest, BothBombsAtTheFeetBomb2InHandBomb1CaughtWhenTheArmComesDown) {
  Playing();
  PlacePlayer(form, 2, 2);
  PlaceBomb(form, 1, 10, 3, 11);
  PlaceBomb(form, 2, 10, 3, 11);
  Tap(vk::Left);  // 2 -> 3
  EXPECT_EQ(form.HeldBomb[2], 2);
  EXPECT_FALSE(form.BombRolling[1]);
  EXPECT_FALSE(form.BombRolling[2]);
  RunTo(1000);
  Tap(vk::Ctrl);
  EXPECT_EQ(form.BombCell[2], 9);
  EXPECT_EQ(form.BombTarget[2], 0);
  EXPECT_TRUE(Shown(Im_BombS35)) << "bomb 1 shows again on the segment bomb 2 left";
  EXPECT_TRUE(Shown(Im_BombS34));
  RunTo(1300);
  EXPECT_EQ(form.HeldBomb[2], 1);
  EXPECT_FALSE(form.BombRolling[1]);
}

TEST_F(ControlsTest, ThrowRaisesTheArmFor300msAndShutsTheKeys) {
  Playing();
  PlacePlayer(form, 1, 3);
  PlaceBomb(form, 1, 1, 3);
  form.HeldBomb[1] = 1;
  RunTo(500);
  Down(vk::Shift);
  EXPECT_FALSE(Shown(Im_BombP35));
  EXPECT_TRUE(Shown(Im_BombP34));
  EXPECT_EQ(form.BombTarget[1], 11);
  EXPECT_TRUE(form.BombRolling[1]);
  EXPECT_TRUE(Shown(Im_Pengo3B));
  EXPECT_FALSE(Shown(Im_Pengo3A));
  EXPECT_FALSE(form.InputEnabled[1]);
  EXPECT_EQ(form.HeldBomb[1], 1) << "still names the thrown bomb while the arm is up";
  Up(vk::Shift);
  Tap(vk::C);
  RunTo(799);
  EXPECT_EQ(form.PlayerPos[1], 3);
  EXPECT_TRUE(Shown(Im_Pengo3B));
  RunTo(800);
  EXPECT_FALSE(Shown(Im_Pengo3B));
  EXPECT_TRUE(Shown(Im_Pengo3A));
  EXPECT_EQ(form.HeldBomb[1], 0);
  EXPECT_TRUE(form.InputEnabled[1]);
  EXPECT_FALSE(form.TimerBraccio1.Enabled());
  Tap(vk::C);
  EXPECT_EQ(form.PlayerPos[1], 4);
}

TEST_F(ControlsTest, ArmComingDownCatchesABombThatArrivedWhileItWasUp) {
  Playing();
  PlacePlayer(form, 2, 4);
  PlaceBomb(form, 1, 10, 4);
  form.HeldBomb[2] = 1;
  Tap(vk::Ctrl);
  // Meanwhile another bomb rolls onto the seal's feet; the tick would not catch it.
  PlaceBomb(form, 2, 10, 4);
  form.BombRolling[2] = true;
  RunTo(300);
  EXPECT_EQ(form.HeldBomb[2], 2);
  EXPECT_FALSE(form.BombRolling[2]);
  EXPECT_TRUE(Shown(Im_Seal2A));
}

TEST_F(ControlsTest, ComputersArmComesDownWithItsKeysStillShut) {
  Playing(true, false);
  PlacePlayer(form, 2, 3);
  PlaceBomb(form, 1, 10, 3);
  form.HeldBomb[2] = 1;
  form.Proc_IA();
  RunTo(300);
  EXPECT_FALSE(form.InputEnabled[2]);
  EXPECT_EQ(form.HeldBomb[2], 0);
}

TEST_F(ControlsTest, ThrowOnlyFromACatchCell) {
  Playing();
  PlaceBomb(form, 1, 5, 3, 11);
  PlaceBomb(form, 2, 10, 2);
  form.RimandaBomba(1);
  EXPECT_EQ(form.BombCell[1], 5);
  EXPECT_EQ(form.BombTarget[1], 11);
  form.RimandaBomba(2);
  EXPECT_EQ(form.BombCell[2], 9);
  EXPECT_TRUE(form.BombRolling[2]);
  form.RimandaBomba(0);
  form.RimandaBomba(3);  // no such bomb: nothing, and nothing read out of range
}

TEST_F(ControlsTest, AttackAtTheSupplyTakesABlockOnlyWithEmptyHands) {
  Playing();
  ShowSupply();
  PlacePlayer(form, 1, 1);
  Carrying(1);
  Down(vk::Shift);
  EXPECT_TRUE(Shown(Im_BlockP1A)) << "already carrying: the supply stays";
  EXPECT_TRUE(form.KeyLatch[1]) << "the press is taken all the same";
  Up(vk::Shift);
  form.HandsEmpty[1] = true;
  Down(vk::Shift);
  EXPECT_FALSE(Shown(Im_BlockP1A));
  EXPECT_FALSE(form.HandsEmpty[1]);
  EXPECT_TRUE(form.Timer_Ghiaccio.Enabled());
  EXPECT_EQ(form.Timer_Ghiaccio.Interval(), 17000);
}

TEST_F(ControlsTest, ShutKeysOnlyMoveTheirIndicators) {
  // Power off: no game, no input, but the indicators still go down and up.
  const std::uint16_t keys[] = {vk::Shift, vk::Z, vk::C, vk::Ctrl, vk::Left, vk::Right};
  const Component pics[] = {Puls_PenguinAttack, Puls_PenguinLeft, Puls_PenguinRight,
                            Puls_SealAttack,    Puls_SealLeft,    Puls_SealRight};
  for (Component c : pics) form.Components.SetVisible(c, true);
  form.PlayerPos[1] = 3;
  for (int i = 0; i < 6; ++i) {
    Down(keys[i]);
    for (int j = 0; j < 6; ++j) EXPECT_EQ(Shown(pics[j]), j != i) << i << "," << j;
    Up(keys[i]);
  }
  EXPECT_EQ(form.PlayerPos[1], 3);
  Down('c');  // only the key codes count; a lower-case character code is another key
  EXPECT_TRUE(Shown(Puls_PenguinRight));
}

}  // namespace
}  // namespace floemark::testing
