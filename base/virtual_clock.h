#pragma once
// A clock that moves only when told: the tests and the replay tool run the console on it, so
// every game can be replayed to the millisecond. It is also the console's timer driver.
// Times are milliseconds since the start of the run (t = 0).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "base/clock.h"
#include "base/timer.h"

namespace floemark {

class VirtualClock : public Clock, public TimerDriver {
 public:
  // timeOfDayAtZeroMs: the UTC time of day at t = 0.
  explicit VirtualClock(std::int64_t timeOfDayAtZeroMs = 0) : startOfDay_(timeOfDayAtZeroMs) {}

  std::int64_t Now() const { return now_; }
  std::int64_t TimeOfDayMs() override { return (startOfDay_ + now_) % kDayMs; }
  std::int64_t MonotonicMs() override { return now_; }

  void Restart(TimerId id, int intervalMs) override;
  void Stop(TimerId id) override;

  using FireFn = std::function<void(TimerId)>;
  // Fires, in time order, every timer due before t (RunBefore) or at t at the latest
  // (RunThrough), then stands at t. Timers due at the same moment fire in timer-table order,
  // each looked at when its turn comes, so one stopped by an earlier handler does not fire.
  // A timer that fires is next due one interval later, as the interval stands after its handler.
  void RunBefore(std::int64_t t, const FireFn& fire) { Run(t, false, fire); }
  void RunThrough(std::int64_t t, const FireFn& fire) { Run(t, true, fire); }

  std::int64_t Due(TimerId id) const { return slots_[static_cast<int>(id)].due; }
  // The moment the next enabled timer is due; none when every timer is off.
  std::optional<std::int64_t> NextDue() const;
  // The moment of the last timer that fired (-1 before any).
  std::int64_t LastFired() const { return lastFired_; }

 private:
  static constexpr std::int64_t kDayMs = 86'400'000;
  struct Slot {
    bool active = false;
    int interval = 0;
    std::int64_t due = 0;
  };
  void Run(std::int64_t t, bool inclusive, const FireFn& fire);

  std::int64_t startOfDay_;
  std::int64_t now_ = 0;
  std::int64_t lastFired_ = -1;
  std::array<Slot, kTimerCount> slots_{};
};

}  // namespace floemark
