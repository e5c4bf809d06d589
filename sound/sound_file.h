#pragma once
// Reads a WAV file and converts it to what the mixer plays: mono 16-bit at the output's rate.
// A file already in that format is our own decoder's to read; conversion is SDL's on the desktop
// (loaded for it, no audio device needed) and our own where SDL is absent (the browser), with the
// same length in frames (wav_decode.h). A file that is loaded again unchanged is not decoded
// again. Game thread.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/clock.h"
#include "sound/mixer.h"

namespace floemark::sound {

// The largest file taken as a sound cue, and the longest sound after conversion.
inline constexpr std::uint64_t kMaxFileBytes = 64u << 20;
inline constexpr int kMaxSeconds = 60;
// A file changed less than this long before its load is decoded but not remembered: a file's
// change time moves in steps of the kernel's clock tick (a few ms), so two writes within one
// step could leave it looking the same.
inline constexpr int kSettleMs = 100;

// path uses '/' and is relative to the working directory. Raises floemark::Error
// "Cannot load the sound file PATH: REASON" when the file is missing, unreadable, not a WAV
// file, damaged, or in a format the decoder can't decode.
//
// The file is looked at on every call (so one removed, made unreadable or changed since fails
// or loads anew, exactly as a first load would); while it is the same file (device and inode),
// with the same size, modification and change times, the sound decoded for this rate before is
// handed out again (a file changed within kSettleMs before the load on clock's time of day, or
// stamped later than that time, is not remembered).
std::unique_ptr<const Pcm> LoadSoundFile(const std::string& path, int sampleRate, Clock& clock);

// The decoding part of LoadSoundFile, on a file's bytes; path only names the file in an error.
std::unique_ptr<const Pcm> DecodeSound(std::span<const std::uint8_t> file, int sampleRate,
                                       const std::string& path);

// How many times a file's bytes have been decoded in this process (each cache miss).
std::uint64_t SoundsDecoded();

}  // namespace floemark::sound
