#include "sdl_audio/stream_keeper.h"

#include <chrono>
#include <cstdio>
#include <utility>

namespace floemark::sound {

StreamKeeper::StreamKeeper(Mixer& mixer, std::unique_ptr<StreamDevice> device, int rate,
                           Timing timing, Clock& clock)
    : mixer_(mixer),
      device_(std::move(device)),
      rate_(rate),
      timing_(timing),
      clock_(clock),
      thread_([this] {
        device_->OnLost([this] {
          {
            std::lock_guard lock(mutex_);
            lostTold_ = true;
          }
          wakeup_.notify_one();
        });
        Run();
      }) {}

StreamKeeper::~StreamKeeper() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wakeup_.notify_one();
  thread_.join();
}

void StreamKeeper::Want() {
  cues_.fetch_add(1, std::memory_order_seq_cst);
  if (awake_.load(std::memory_order_seq_cst)) {
    device_->Started();
    return;
  }
  {
    std::lock_guard lock(mutex_);
    wanted_ = true;
  }
  wakeup_.notify_one();
}

void StreamKeeper::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    const auto told = [this] { return quit_ || wanted_ || lostTold_; };
    // With no stream and nothing to pull, the thread sleeps until told: no wakeups at all.
    if (mode_ == Mode::kClosed) {
      wakeup_.wait(lock, told);
    } else if (mode_ == Mode::kOpen) {
      wakeup_.wait_for(lock, std::chrono::milliseconds(timing_.checkMs), told);
    } else {
      wakeup_.wait_for(lock, std::chrono::microseconds(timing_.pullFrames * 1'000'000LL / rate_),
                       told);
    }
    if (quit_) break;
    const bool wanted = std::exchange(wanted_, false);
    lostTold_ = false;
    lock.unlock();
    Step(wanted);
    lock.lock();
  }
  lock.unlock();
  if (mode_ == Mode::kOpen) Close();
}

void StreamKeeper::Step(bool wanted) {
  switch (mode_) {
    case Mode::kClosed:
      if (wanted) TryOpen();
      return;
    case Mode::kSilent:
      PlaySilently();
      if (wanted) {
        TryOpen();
      } else if (!mixer_.AnyPlaying()) {
        mode_ = Mode::kClosed;
        silent_ = false;
      }
      return;
    case Mode::kOpen:
      break;
  }
  if (!lost_ && device_->Lost()) {
    // Left open: it goes on pulling in silence, so what plays ends in time. From here a cue
    // tells the keeper, which opens the device of the moment.
    lost_ = true;
    awake_.store(false, std::memory_order_seq_cst);
    // A cue that began since the device went and before this look told nobody; what still
    // plays of it is heard on the device of the moment.
    wanted = wanted || mixer_.AnyPlaying();
  }
  if (lost_ && wanted) {
    Close();
    TryOpen();
    return;
  }
  Look();
  if (!Idle()) return;
  // Want must call from here on; a Start before this line is seen by the second look.
  awake_.store(false, std::memory_order_seq_cst);
  if (Idle()) {
    Close();
  } else if (!lost_) {
    awake_.store(true, std::memory_order_seq_cst);
  }
}

void StreamKeeper::Look() {
  const std::uint64_t cues = cues_.load(std::memory_order_seq_cst);
  if (mixer_.AnyPlaying() || cues != cuesSeen_) {
    cuesSeen_ = cues;
    soundAtMs_ = clock_.MonotonicMs();
  }
}

bool StreamKeeper::Idle() const {
  return !mixer_.AnyPlaying() && cues_.load(std::memory_order_seq_cst) == cuesSeen_ &&
         clock_.MonotonicMs() - soundAtMs_ >= timing_.idleMs;
}

void StreamKeeper::TryOpen() {
  std::string whyNot;
  if (device_->Open(mixer_, whyNot)) {
    mode_ = Mode::kOpen;
    lost_ = false;
    silent_ = false;
    cuesSeen_ = cues_.load(std::memory_order_seq_cst);
    soundAtMs_ = clock_.MonotonicMs();
    streamOpen_ = true;
    ++streamsOpened_;
    awake_.store(true, std::memory_order_seq_cst);
    return;
  }
  if (!toldFailure_) {
    toldFailure_ = true;
    std::fprintf(stderr,
                 "Floemark Simulator: the audio device could not be opened (%s); the sound plays "
                 "silently until it can.\n",
                 whyNot.c_str());
  }
  if (mode_ != Mode::kSilent) {
    // Time runs on for the channels from here, as if a device pulled them.
    mode_ = Mode::kSilent;
    silent_ = true;
    silentSinceMs_ = clock_.MonotonicMs();
    silentFrames_ = 0;
  }
}

void StreamKeeper::Close() {
  device_->Close();
  mode_ = Mode::kClosed;
  lost_ = false;
  streamOpen_ = false;
}

void StreamKeeper::PlaySilently() {
  // Counted from the start, so that no rounding accumulates over the periods.
  const std::int64_t due = (clock_.MonotonicMs() - silentSinceMs_) * rate_ / 1000;
  mixer_.Advance(due - silentFrames_);
  silentFrames_ = due;
}

}  // namespace floemark::sound
