#pragma once
// The decoders behind DecodeSound, on a file's bytes that CheckWavStructure has passed: SDL's
// (the desktop's, for a file to convert) and a portable one of our own (the browser's, which has
// no SDL, and everyone's for a file in the mixer's format). Both give the same length in frames for
// a file: inFrames * sampleRate / fileRate, which is all the game's timing depends on; the samples
// differ only in how a resampled sound is filtered. Pure functions; path only names the file in an
// error.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "sound/mixer.h"

namespace floemark::sound {

// Raises Error("Cannot load the sound file PATH: REASON").
[[noreturn]] void FailSoundFile(const std::string& path, const std::string& reason);

// What SDL decodes of PCM: integers of 8, 16, 24 or 32 bits and floats of 32 bits
// (WAVE_FORMAT_EXTENSIBLE too), up to 255 channels, refused and counted in frames as SDL does;
// mixed down to mono and resampled linearly.
std::unique_ptr<Pcm> DecodeWavPortable(std::span<const std::uint8_t> file, int sampleRate,
                                       const std::string& path);

// Whether the file is already in the mixer's format at sampleRate (16-bit mono PCM, frames of
// two bytes), which both decoders hand over sample for sample, unconverted.
bool InMixerFormat(std::span<const std::uint8_t> file, int sampleRate);

#ifdef FLOEMARK_SOUND_SDL
// SDL2 is loaded at the first call (loaded/sdl_library.h); a file can't be decoded without it.
std::unique_ptr<Pcm> DecodeWavSdl(std::span<const std::uint8_t> file, int sampleRate,
                                  const std::string& path);
#endif

}  // namespace floemark::sound
