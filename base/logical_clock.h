#pragma once
// The window's game time: the virtual clock, moved by the platform's clock. Each timer handler
// runs at the moment its timer was due, however late the platform delivers the tick, and an
// input is stamped with a moment that keeps the order in which it was handled among the ticks.
// A game played in the window is then exactly the game floemark-trace replays from a recording
// of its inputs: the same handlers at the same moments, the same random draws.
// Times are milliseconds since t = 0 (FormCreate). Game thread only.

#include <cstdint>

#include "base/virtual_clock.h"

namespace floemark {

class LogicalClock : public VirtualClock {
 public:
  using VirtualClock::VirtualClock;

  // A wake-up when the platform's clock reads realMs: every timer due by then fires, each at
  // its own moment, in the virtual clock's order.
  void CatchUp(std::int64_t realMs, const FireFn& fire) { RunThrough(realMs, fire); }

  // An input handled when the platform's clock reads realMs. First every timer due by then
  // fires (the platform handed the input over before a tick that was due earlier); then the
  // clock stands at the input's moment and returns it: never before a tick that has fired or an
  // input already stamped, never after a tick still to come. An input that follows a tick of
  // the same millisecond takes the next one, since a replay runs the inputs of a moment before
  // its ticks.
  std::int64_t StampInput(std::int64_t realMs, const FireFn& fire);
};

}  // namespace floemark
