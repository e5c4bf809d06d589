#pragma once
// The program's audio output, its stream opened only while sound is wanted (see StreamKeeper):
// PipeWire's own stream where PipeWire runs with a sink (pipewire_stream.h), as on Debian 12's
// desktops, else libpulse's where a server of PulseAudio's protocol answers at the start
// (pulse_stream.h), both of which cost nothing between the sounds; else SDL2's audio (ALSA, or the
// driver SDL_AUDIODRIVER names); else the silent output on the given clock when SDL has no audio at
// all (said once on standard error). Game thread only; the device's thread touches nothing but the
// Mixer.

#include <memory>
#include <string>

#include "base/clock.h"
#include "sdl_audio/pulse_stream.h"
#include "sdl_audio/stream_keeper.h"
#include "sound/audio_output.h"
#include "sound/mixer.h"

namespace floemark::sdl {
struct SdlLibrary;
}

namespace floemark::sound {

class DeviceOutput : public AudioOutput {
 public:
  // The mixer's rate, whatever the device's: SDL converts to the device, so positions and
  // lengths keep their meaning when the stream is reopened on a device of another rate, and a
  // sound is converted once, at load.
  static constexpr int kSampleRate = 48000;
  // SDL's device buffer, 10.7 ms at 48 kHz: SDL pulls every period for as long as the stream
  // is open, so the period is as long as a cue's wait for the next callback allows (PlayCue to
  // the mix within 20 ms in 99 cases of 100, bench/sound_bench.cpp).
  static constexpr int kBufferFrames = 512;

  // With no driver asked for (SDL_AUDIODRIVER unset, "pulseaudio" or "pipewire") and PipeWire
  // or a server of PulseAudio's protocol answering, PipeWire's stream ("pipewire") or libpulse's
  // ("pulseaudio"), whose connection to the server is made here and kept for the run. Otherwise
  // starts SDL's audio subsystem alone (no window, no event loop, no signal handlers) with the
  // driver SDL picks or SDL_AUDIODRIVER names, and keeps it for the whole run. No stream is opened
  // yet. nullptr when SDL has no audio driver, with the reason in whyNot. The keeper reads clock on
  // its own thread: any thread must be able to read it.
  static std::unique_ptr<DeviceOutput> Open(std::string& whyNot, Clock& clock,
                                            const StreamIdentity& identity,
                                            StreamKeeper::Timing timing = {});
  ~DeviceOutput() override;  // closes the stream, then shuts SDL's subsystem down if it ran

  int SampleRate() const override { return kSampleRate; }
  Mixer& GetMixer() override { return mixer_; }
  Clock& GetClock() override { return clock_; }
  void SoundWanted() override { keeper_->Want(); }
  void Hold(bool held) override;

  const std::string& DriverName() const { return driver_; }
  const StreamKeeper& Keeper() const { return *keeper_; }

 private:
  explicit DeviceOutput(Clock& clock) : clock_(clock) {}
  Clock& clock_;
  Mixer mixer_;
  std::unique_ptr<StreamKeeper> keeper_;  // after the mixer: it stops pulling it first
  std::string driver_;
  const sdl::SdlLibrary* sdl_ = nullptr;  // SDL, when its audio subsystem is up
  unsigned heldSlots_ = 0;  // the slots that were playing when the hold began, one bit each
};

std::unique_ptr<AudioOutput> OpenDeviceOrSilent(Clock& clock, const StreamIdentity& identity);

}  // namespace floemark::sound
