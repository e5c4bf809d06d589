// The game's timer rules on the virtual clock, which the replay's timing depends on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/timer.h"
#include "base/virtual_clock.h"

namespace floemark {
namespace {

using ::testing::ElementsAre;
using Fired = std::vector<std::pair<std::int64_t, TimerId>>;

TEST(TimersTest, EnableAndIntervalRestartOnlyOnAChange) {
  VirtualClock clock;
  Timer t(TimerId::TimerGioco, &clock);
  Fired fired;
  auto log = [&](TimerId id) { fired.push_back({clock.Now(), id}); };
  t.SetEnabled(true);  // due at 200
  clock.RunThrough(150, log);
  t.SetEnabled(true);  // already on: no fresh interval
  t.SetInterval(200);  // the same interval: no restart
  clock.RunThrough(200, log);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].first, 200);
  clock.RunThrough(250, log);
  t.SetInterval(300);  // a different one: restarts from now
  clock.RunThrough(549, log);
  EXPECT_EQ(fired.size(), 1u);
  clock.RunThrough(550, log);
  EXPECT_EQ(fired.back().first, 550);
  t.SetEnabled(false);
  t.SetInterval(100);  // while off: takes effect at the next enable
  clock.RunThrough(700, log);
  t.SetEnabled(true);
  clock.RunThrough(800, log);
  EXPECT_EQ(fired.back().first, 800);
  EXPECT_EQ(fired.size(), 3u);
}

TEST(TimersTest, SameMomentInTableOrderEachLookedAtInItsTurn) {
  VirtualClock clock;
  Timer avvio(TimerId::Timer_Avvio, &clock), over(TimerId::Timer_Over, &clock),
      gioco(TimerId::TimerGioco, &clock), braccio(TimerId::TimerBraccio2, &clock);
  avvio.SetInterval(600);
  over.SetInterval(600);
  gioco.SetInterval(300);
  braccio.SetInterval(600);
  braccio.SetEnabled(true);
  gioco.SetEnabled(true);
  over.SetEnabled(true);
  avvio.SetEnabled(true);
  Fired fired;
  clock.RunThrough(600, [&](TimerId id) {
    fired.push_back({clock.Now(), id});
    if (id == TimerId::Timer_Over) {
      braccio.SetEnabled(false);  // stopped by an earlier handler at the same moment
      gioco.SetInterval(500);     // its own firing at 600 is now off, next due 1100
    }
  });
  EXPECT_THAT(fired, ElementsAre(std::pair{std::int64_t{300}, TimerId::TimerGioco},
                                 std::pair{std::int64_t{600}, TimerId::Timer_Avvio},
                                 std::pair{std::int64_t{600}, TimerId::Timer_Over}));
  EXPECT_EQ(clock.Due(TimerId::TimerGioco), 1100);
}

TEST(TimersTest, AFiredTimerIsNextDueOneIntervalAsItStandsAfterItsHandler) {
  VirtualClock clock;
  Timer errore(TimerId::Timer_Errore, &clock);
  errore.SetInterval(300);
  errore.SetEnabled(true);
  std::vector<std::int64_t> at;
  const int next[] = {600, 600, 700, 700};
  clock.RunThrough(2200, [&](TimerId) {
    errore.SetInterval(next[at.size()]);
    at.push_back(clock.Now());
    if (at.size() == 4) errore.SetEnabled(false);
  });
  EXPECT_THAT(at, ElementsAre(300, 900, 1500, 2200));
}

TEST(TimersTest, EventsAtAMomentComeBeforeItsTimers) {
  VirtualClock clock;
  Timer t(TimerId::Timer_Avvoltoio, &clock);
  t.SetEnabled(true);
  int fired = 0;
  clock.RunBefore(700, [&](TimerId) { ++fired; });
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(clock.Now(), 700);
  clock.RunThrough(700, [&](TimerId) { ++fired; });
  EXPECT_EQ(fired, 1);
}

TEST(TimersTest, TheTimeOfDayWrapsAtMidnight) {
  VirtualClock clock(86'399'900);
  clock.RunThrough(150, [](TimerId) {});
  EXPECT_EQ(clock.TimeOfDayMs(), 50);
}

}  // namespace
}  // namespace floemark
