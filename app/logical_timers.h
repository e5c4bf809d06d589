#pragma once
// The console's timers on the Qt event loop, kept on the logical clock: one precise Qt timer
// wakes the loop at the next moment something is due (a timer, or an event of a recording
// being played back), and everything due by the platform's present then runs at its own
// moment. A tick the platform delivers late runs late, but at the moment it was due, so it
// decides the game as an on-time one would. GUI thread only.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

#include "base/clock.h"
#include "base/logical_clock.h"
#include "base/timer.h"

namespace floemark::app {

class LogicalTimers : public QObject, public TimerDriver {
 public:
  // real: the platform's monotonic clock; t = 0 is now. The clock and real outlive this.
  LogicalTimers(LogicalClock& clock, Clock& real);

  // Runs one timer's handler; called at the timer's moment on the logical clock.
  void SetHandler(VirtualClock::FireFn fire) { fire_ = std::move(fire); }

  // Events that come with their own moments (a recording played back): nextAt gives the moment
  // of the next one or none; runNext runs it, the clock standing at that moment. Timers due
  // before an event's moment run before it; those due at it, after it.
  void SetPlayback(std::function<std::optional<std::int64_t>()> nextAt,
                   std::function<void()> runNext);

  // An input the person gave now: the timers due by now run first, then the clock stands at
  // the input's moment, which is returned.
  std::int64_t StampInput();

  // Everything due by the platform's present, as at a wake-up.
  void CatchUp();

  // Milliseconds of the platform's clock since t = 0.
  std::int64_t RealMs() const { return real_.MonotonicMs() - origin_; }
  // Whether the loop is to be woken for something due.
  bool Waiting() const { return wake_.isActive(); }

  void Restart(TimerId id, int intervalMs) override;
  void Stop(TimerId id) override;

 private:
  void Reschedule();
  void Fire(TimerId id);

  LogicalClock& clock_;
  Clock& real_;
  std::int64_t origin_;
  VirtualClock::FireFn fire_;
  std::function<std::optional<std::int64_t>()> nextAt_;
  std::function<void()> runNext_;
  QTimer wake_;
};

}  // namespace floemark::app
