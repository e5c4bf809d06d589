#pragma once
// A look at a WAV file's structure before it is decoded, so that a damaged or foreign file
// is refused with a plain reason instead of whatever the decoder makes of it. Pure function.

#include <cstdint>
#include <span>
#include <string>

namespace floemark::sound {

// Empty when the bytes hold a well-formed RIFF WAVE file (a format chunk with a channel count,
// a sample rate and a sample size, and a data chunk, every chunk inside the file); otherwise
// what is wrong, as the end of a sentence: "it is not a WAV file".
std::string CheckWavStructure(std::span<const std::uint8_t> file);

}  // namespace floemark::sound
