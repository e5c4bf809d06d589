#pragma once
// The desktop's clock for the core: the UTC time of day for the random draw and a monotonic
// millisecond count for the silent audio output. Any thread may call it.

#include "base/clock.h"

namespace floemark::app {

class RealClock : public Clock {
 public:
  std::int64_t TimeOfDayMs() override;
  std::int64_t MonotonicMs() override;
};

}  // namespace floemark::app
