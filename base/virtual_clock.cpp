#include "base/virtual_clock.h"

#include <limits>

namespace floemark {

void VirtualClock::Restart(TimerId id, int intervalMs) {
  Slot& s = slots_[static_cast<int>(id)];
  s.active = true;
  s.interval = intervalMs;
  s.due = now_ + intervalMs;
}

void VirtualClock::Stop(TimerId id) { slots_[static_cast<int>(id)].active = false; }

std::optional<std::int64_t> VirtualClock::NextDue() const {
  std::optional<std::int64_t> next;
  for (const Slot& s : slots_)
    if (s.active && (!next || s.due < *next)) next = s.due;
  return next;
}

void VirtualClock::Run(std::int64_t t, bool inclusive, const FireFn& fire) {
  for (;;) {
    std::int64_t next = std::numeric_limits<std::int64_t>::max();
    for (const Slot& s : slots_)
      if (s.active && s.due < next) next = s.due;
    if (next > t || (!inclusive && next == t)) break;
    now_ = next;
    lastFired_ = next;
    for (int i = 0; i < kTimerCount; ++i) {
      Slot& s = slots_[i];
      if (!s.active || s.due != next) continue;
      // A handler that restarts its own timer overrides this.
      s.due = next + (s.interval > 0 ? s.interval : 1);
      fire(static_cast<TimerId>(i));
    }
  }
  if (t > now_) now_ = t;
}

}  // namespace floemark
