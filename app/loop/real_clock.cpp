#include "app/loop/real_clock.h"

#include <chrono>

namespace floemark::app {

std::int64_t RealClock::TimeOfDayMs() {
  using namespace std::chrono;
  const auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return now % 86'400'000;  // system_clock counts UTC days of exactly 86,400 s
}

std::int64_t RealClock::MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace floemark::app
