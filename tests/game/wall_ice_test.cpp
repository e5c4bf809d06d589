// The wall's wandering, the shared ice supply, carrying and stacking blocks.
#include <random>

#include "game/clock.h"
#include "tests/game/play_fixture.h"

namespace floemark::testing {
namespace {

using namespace panel;

// The first time of day at or after `from` whose draw from 0..n-1 gives r.
std::int64_t TimeGiving(int n, int r, std::int64_t from) {
  while (RandomDraw(from, n) != r) ++from;
  return from;
}

class WallTest : public PlayFixture {
 protected:
  // Runs one wall step by the timer, at a moment whose draw is r.
  void WallStepWithDraw(int n, int r) {
    const std::int64_t at = TimeGiving(n, r, clock.Now() + 650);
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
    sounds.ops.clear();
    WallStepWithDraw(c.n, c.r);
    EXPECT_EQ(form.WallLane, c.to) << "from lane " << c.from << " with draw " << c.r;
    ExpectWallOnlyIn(c.to);
    EXPECT_TRUE(sounds.ops.empty()) << "the wall is silent";
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
  PlaceAt(1, 1);
  RunTo(1000);
  sounds.ops.clear();
  form.TakeIce(1);
  EXPECT_FALSE(Shown(Im_BlockP1A));
  EXPECT_FALSE(Shown(Im_BlockS5A));
  EXPECT_TRUE(Shown(Im_BlockP1B)) << "in the penguin's hands at position 1";
  EXPECT_FALSE(form.HandsEmpty[1]);
  EXPECT_EQ(form.IcePos[1], 1);
  EXPECT_EQ(sounds.ops,
            (std::vector<std::string>{"MPlayer_Tempo.StopChannel", "MPlayer_Block.PlayCue"}));
  // The seal at its supply end finds nothing to take.
  PlaceAt(2, 1);
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
  PlaceAt(2, 2);
  Carrying(2);
  EXPECT_TRUE(Shown(Im_BlockS4));
  Tap(vk::Right);  // toward the supply
  EXPECT_FALSE(Shown(Im_BlockS4));
  EXPECT_TRUE(Shown(Im_BlockS5B)) << "at position 1";
  for (int i = 0; i < 3; ++i) Tap(vk::Left);
  EXPECT_TRUE(Shown(Im_BlockS2));
  EXPECT_EQ(form.IcePos[2], 4);
  sounds.ops.clear();
  Tap(vk::Left);  // onto the ladder
  EXPECT_FALSE(Shown(Im_BlockS2));
  EXPECT_TRUE(Shown(Im_BlockS1A)) << "bottom block of the seal's ladder";
  EXPECT_EQ(form.LadderHeight[2], 1);
  EXPECT_TRUE(form.HandsEmpty[2]);
  EXPECT_EQ(form.IcePos[2], 4) << "the last place the block was drawn";
  EXPECT_EQ(sounds.ops,
            (std::vector<std::string>{"MPlayer_Tempo.StopChannel", "MPlayer_Block.PlayCue"}));
  EXPECT_FALSE(form.Timer_Bonus.Enabled());
}

TEST_F(IceTest, SecondBlockOnlyShowsItsOwnHeight) {
  Playing();
  form.LadderHeight[1] = 1;
  PlaceAt(1, 4);
  Carrying(1);
  Tap(vk::C);
  EXPECT_EQ(form.LadderHeight[1], 2);
  EXPECT_TRUE(Shown(Im_BlockP5B));
  EXPECT_FALSE(Shown(Im_BlockP5A)) << "the bottom block was never drawn in this test";
  EXPECT_FALSE(form.Timer_Bonus.Enabled());
}

}  // namespace
}  // namespace floemark::testing
