#include "app/logical_timers.h"

#include <algorithm>

namespace floemark::app {

LogicalTimers::LogicalTimers(LogicalClock& clock, Clock& real)
    : clock_(clock), real_(real), origin_(real.MonotonicMs()) {
  // Precise: Qt's coarse timers may wander by 5 %, and the handheld's rhythm must not.
  wake_.setTimerType(Qt::PreciseTimer);
  wake_.setSingleShot(true);
  connect(&wake_, &QTimer::timeout, this, &LogicalTimers::CatchUp);
}

void LogicalTimers::SetPlayback(std::function<std::optional<std::int64_t>()> nextAt,
                                std::function<void()> runNext) {
  nextAt_ = std::move(nextAt);
  runNext_ = std::move(runNext);
  Reschedule();
}

void LogicalTimers::Fire(TimerId id) {
  if (fire_) fire_(id);
}

void LogicalTimers::CatchUp() {
  const std::int64_t now = RealMs();
  const VirtualClock::FireFn fire = [this](TimerId id) { Fire(id); };
  if (nextAt_) {
    for (auto at = nextAt_(); at && *at <= now; at = nextAt_()) {
      clock_.RunBefore(*at, fire);
      runNext_();
    }
  }
  clock_.CatchUp(now, fire);
  Reschedule();
}

std::int64_t LogicalTimers::StampInput() {
  const std::int64_t t = clock_.StampInput(RealMs(), [this](TimerId id) { Fire(id); });
  Reschedule();
  return t;
}

void LogicalTimers::Restart(TimerId id, int intervalMs) {
  clock_.Restart(id, intervalMs);
  Reschedule();
}

void LogicalTimers::Stop(TimerId id) {
  clock_.Stop(id);
  Reschedule();
}

void LogicalTimers::Reschedule() {
  std::optional<std::int64_t> next = clock_.NextDue();
  if (nextAt_)
    if (const auto at = nextAt_(); at && (!next || *at < *next)) next = at;
  if (!next) {
    wake_.stop();
    return;
  }
  wake_.start(static_cast<int>(std::clamp<std::int64_t>(*next - RealMs(), 0, 1 << 30)));
}

}  // namespace floemark::app
