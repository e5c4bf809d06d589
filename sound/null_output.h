#pragma once
// The silent output: no device, the channels advance with a clock. Used when no audio device
// can be opened, and always by the tests and the replay tool (on their virtual clock).

#include <cstdint>
#include <memory>
#include <optional>

#include "base/clock.h"
#include "sound/audio_output.h"

namespace floemark::sound {

class NullOutput : public AudioOutput {
 public:
  // The highest rate at which every moment up to kLatestMs is carried.
  static constexpr int kMaxSampleRate = 1'000'000;
  // At 48000 Hz a millisecond is exactly 48 frames. sampleRate: 1 .. kMaxSampleRate.
  explicit NullOutput(Clock& clock, int sampleRate = 48000);
  ~NullOutput() override;
  int SampleRate() const override { return rate_; }
  Clock& GetClock() override { return clock_; }
  Mixer& GetMixer() override;
  void Sync() override;
  void Hold(bool held) override;

 private:
  Clock& clock_;
  int rate_;
  std::unique_ptr<Mixer> mixer_;
  std::int64_t startMs_ = 0;
  std::int64_t framesDone_ = 0;
  std::optional<std::int64_t> heldAt_;  // the clock when the hold began
};

}  // namespace floemark::sound
