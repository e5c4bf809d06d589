#pragma once
// A canonical 44-byte-header WAV file: 16-bit PCM, mono, little-endian.

#include <cstdint>
#include <string>
#include <vector>

namespace floemark::soundgen {

bool WriteWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate);

}  // namespace floemark::soundgen
