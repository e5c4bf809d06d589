#pragma once
// Time as the core sees it. Nothing under game/ or sound/ reads a real clock: the program
// hands in the desktop's clock, the tests and the replay tool a virtual one.
// Called on the game thread only.

#include <cstdint>

namespace floemark {

// The latest moment, in ms from the start of a run (about 31,700 years), that the core
// carries: every reading of a clock up to it, and every count made from one (a timer's next
// moment, the frames the silent output has played), fits in 64 bits.
inline constexpr std::int64_t kLatestMs = 999'999'999'999'999;

class Clock {
 public:
  virtual ~Clock() = default;
  // UTC time of day in milliseconds, 0 .. 86'399'999; reseeds every random draw.
  virtual std::int64_t TimeOfDayMs() = 0;
  // Milliseconds on a monotonic scale with an arbitrary origin; paces the silent audio output.
  virtual std::int64_t MonotonicMs() = 0;
};

// The handheld's random draw: reseed from the time of day, one step of a 32-bit linear
// congruential generator, and the high 32 bits of seed x n give 0 .. n-1.
int RandomDraw(std::int64_t timeOfDayMs, int n);

}  // namespace floemark
