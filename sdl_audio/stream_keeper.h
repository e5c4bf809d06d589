#pragma once
// Keeps an audio stream open only while sound is wanted, on a thread of its own: the stream
// opens at the first cue that must sound and closes once no channel has sounded for a while,
// so that a game left alone holds no stream and never wakes up. The channels' state lives in
// the Mixer, whichever stream pulls it, so a close and a reopen (on another device, too) keep
// every position, length and rewind rule as they were.
//
// A device that goes away while open (the sound server restarted, a headset unplugged) keeps
// pulling in silence, so the sounds run their course in time (SDL's; the libpulse stream stops
// pulling, and a sound stands still until the keeper's next look). Once the keeper sees it gone, it
// opens the device of the moment at once if anything still sounds (the rest of it is heard),
// or else at the next cue. When no device can be opened, the keeper itself pulls the
// mixer at a device's pace while anything plays, and tries again at the next cue. Nothing of
// this is shown to the person, and the game thread never waits for a device.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/clock.h"
#include "sound/mixer.h"

namespace floemark::sound {

// One audio device of the platform. The keeper's thread alone calls it.
class StreamDevice {
 public:
  virtual ~StreamDevice() = default;
  // Opens the default device, which from then on pulls mixer from a thread of its own in frames
  // of the keeper's rate; false with the reason in whyNot.
  virtual bool Open(Mixer& mixer, std::string& whyNot) = 0;
  // Returns once the device's last pull has ended.
  virtual void Close() = 0;
  // The open device has gone away; it still pulls, in silence, until it is closed (or, for a
  // device that pulls only while something sounds, pulls no more).
  virtual bool Lost() = 0;
  // Any thread, open or not: a channel has just started. A device that sleeps while nothing
  // sounds pulls at once.
  virtual void Started() {}
  // Set by the keeper before anything is opened: a device that learns of its loss by itself (on
  // a thread of its own) has the keeper look at once, so a cue that comes meanwhile does not
  // wait for the keeper's next look.
  void OnLost(std::function<void()> tell) { tellLost_ = std::move(tell); }

 protected:
  void TellLost() {
    if (tellLost_) tellLost_();
  }

 private:
  std::function<void()> tellLost_;
};

class StreamKeeper {
 public:
  struct Timing {
    // How long no channel may sound before the stream closes.
    int idleMs = 2000;
    // How often an open stream is looked at, for its silence and whether it has been lost: the
    // keeper's only wakeups while the stream is open.
    int checkMs = 250;
    // The frames a device pulls at once: the pace of the keeper's own pulls without a device.
    int pullFrames = 512;
  };

  // Starts the thread; no stream is opened yet. mixer and clock outlive the keeper. The clock
  // times the idle stream's close and the silent pulls; it is read on the keeper's thread, so it
  // must be one that any thread may read.
  StreamKeeper(Mixer& mixer, std::unique_ptr<StreamDevice> device, int rate, Timing timing,
               Clock& clock);
  ~StreamKeeper();  // closes the stream and ends the thread
  StreamKeeper(const StreamKeeper&) = delete;
  StreamKeeper& operator=(const StreamKeeper&) = delete;

  // Game thread, after a slot of the mixer has been started: opens the stream unless it is open
  // and well, and tells an open one. Returns at once.
  void Want();

  // Any thread, for tests and measurements.
  bool StreamOpen() const { return streamOpen_.load(); }
  int StreamsOpened() const { return streamsOpened_.load(); }
  // The keeper pulls the mixer itself, no device being available.
  bool PlayingSilently() const { return silent_.load(); }

 private:
  enum class Mode { kClosed, kOpen, kSilent };

  void Run();
  void Step(bool wanted);
  // Marks the moment of the look as one with sound, when a slot plays or a cue has come since
  // the last look (a short sound may have begun and ended between two looks).
  void Look();
  // Nothing plays, no cue has come since the last look, and the last look with sound is the idle
  // time ago.
  bool Idle() const;
  void TryOpen();
  void Close();
  void PlaySilently();

  Mixer& mixer_;
  const std::unique_ptr<StreamDevice> device_;
  const int rate_;
  const Timing timing_;
  Clock& clock_;

  // Shared with the game thread. awake_: an open, healthy stream will pull whatever starts, so
  // Want need not tell the keeper.
  std::atomic<bool> awake_{false};
  std::atomic<std::uint64_t> cues_{0};  // every Want
  std::mutex mutex_;
  std::condition_variable wakeup_;
  bool wanted_ = false;    // under mutex_
  bool lostTold_ = false;  // under mutex_
  bool quit_ = false;      // under mutex_

  // The keeper thread's own.
  Mode mode_ = Mode::kClosed;
  bool lost_ = false;
  bool toldFailure_ = false;
  std::uint64_t cuesSeen_ = 0;
  std::int64_t soundAtMs_ = 0;  // the last look with sound
  std::int64_t silentSinceMs_ = 0;
  std::int64_t silentFrames_ = 0;

  std::atomic<bool> streamOpen_{false};
  std::atomic<bool> silent_{false};
  std::atomic<int> streamsOpened_{0};
  std::thread thread_;  // last: started once everything above is ready
};

}  // namespace floemark::sound
