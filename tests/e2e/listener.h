#pragma once
// Records what a PulseAudio sink plays, from its monitor, on a thread of its own, and tells when
// each sound began on the test's own clock (steady_clock, CLOCK_MONOTONIC, as in every process
// of the machine). A server restarted under it is reconnected to; each connection is one
// stretch of the recording with a clock of its own.
//
// How a frame's moment is known: the monitor hands over every frame the sink mixes, and the
// sink mixes at the pace of the monotonic clock. Frame k of a stretch thus reached the sink at
// T + k / rate for one unknown T. Every read returns only after its frames have reached the
// sink, so each read gives a bound, T <= (moment of the read) - (frames so far) / rate; the
// smallest of these bounds over the stretch is taken for T. A late read (a busy machine) only
// loosens its own bound, never the smallest, and T can be judged late only by the delivery of
// the most punctual of thousands of 5 ms fragments.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace floemark::e2e {

using Clock = std::chrono::steady_clock;

class Listener {
 public:
  static constexpr int kRate = 44100;  // the test sink's own rate: no resampling on the way

  explicit Listener(std::string source);
  ~Listener();
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  // A sound that began after at least 20 ms of silence.
  struct Onset {
    Clock::time_point at;
    std::vector<std::int16_t> start;  // its first 60 ms as recorded (shorter at the end)
  };
  // The sounds that began in [from, to).
  std::vector<Onset> Onsets(Clock::time_point from, Clock::time_point to) const;
  // The loudest sample recorded in [from, to), and how much of that span was recorded.
  int Peak(Clock::time_point from, Clock::time_point to, double* coveredMs = nullptr) const;
  // Has recorded for at least ms since its latest connection.
  bool Recording(int ms) const;
  int Connections() const;

 private:
  struct Stretch {
    std::vector<std::int16_t> frames;
    Clock::duration origin = Clock::duration::max();  // T, since the clock's epoch
  };
  void Run();
  Clock::time_point TimeOf(const Stretch& s, std::size_t frame) const;
  std::size_t FrameAt(const Stretch& s, Clock::time_point t) const;

  const std::string source_;
  mutable std::mutex mutex_;
  std::vector<Stretch> stretches_;  // under mutex_
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

}  // namespace floemark::e2e
