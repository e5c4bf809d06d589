#pragma once
// Where the sound channels' samples go. The mixer is pulled: a real device's callback asks it
// for frames on the audio thread; the silent output advances it on the game thread with a clock.

#include "base/clock.h"

namespace floemark::sound {

class Mixer;

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Frames per second the mixer renders at (mono, 16-bit).
  virtual int SampleRate() const = 0;
  // The mixer the channels play into; owned by the output, lives as long as it.
  virtual Mixer& GetMixer() = 0;
  // The clock the output keeps time on, its owner's; the channels date their file loads by it.
  virtual Clock& GetClock() = 0;
  // Called on the game thread before every channel operation: a silent output brings the
  // channels up to its clock's present; a real device has nothing to do.
  virtual void Sync() {}
  // Called on the game thread once a channel has been started: a real device makes sure its
  // stream is open, without waiting for it; a silent output has nothing to do.
  virtual void SoundWanted() {}
  // Game thread: while held (the game paused) every sound stops where it is and no time passes
  // for the channels; released, the sounds that were playing go on from there.
  virtual void Hold(bool /*held*/) {}
};

}  // namespace floemark::sound
