#include "base/logical_clock.h"

namespace floemark {

std::int64_t LogicalClock::StampInput(std::int64_t realMs, const FireFn& fire) {
  CatchUp(realMs, fire);
  std::int64_t t = Now();
  if (LastFired() == t) ++t;
  // Nothing is due before t any more: this only moves the clock there.
  RunBefore(t, fire);
  return t;
}

}  // namespace floemark
