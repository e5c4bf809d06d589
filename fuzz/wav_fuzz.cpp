// libFuzzer target: the bytes of a sound file through the loader's decoding (the structure
// check, then SDL's WAV reader and its conversion to the mixer's format, or our own reader for a
// file in that format already), and through the portable decoder the browser uses. Every input
// either loads or is refused with floemark::Error; anything else is a finding, and so is a file
// that both decoders load to different lengths.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/error.h"
#include "sound/sound_file.h"
#include "sound/wav_check.h"
#include "sound/wav_decode.h"

namespace {

constexpr std::int64_t kMaxFrames = std::int64_t{floemark::sound::kMaxSeconds} * 48000;

// The frames a decoder makes of the bytes, -1 when it refuses them.
template <typename Decode>
std::int64_t Frames(Decode decode) {
  try {
    const auto pcm = decode();
    // The sound is as long as the limit allows at most.
    if (pcm->Frames() > kMaxFrames) __builtin_trap();
    return pcm->Frames();
  } catch (const floemark::Error&) {
    return -1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace floemark::sound;
  const std::span bytes(data, size);
  const std::int64_t sdl = Frames([&] { return DecodeSound(bytes, 48000, "FUZZ.WAV"); });
  if (!CheckWavStructure(bytes).empty()) return 0;
  const std::int64_t portable = Frames([&] { return DecodeWavPortable(bytes, 48000, "FUZZ.WAV"); });
  if (sdl >= 0 && portable >= 0 && sdl != portable) __builtin_trap();
  Frames([&] { return DecodeWavPortable(bytes, 44100, "FUZZ.WAV"); });
  return 0;
}
