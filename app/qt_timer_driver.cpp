#include "app/qt_timer_driver.h"

namespace floemark::app {

QtTimerDriver::QtTimerDriver(std::function<void(TimerId)> onFire) : onFire_(std::move(onFire)) {
  for (int i = 0; i < kTimerCount; ++i) {
    QTimer& t = timers_[i];
    t.setTimerType(Qt::PreciseTimer);
    t.setSingleShot(false);
    const TimerId id = static_cast<TimerId>(i);
    QObject::connect(&t, &QTimer::timeout, [this, id] {
      if (onFire_) onFire_(id);
    });
  }
}

void QtTimerDriver::Restart(TimerId id, int intervalMs) {
  timers_[static_cast<int>(id)].start(intervalMs);
}

void QtTimerDriver::Stop(TimerId id) { timers_[static_cast<int>(id)].stop(); }

}  // namespace floemark::app
