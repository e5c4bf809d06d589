// Placeholder until the SDL device lands: always the silent output.
#include "sound/device_output.h"

#include "sound/null_output.h"

namespace floemark::sound {

std::unique_ptr<AudioOutput> OpenDeviceOrSilent(Clock& clock) {
  return std::make_unique<NullOutput>(clock);
}

}  // namespace floemark::sound
