#pragma once
// The program's audio output: SDL2's audio, its stream opened only while sound is wanted (see
// StreamKeeper), otherwise the silent output on the given clock when SDL has no audio at all
// (said once on standard error). Game thread only; the device's callback runs on SDL's audio
// thread and touches nothing but the Mixer.

#include <memory>
#include <string>

#include "base/clock.h"
#include "sdl_audio/stream_keeper.h"
#include "sound/audio_output.h"
#include "sound/mixer.h"

namespace floemark::sound {

// How the stream introduces itself to the sound server, for its volume mixer.
struct StreamIdentity {
  std::string appName;     // "Floemark Simulator"
  std::string iconName;    // the icon of the program's desktop entry
  std::string streamName;  // what the stream is, next to the program's name
};

class DeviceOutput : public AudioOutput {
 public:
  // The mixer's rate, whatever the device's: SDL converts to the device, so positions and
  // lengths keep their meaning when the stream is reopened on a device of another rate, and a
  // sound is converted once, at load.
  static constexpr int kSampleRate = 48000;
  // The device buffer, 5.3 ms at 48 kHz. A cue comes at any moment of the device's period and
  // waits for the next callback: at 512 frames the period alone is 10.7 ms, which would leave
  // nothing of 11 ms for a busy machine's scheduling; at 256 the cue is mixed within 11 ms of
  // PlayCue in 99 cases of 100 even on a loaded two-core machine (bench/sound_bench.cpp).
  static constexpr int kBufferFrames = 256;

  // Starts SDL's audio subsystem alone (no window, no event loop, no signal handlers) with the
  // driver SDL picks (SDL_AUDIODRIVER names another), and keeps it for the whole run; no stream
  // is opened yet. nullptr when SDL has no audio driver, with the reason in whyNot.
  static std::unique_ptr<DeviceOutput> Open(std::string& whyNot, const StreamIdentity& identity,
                                            StreamKeeper::Timing timing = {});
  ~DeviceOutput() override;  // closes the stream, then shuts the subsystem down

  int SampleRate() const override { return kSampleRate; }
  Mixer& GetMixer() override { return mixer_; }
  void SoundWanted() override { keeper_->Want(); }
  void Hold(bool held) override;

  const std::string& DriverName() const { return driver_; }
  const StreamKeeper& Keeper() const { return *keeper_; }

 private:
  DeviceOutput() = default;
  Mixer mixer_;
  std::unique_ptr<StreamKeeper> keeper_;  // after the mixer: it stops pulling it first
  std::string driver_;
  unsigned heldSlots_ = 0;  // the slots that were playing when the hold began, one bit each
};

std::unique_ptr<AudioOutput> OpenDeviceOrSilent(Clock& clock, const StreamIdentity& identity);

}  // namespace floemark::sound
