#pragma once
// WAV files made on the spot, for tests that need a sound of a particular shape (a length, a
// rate, a broken header). Tests that only need the game's cues copy the committed ones
// (ScratchDir).

#include <cstdint>
#include <vector>

namespace floemark::testing {

// A canonical 16-bit PCM WAV file.
std::vector<std::uint8_t> WavBytes(const std::vector<std::int16_t>& samples, int rate = 48000,
                                   int channels = 1);

// A sound of ms milliseconds at 48 kHz whose every sample says where it is (a ramp that never
// repeats within 8000 frames and is never zero), so the tests can tell frames apart.
std::vector<std::int16_t> Ramp(int ms, int offset = 1);

}  // namespace floemark::testing
