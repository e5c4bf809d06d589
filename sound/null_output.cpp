#include "sound/null_output.h"

#include <limits>

#include "sound/mixer.h"

namespace floemark::sound {

static_assert(kLatestMs / 1000 <=
                  (std::numeric_limits<std::int64_t>::max() - NullOutput::kMaxSampleRate) /
                      NullOutput::kMaxSampleRate,
              "the frames played by the latest moment must fit in 64 bits");

NullOutput::NullOutput(Clock& clock, int sampleRate)
    : clock_(clock), rate_(sampleRate), mixer_(std::make_unique<Mixer>()) {
  startMs_ = clock_.MonotonicMs();
}

NullOutput::~NullOutput() = default;

Mixer& NullOutput::GetMixer() { return *mixer_; }

void NullOutput::Hold(bool held) {
  if (held == heldAt_.has_value()) return;
  if (held) {
    Sync();
    heldAt_ = clock_.MonotonicMs();
  } else {
    // The held time is taken out of the channels' time, as if it never passed.
    startMs_ += clock_.MonotonicMs() - *heldAt_;
    heldAt_.reset();
  }
}

void NullOutput::Sync() {
  if (heldAt_) return;
  // Frames are counted from the start, not per step, so that no rounding accumulates: at
  // 48000 Hz a sound of L ms that has played for L ms has reached its end, to the frame.
  // Whole seconds and the rest apart: ms x rate itself would overflow long before kLatestMs.
  const std::int64_t ms = clock_.MonotonicMs() - startMs_;
  const std::int64_t played = ms / 1000 * rate_ + ms % 1000 * rate_ / 1000;
  if (played > framesDone_) {
    mixer_->Advance(played - framesDone_);
    framesDone_ = played;
  }
}

}  // namespace floemark::sound
