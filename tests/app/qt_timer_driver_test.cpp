#include "app/qt_timer_driver.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

namespace floemark::app {
namespace {

TEST(QtTimerDriver, PreciseRepeatingTimersThatFireTheirOwnId) {
  std::vector<TimerId> fired;
  QtTimerDriver driver([&](TimerId id) { fired.push_back(id); });
  EXPECT_FALSE(driver.Active(TimerId::TimerGioco));
  driver.Restart(TimerId::TimerGioco, 5);
  EXPECT_TRUE(driver.Active(TimerId::TimerGioco));
  EXPECT_EQ(driver.IntervalMs(TimerId::TimerGioco), 5);
  QElapsedTimer waited;
  waited.start();
  while (fired.size() < 3 && waited.elapsed() < 2000) QCoreApplication::processEvents();
  ASSERT_GE(fired.size(), 3u);  // it repeats
  for (TimerId id : fired) EXPECT_EQ(id, TimerId::TimerGioco);
  driver.Stop(TimerId::TimerGioco);
  EXPECT_FALSE(driver.Active(TimerId::TimerGioco));
  fired.clear();
  waited.restart();
  while (waited.elapsed() < 30) QCoreApplication::processEvents();
  EXPECT_TRUE(fired.empty());
}

}  // namespace
}  // namespace floemark::app
