#include "listener.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <cstdlib>

namespace floemark::e2e {
namespace {

constexpr int kThreshold = 300;  // of 32767: the null sink mixes exact zeros for silence
constexpr int kFragmentFrames = Listener::kRate / 200;  // 5 ms
constexpr int kSilenceFrames = Listener::kRate / 50;    // 20 ms
constexpr int kStartFrames = Listener::kRate * 60 / 1000;
constexpr std::size_t kTimingReads = 200;  // a second of reads times the frames before it

Clock::duration FramesSpan(std::size_t frames) {
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds(static_cast<long long>(frames) * 1'000'000'000LL / Listener::kRate));
}

// How many frames of a read that began at start came before t.
std::size_t FramesBefore(Clock::time_point start, Clock::time_point t) {
  const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t - start).count();
  if (ns <= 0) return 0;
  const long long frames = (ns * Listener::kRate + 999'999'999) / 1'000'000'000LL;
  return static_cast<std::size_t>(std::min<long long>(frames, kFragmentFrames));
}

}  // namespace

Listener::Listener(std::string source) : source_(std::move(source)), thread_([this] { Run(); }) {}

Listener::~Listener() {
  quit_ = true;
  thread_.join();
}

void Listener::Run() {
  const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.fragsize = kFragmentFrames * sizeof(std::int16_t);
  while (!quit_) {
    int error = 0;
    // The server of PULSE_SERVER; none is started for us (the client configuration says so).
    pa_simple* s = pa_simple_new(nullptr, "floemark-e2e-listener", PA_STREAM_RECORD,
                                 source_.c_str(), "sink monitor", &spec, nullptr, &attr, &error);
    if (s == nullptr) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      continue;
    }
    {
      std::lock_guard lock(mutex_);
      stretches_.emplace_back();
    }
    std::int16_t buffer[kFragmentFrames];
    while (!quit_ && pa_simple_read(s, buffer, sizeof buffer, &error) == 0) {
      const Clock::duration now = Clock::now().time_since_epoch();
      std::lock_guard lock(mutex_);
      Stretch& stretch = stretches_.back();
      stretch.frames.insert(stretch.frames.end(), buffer, buffer + kFragmentFrames);
      stretch.bounds.push_back(now - FramesSpan(stretch.frames.size()));
    }
    pa_simple_free(s);
  }
}

std::vector<Clock::time_point> Listener::ReadTimes(const Stretch& s) {
  // The least bound in each window of reads, sliding from the end: a deque of the reads that
  // could still be a window's least.
  const std::size_t n = s.bounds.size();
  std::vector<Clock::time_point> start(n);
  std::vector<std::size_t> least;  // indices, bounds rising from front to back
  std::size_t front = 0;
  for (std::size_t j = n; j-- > 0;) {
    while (least.size() > front && s.bounds[least.back()] >= s.bounds[j]) least.pop_back();
    least.push_back(j);
    if (least[front] >= j + kTimingReads) ++front;
    start[j] = Clock::time_point(s.bounds[least[front]] + FramesSpan(j * kFragmentFrames));
  }
  return start;
}

std::vector<Listener::Onset> Listener::Onsets(Clock::time_point from, Clock::time_point to) const {
  std::lock_guard lock(mutex_);
  std::vector<Onset> onsets;
  for (const Stretch& s : stretches_) {
    const auto start = ReadTimes(s);
    std::size_t quiet = 0;  // frames of silence just before i
    for (std::size_t i = 0; i < s.frames.size(); ++i) {
      if (std::abs(s.frames[i]) <= kThreshold) {
        ++quiet;
        continue;
      }
      const bool begins = quiet >= kSilenceFrames;
      quiet = 0;
      if (!begins) continue;
      const std::size_t read = i / kFragmentFrames;
      const Clock::time_point at = start[read] + FramesSpan(i - read * kFragmentFrames);
      if (at < from || at >= to) continue;
      const std::size_t end = std::min(s.frames.size(), i + kStartFrames);
      onsets.push_back({at, {s.frames.begin() + i, s.frames.begin() + end}});
    }
  }
  return onsets;
}

int Listener::Peak(Clock::time_point from, Clock::time_point to, double* coveredMs) const {
  std::lock_guard lock(mutex_);
  int peak = 0;
  std::size_t covered = 0;
  for (const Stretch& s : stretches_) {
    const auto start = ReadTimes(s);
    for (std::size_t read = 0; read < start.size(); ++read) {
      const std::size_t a = FramesBefore(start[read], from), b = FramesBefore(start[read], to);
      covered += b > a ? b - a : 0;
      for (std::size_t i = read * kFragmentFrames + a; i < read * kFragmentFrames + b; ++i)
        peak = std::max(peak, std::abs(int{s.frames[i]}));
    }
  }
  if (coveredMs) *coveredMs = covered * 1000.0 / kRate;
  return peak;
}

bool Listener::Recording(int ms) const {
  std::lock_guard lock(mutex_);
  return !stretches_.empty() &&
         stretches_.back().frames.size() >= static_cast<std::size_t>(kRate) * ms / 1000;
}

int Listener::Connections() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(stretches_.size());
}

}  // namespace floemark::e2e
