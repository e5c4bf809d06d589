#include "sound/null_output.h"

#include "sound/mixer.h"

namespace floemark::sound {

NullOutput::NullOutput(Clock& clock, int sampleRate)
    : clock_(clock), rate_(sampleRate), mixer_(std::make_unique<Mixer>()) {
  startMs_ = clock_.MonotonicMs();
}

NullOutput::~NullOutput() = default;

Mixer& NullOutput::GetMixer() { return *mixer_; }

void NullOutput::Sync() {
  // Frames are counted from the start, not per step, so that no rounding accumulates: at
  // 48000 Hz a sound of L ms that has played for L ms has reached its end, to the frame.
  const std::int64_t played = (clock_.MonotonicMs() - startMs_) * rate_ / 1000;
  if (played > framesDone_) {
    mixer_->Advance(played - framesDone_);
    framesDone_ = played;
  }
}

}  // namespace floemark::sound
