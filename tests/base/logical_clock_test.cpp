// The window's logical clock: ticks at their own moments however late they are delivered, and
// inputs stamped so that a replay, which runs the inputs of a moment before its ticks, runs
// everything in the order the window handled it.
#include "base/logical_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace floemark {
namespace {

struct Log {
  LogicalClock clock;
  std::vector<std::string> handled;
  VirtualClock::FireFn fire = [this](TimerId) {
    handled.push_back("tick " + std::to_string(clock.Now()));
  };
  void Input(std::int64_t realMs) {
    handled.push_back("input " + std::to_string(clock.StampInput(realMs, fire)));
  }
};

TEST(LogicalClockTest, InputsAroundATickOfTheSameMillisecondKeepTheirOrder) {
  Log log;
  log.clock.Restart(TimerId::TimerGioco, 100);  // due at 100
  log.clock.Restart(TimerId::Timer_Over, 101);  // due at 101
  log.Input(99);
  // Delivered at 100 before the tick's wake-up: the tick was due first and runs first, and
  // the inputs after it take the next millisecond, still before the tick due there.
  log.Input(100);
  log.Input(100);
  log.clock.CatchUp(101, log.fire);
  log.Input(101);
  EXPECT_EQ(log.handled, (std::vector<std::string>{"input 99", "tick 100", "input 101", "input 101",
                                                   "tick 101", "input 102"}));
}

TEST(LogicalClockTest, ALateWakeUpRunsEachTickAtItsOwnMoment) {
  Log log;
  log.clock.Restart(TimerId::Timer_Disturbi, 650);
  log.clock.CatchUp(2000, log.fire);  // the platform was 700 ms late
  EXPECT_EQ(log.handled, (std::vector<std::string>{"tick 650", "tick 1300", "tick 1950"}));
  EXPECT_EQ(log.clock.Now(), 2000);
  log.Input(1990);  // a platform clock read before the wake-up: never back in time
  EXPECT_EQ(log.handled.back(), "input 2000");
}

}  // namespace
}  // namespace floemark
