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
      const auto recorded = std::chrono::duration_cast<Clock::duration>(
          std::chrono::nanoseconds(stretch.frames.size() * 1'000'000'000LL / kRate));
      stretch.origin = std::min(stretch.origin, now - recorded);
    }
    pa_simple_free(s);
  }
}

Clock::time_point Listener::TimeOf(const Stretch& s, std::size_t frame) const {
  return Clock::time_point(s.origin +
                           std::chrono::duration_cast<Clock::duration>(
                               std::chrono::nanoseconds(frame * 1'000'000'000LL / kRate)));
}

std::size_t Listener::FrameAt(const Stretch& s, Clock::time_point t) const {
  const auto since = t.time_since_epoch() - s.origin;
  const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
  if (ns <= 0) return 0;
  return std::min(s.frames.size(), static_cast<std::size_t>(ns * kRate / 1'000'000'000LL));
}

std::vector<Listener::Onset> Listener::Onsets(Clock::time_point from, Clock::time_point to) const {
  std::lock_guard lock(mutex_);
  std::vector<Onset> onsets;
  for (const Stretch& s : stretches_) {
    if (s.frames.empty()) continue;
    std::size_t quiet = 0;  // frames of silence just before i
    for (std::size_t i = 0; i < s.frames.size(); ++i) {
      if (std::abs(s.frames[i]) <= kThreshold) {
        ++quiet;
        continue;
      }
      const bool begins = quiet >= kSilenceFrames;
      quiet = 0;
      if (!begins) continue;
      const Clock::time_point at = TimeOf(s, i);
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
    if (s.frames.empty()) continue;
    const std::size_t a = FrameAt(s, from), b = FrameAt(s, to);
    covered += b > a ? b - a : 0;
    for (std::size_t i = a; i < b; ++i) peak = std::max(peak, std::abs(int{s.frames[i]}));
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
