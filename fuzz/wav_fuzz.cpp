// libFuzzer target: the bytes of a sound file through the loader's decoding (the structure
// check, SDL's WAV reader and its conversion to the mixer's format). Every input either loads
// or is refused with floemark::Error; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/error.h"
#include "sound/sound_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const auto pcm = floemark::sound::DecodeSound(std::span(data, size), 48000, "FUZZ.WAV");
    // The sound is as long as the limit allows at most.
    if (pcm->Frames() > std::int64_t{floemark::sound::kMaxSeconds} * 48000) __builtin_trap();
  } catch (const floemark::Error&) {
  }
  return 0;
}
