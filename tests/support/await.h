#pragma once
// For tests of code that works on a thread of its own (an audio device's callback, the stream
// keeper): waits, at most ten seconds, until done() holds, looking every 200 microseconds.

#include <chrono>
#include <functional>
#include <thread>

namespace floemark::testing {

inline bool Await(const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

}  // namespace floemark::testing
