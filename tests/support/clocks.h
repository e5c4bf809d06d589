#pragma once
// Clocks for tests whose code reads its clock on a thread of its own (the stream keeper): the
// machine's, and one that moves only when the test says, both readable from any thread.

#include <atomic>
#include <chrono>
#include <cstdint>

#include "base/clock.h"

namespace floemark::testing {

class SteadyClock : public Clock {
 public:
  std::int64_t TimeOfDayMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 86'400'000;
  }
  std::int64_t MonotonicMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

class ManualClock : public Clock {
 public:
  std::int64_t TimeOfDayMs() override { return now_.load() % 86'400'000; }
  std::int64_t MonotonicMs() override { return now_.load(); }
  void Set(std::int64_t ms) { now_.store(ms); }
  void Advance(std::int64_t ms) { now_.fetch_add(ms); }

 private:
  std::atomic<std::int64_t> now_{0};
};

}  // namespace floemark::testing
