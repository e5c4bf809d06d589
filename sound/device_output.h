#pragma once
// The program's audio output: one SDL2 audio device when one can be opened, otherwise the
// silent output on the given clock (said once on standard error). Game thread only; the
// device's callback runs on SDL's audio thread and touches nothing but the Mixer.

#include <memory>
#include <string>

#include "base/clock.h"
#include "sound/audio_output.h"
#include "sound/mixer.h"

namespace floemark::sound {

class DeviceOutput : public AudioOutput {
 public:
  // The device buffer: 512 frames is under 11 ms at 48 kHz, so a cue starts within about
  // 10 ms of PlayCue.
  static constexpr int kBufferFrames = 512;

  // Starts SDL's audio subsystem alone (no window, no event loop, no signal handlers) and opens
  // the default device of SDL's driver (SDL_AUDIODRIVER picks another). nullptr when no device
  // can be opened, with the reason in whyNot; the subsystem is then shut down again.
  static std::unique_ptr<DeviceOutput> Open(std::string& whyNot);
  ~DeviceOutput() override;  // closes the device, then shuts the subsystem down

  int SampleRate() const override { return rate_; }
  Mixer& GetMixer() override { return mixer_; }
  int BufferFrames() const { return bufferFrames_; }
  const std::string& DriverName() const { return driver_; }

 private:
  DeviceOutput() = default;
  Mixer mixer_;
  unsigned device_ = 0;
  int rate_ = 0;
  int bufferFrames_ = 0;
  std::string driver_;
};

std::unique_ptr<AudioOutput> OpenDeviceOrSilent(Clock& clock);

}  // namespace floemark::sound
