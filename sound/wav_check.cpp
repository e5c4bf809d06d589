#include "sound/wav_check.h"

#include <cstring>

namespace floemark::sound {
namespace {

constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 384000;

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

}  // namespace

std::string CheckWavStructure(std::span<const std::uint8_t> file) {
  const std::uint8_t* p = file.data();
  const std::uint64_t size = file.size();
  if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0) {
    return "it is not a WAV file";
  }
  const std::uint64_t declared = std::uint64_t{Le32(p + 4)} + 8;
  if (declared > size) {
    return "the file is cut short (its header declares " + std::to_string(declared) +
           " bytes, the file holds " + std::to_string(size) + ")";
  }
  bool haveFormat = false;
  bool haveData = false;
  std::uint64_t at = 12;
  while (at + 8 <= declared) {
    const std::uint8_t* chunk = p + at;
    const std::uint64_t length = Le32(chunk + 4);
    const bool isFormat = std::memcmp(chunk, "fmt ", 4) == 0;
    const bool isData = std::memcmp(chunk, "data", 4) == 0;
    if (at + 8 + length > declared) {
      if (isData) return "its sound data is cut short or its size is wrong";
      return "the file is damaged (a chunk runs past its end)";
    }
    if (isFormat) {
      if (length < 16) return "the file is damaged (its format chunk is too short)";
      const std::uint16_t channels = Le16(chunk + 10);
      const std::uint32_t rate = Le32(chunk + 12);
      const std::uint16_t bits = Le16(chunk + 22);
      if (channels == 0) return "its WAV format is not supported (zero channels)";
      // Outside these rates no real sound lies, and SDL's resampler is not safe.
      if (rate < kMinRate || rate > kMaxRate) {
        return "its WAV format is not supported (a sample rate of " + std::to_string(rate) + " Hz)";
      }
      if (bits == 0) return "its WAV format is not supported (samples of 0 bits)";
      haveFormat = true;
    } else if (isData) {
      if (!haveFormat) return "the file is damaged (its sound data comes before its format)";
      haveData = true;
    }
    // Chunks are padded to an even length; a missing last pad byte is harmless.
    at += 8 + length + (length & 1);
  }
  if (!haveFormat) return "the file is damaged (it has no format chunk)";
  if (!haveData) return "the file holds no sound data";
  return {};
}

}  // namespace floemark::sound
