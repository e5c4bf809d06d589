#pragma once
// Mixes the four channels into the output's frames. Pulled from the audio thread.

#include <cstdint>

namespace floemark::sound {

class Mixer {
 public:
  virtual ~Mixer() = default;
  // Renders frames of mono 16-bit samples into out and advances the playing channels.
  virtual void Render(std::int16_t* out, int frames) = 0;
  // Advances the playing channels by frames without producing samples.
  virtual void Advance(std::int64_t frames) = 0;
};

}  // namespace floemark::sound
