#pragma once
// A playback stream on a sound server that speaks PulseAudio's protocol (PulseAudio; PipeWire's
// PulseAudio server where PipeWire's own stream cannot be had, pipewire_stream.h), through
// libpulse, that costs nothing between the sounds. SDL's device pulls the mixer every period for
// as long as the stream is open, and the server mixes the stream all that time; this one pulls
// only when the server asks for a period while something sounds, and once a whole queue of
// silence has been written after the last sound it pauses (corks) the stream: between the sounds
// neither the program nor the server wakes up for it. A cue wakes the stream's thread at once
// (Started), which resumes the stream and writes a queue's worth. A cue that comes while the stream
// runs is mixed at once too: over the queue where it holds only silence and the server takes that,
// else behind it.
//
// PipeWire's server takes the resumed queue over the silence from the frame it plays next (a
// write with a seek relative to the read index): the cue is heard within about 10 ms on its null
// sink. PulseAudio's null sink, which cannot rewind, drops a write over the queue; there the cue
// follows the queued silence, 25-30 ms after the cue. (A 20 ms period and 60 ms queue on
// PipeWire cost its server no less in a game, nor did a 40 ms period and 100 ms queue; writing
// all the time instead of pausing, at either, cost PipeWire half as much again.) The paused stream
// is never left to run dry: after an underrun PulseAudio's null sink drops what comes next too.

#include <pulse/def.h>

#include <atomic>
#include <memory>
#include <string>

#include "sdl_audio/cue_wakeup.h"
#include "sdl_audio/stream_keeper.h"

struct pa_context;
struct pa_server_info;
struct pa_io_event;
struct pa_stream;
struct pa_threaded_mainloop;

namespace floemark::sound {

struct PulseLibrary;

// How the stream introduces itself to the sound server, for its volume mixer.
struct StreamIdentity {
  std::string appName;     // "Floemark Simulator"
  std::string iconName;    // the icon of the program's desktop entry
  std::string streamName;  // what the stream is, next to the program's name
};

class PulseStream : public StreamDevice {
 public:
  static constexpr int kPeriodFrames = 480;  // 10 ms at 48 kHz
  static constexpr int kQueueFrames = 1920;  // 40 ms

  // Mono 16-bit frames at rate.
  PulseStream(StreamIdentity identity, int rate);
  ~PulseStream() override;
  PulseStream(const PulseStream&) = delete;
  PulseStream& operator=(const PulseStream&) = delete;

  // Connects to the server where libpulse looks (PULSE_SERVER, else the user's runtime folder),
  // without starting one; false when none answers within about timeoutMs. The connection is
  // kept for the run, idle between the streams (a client with no stream: the server never
  // wakes the program for it), so that a cue that opens the stream pays only for the stream;
  // a server that drops it is connected to again at the next cue.
  bool Connect(int timeoutMs, std::string& whyNot);

  bool Open(Mixer& mixer, std::string& whyNot) override;
  void Close() override;
  bool Lost() override { return lost_.load(); }
  void Started() override;

 private:
  static void OnContextState(pa_context* context, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnWriteRequest(pa_stream* stream, std::size_t bytes, void* self);
  static void OnServerInfo(pa_context* context, const pa_server_info* info, void* self);
  static void OnStarted(int fd, void* self);
  static constexpr int kReconnectMs = 2000;

  // The keeper's thread.
  bool Connected();
  void Disconnect();
  // The keeper's thread, the mainloop's lock held.
  bool OpenStream(std::string& whyNot);
  void CloseStream();
  // The mainloop's thread: writes what the server will take, while something sounds; cue: a
  // channel has just started.
  void Write(bool cue = false);
  // Renders frames of the mixer into the stream, at the write position seek says.
  bool Send(int frames, pa_seek_mode_t seek);
  void Cork(bool paused);

  const StreamIdentity identity_;
  const int rate_;
  const CueWakeup wakeup_;  // Started, from any thread, to the mainloop's thread
  Mixer* mixer_ = nullptr;
  const PulseLibrary* pa_ = nullptr;  // set by the first Connect, where libpulse loads
  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  pa_io_event* wakeEvent_ = nullptr;
  // The server's: PipeWire takes a write from its read position.
  bool overwrite_ = false;
  bool timedOut_ = false;  // Connect's, the mainloop's lock held
  // The mainloop's thread's: the stream is paused; frames of silence written since the last
  // sound.
  bool corked_ = false;
  int silenceQueued_ = 0;
  std::atomic<bool> lost_{false};
};

}  // namespace floemark::sound
