#pragma once
// A playback stream on PipeWire itself, through libpipewire, for the desktops whose PulseAudio
// server is PipeWire's (Debian 12's): the same sound as libpulse's stream there (pulse_stream.h),
// at half the machine's cost. Through PipeWire's PulseAudio server every cycle of the stream
// crosses three processes (PipeWire, its PulseAudio server, the program); here it crosses two,
// and a stream paused between the sounds resumes within a millisecond of the cue, so the stream
// runs only the cycles that carry a sound and two after. In a game that nobody plays, on
// PipeWire with a null sink (bench/play_cost.sh), the game and PipeWire's processes together
// 1.05-1.4% of a core, against 1.55-4.2% through PipeWire's PulseAudio server.
//
// The stream asks for a cycle of 512 frames (10.7 ms at 48 kHz): a cue that comes while it runs
// waits for the next cycle, and PipeWire runs a cycle no longer than the shortest any of its
// streams asks for, rounded down to a power of two. The mixer is pulled on PipeWire's own data
// thread, a cycle's worth at a time, as SDL's device pulls it.

#include <atomic>
#include <string>

#include "sdl_audio/cue_wakeup.h"
#include "sdl_audio/pulse_stream.h"
#include "sdl_audio/stream_keeper.h"

struct pw_context;
struct pw_core;
struct pw_stream;
struct pw_thread_loop;
struct spa_source;

namespace floemark::sound {

struct PipeWireLibrary;

class PipeWireStream : public StreamDevice {
 public:
  static constexpr int kCycleFrames = 512;

  // Mono 16-bit frames at rate.
  PipeWireStream(StreamIdentity identity, int rate);
  ~PipeWireStream() override;
  PipeWireStream(const PipeWireStream&) = delete;
  PipeWireStream& operator=(const PipeWireStream&) = delete;

  // Connects to the PipeWire where libpipewire looks (PIPEWIRE_REMOTE in PIPEWIRE_RUNTIME_DIR,
  // else XDG_RUNTIME_DIR), without starting one; false when none answers within about
  // timeoutMs. Kept for the run, idle between the streams; a PipeWire that drops it is connected
  // to again at the next cue.
  bool Connect(int timeoutMs, std::string& whyNot);
  // Whether PipeWire's socket is where Connect would look, before libpipewire is loaded.
  static bool SocketThere();
  // Connected, whether PipeWire has a sink to play to (where it only shares the screen, or
  // starts before its session manager, it has none); asks it, within about timeoutMs.
  bool HasSink(int timeoutMs);

  bool Open(Mixer& mixer, std::string& whyNot) override;
  void Close() override;
  bool Lost() override { return lost_.load(); }
  void Started() override;

 private:
  struct Hooks;
  static constexpr int kReconnectMs = 2000;
  // A stream no sink takes (none there, or none linked by the session manager) within this is
  // given up on until the next cue.
  static constexpr int kLinkMs = 2000;

  // PipeWire's data thread.
  void Process();
  // The loop's thread.
  void Resume();
  void PauseIfSilent();
  void StateChanged(int state, const char* error);
  void CoreError(std::uint32_t id, int res);
  // The keeper's thread.
  bool Connected();
  void Disconnect();
  // The keeper's thread, the loop's lock held.
  bool OpenStream(std::string& whyNot);
  void CloseStream();
  bool WaitFor(int timeoutMs, bool (PipeWireStream::*done)() const);
  bool Streaming() const;
  bool Synced() const;

  const StreamIdentity identity_;
  const int rate_;
  const CueWakeup wakeup_;               // Started, from any thread, to the loop's thread
  Hooks* hooks_ = nullptr;               // the listeners PipeWire calls back through
  const PipeWireLibrary* pw_ = nullptr;  // loaded at the first Connect
  Mixer* mixer_ = nullptr;
  pw_thread_loop* loop_ = nullptr;
  pw_context* context_ = nullptr;
  pw_core* core_ = nullptr;
  pw_stream* stream_ = nullptr;
  spa_source* resume_ = nullptr;  // the wakeup_'s watch
  spa_source* pause_ = nullptr;   // the data thread's silence, to the loop's thread
  int syncSeq_ = -1;              // the loop's lock held
  bool synced_ = false;
  bool sinkSeen_ = false;  // HasSink's
  bool failed_ = false;
  std::string failure_;
  bool active_ = false;   // the loop's thread's
  int silentCycles_ = 0;  // the data thread's: cycles rendered since the last sound
  std::atomic<bool> lost_{false};
};

}  // namespace floemark::sound
