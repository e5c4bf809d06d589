#pragma once
// The program's audio output: one SDL2 audio device when one can be opened, otherwise the
// silent output on the given clock (said once on standard error). Game thread only.

#include <memory>

#include "game/clock.h"
#include "sound/audio_output.h"

namespace floemark::sound {

std::unique_ptr<AudioOutput> OpenDeviceOrSilent(Clock& clock);

}  // namespace floemark::sound
