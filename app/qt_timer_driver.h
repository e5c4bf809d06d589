#pragma once
// The console's eleven timers on the Qt event loop. The game's rules (enabling an enabled timer
// or setting the same interval changes nothing) are kept by floemark::Timer; this driver only
// starts and stops. Precise timers, because Qt's coarse ones wander by up to 5 % and the
// handheld's rhythm (a bomb every 400 ms) must not. GUI thread only.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "base/timer.h"

namespace floemark::app {

class QtTimerDriver : public TimerDriver {
 public:
  // onFire runs on the GUI thread each time an enabled timer's interval has passed.
  explicit QtTimerDriver(std::function<void(TimerId)> onFire = {});
  void SetHandler(std::function<void(TimerId)> onFire) { onFire_ = std::move(onFire); }

  void Restart(TimerId id, int intervalMs) override;
  void Stop(TimerId id) override;
  bool Active(TimerId id) const { return timers_[static_cast<int>(id)].isActive(); }
  int IntervalMs(TimerId id) const { return timers_[static_cast<int>(id)].interval(); }

 private:
  std::array<QTimer, kTimerCount> timers_;
  std::function<void(TimerId)> onFire_;
};

}  // namespace floemark::app
