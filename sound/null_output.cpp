#include "sound/null_output.h"

#include "sound/mixer.h"

namespace floemark::sound {
namespace {
class PlaceholderMixer : public Mixer {
 public:
  void Render(std::int16_t* out, int frames) override {
    for (int i = 0; i < frames; ++i) out[i] = 0;
  }
  void Advance(std::int64_t) override {}
};
}  // namespace

NullOutput::NullOutput(Clock& clock, int sampleRate)
    : clock_(clock), rate_(sampleRate), mixer_(std::make_unique<PlaceholderMixer>()) {
  lastMs_ = clock_.MonotonicMs();
}
NullOutput::~NullOutput() = default;
Mixer& NullOutput::GetMixer() { return *mixer_; }
void NullOutput::Sync() {
  const std::int64_t now = clock_.MonotonicMs();
  mixer_->Advance((now - lastMs_) * rate_ / 1000);
  lastMs_ = now;
}

}  // namespace floemark::sound
