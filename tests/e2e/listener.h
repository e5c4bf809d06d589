#pragma once
// Records what a PulseAudio sink plays, from its monitor, on a thread of its own, and tells when
// each sound began on the test's own clock (steady_clock, CLOCK_MONOTONIC, as in every process
// of the machine). A server restarted under it is reconnected to; each connection is one
// stretch of the recording with a clock of its own.
//
// How a frame's moment is known: the monitor hands over the frames the sink mixes, and the
// sink mixes at the pace of the monotonic clock. Every read returns only after its frames have
// reached the sink, so each read bounds the moment T at which frame 0 would have reached it:
// T <= (moment of the read) - (frames so far) / rate. A late read (a busy machine) only loosens
// its own bound. A loaded sound server may also drop frames (PipeWire does, under a sanitized
// game), and every frame after a drop then came later than its count says: so a frame is timed
// by the tightest bound among the reads of the second that follows it, never by reads before it,
// which may stand on the near side of a drop.

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
    std::vector<std::int16_t> frames;     // read by fragments of 5 ms
    std::vector<Clock::duration> bounds;  // each read's bound on T, since the clock's epoch
  };
  void Run();
  // The moment each read's frames began, from the bounds of the reads that follow it.
  static std::vector<Clock::time_point> ReadTimes(const Stretch& s);

  const std::string source_;
  mutable std::mutex mutex_;
  std::vector<Stretch> stretches_;  // under mutex_
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

}  // namespace floemark::e2e
