#pragma once
// Reads a WAV file and converts it to what the mixer plays: mono 16-bit at the output's rate.
// Decoding and conversion are SDL's (no audio device needed). Game thread.

#include <memory>
#include <string>

#include "sound/mixer.h"

namespace floemark::sound {

// The largest file taken as a sound cue, and the longest sound after conversion.
inline constexpr std::uint64_t kMaxFileBytes = 64u << 20;
inline constexpr int kMaxSeconds = 60;

// path uses '/' and is relative to the working directory. Raises floemark::Error
// "Cannot load the sound file PATH: REASON" when the file is missing, unreadable, not a WAV
// file, damaged, or in a format SDL can't decode.
std::unique_ptr<const Pcm> LoadSoundFile(const std::string& path, int sampleRate);

}  // namespace floemark::sound
