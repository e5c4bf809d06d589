#include "sound/wav_decode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/error.h"
#include "sound/sound_file.h"

namespace floemark::sound {
namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

struct Layout {
  std::uint16_t tag = 0;
  int channels = 0;
  int rate = 0;
  int blockAlign = 0;
  int bits = 0;
  bool extensibleTooShort = false;
  std::span<const std::uint8_t> data;
};

// The GUID of an extensible format, after the format tag in its first two bytes.
constexpr std::uint8_t kGuidTail[14] = {0, 0, 0, 0, 16, 0, 128, 0, 0, 170, 0, 56, 155, 113};

// The structure is known to be sound: every chunk lies inside the file. The first format and
// the first data chunk count, as for SDL.
Layout Find(std::span<const std::uint8_t> file) {
  Layout layout;
  const std::uint64_t end = std::uint64_t{Le32(file.data() + 4)} + 8;
  for (std::uint64_t at = 12; at + 8 <= end;) {
    const std::uint8_t* chunk = file.data() + at;
    const std::uint32_t length = Le32(chunk + 4);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && layout.channels == 0) {
      layout.tag = Le16(chunk + 8);
      layout.channels = Le16(chunk + 10);
      layout.rate = static_cast<int>(Le32(chunk + 12));
      layout.blockAlign = Le16(chunk + 20);
      layout.bits = Le16(chunk + 22);
      // The extensible format names the real one by a GUID, the tag in its first two bytes.
      if (layout.tag == kTagExtensible) {
        layout.extensibleTooShort = length < 40 || Le16(chunk + 24) < 22;
        const std::uint8_t* guid = chunk + 32;
        const bool known =
            !layout.extensibleTooShort && std::memcmp(guid + 2, kGuidTail, sizeof kGuidTail) == 0;
        layout.tag = known ? Le16(guid) : 0;
      }
    } else if (std::memcmp(chunk, "data", 4) == 0 && layout.data.empty()) {
      layout.data = file.subspan(at + 8, length);
    }
    at += 8 + std::uint64_t{length} + (length & 1);
  }
  return layout;
}

// One sample as a float in -1..1, as SDL scales it.
float Sample(const std::uint8_t* p, std::uint16_t tag, int bits) {
  if (tag == kTagFloat) {
    float f;
    std::memcpy(&f, p, 4);
    return std::isfinite(f) ? f : 0.0f;
  }
  switch (bits) {
    case 8:
      return (static_cast<int>(p[0]) - 128) / 128.0f;
    case 16:
      return static_cast<std::int16_t>(Le16(p)) / 32768.0f;
    case 24:
      return static_cast<std::int32_t>(std::uint32_t{p[0]} << 8 | std::uint32_t{p[1]} << 16 |
                                       std::uint32_t{p[2]} << 24) /
             2147483648.0f;
    default:
      return static_cast<std::int32_t>(Le32(p)) / 2147483648.0f;
  }
}

std::int16_t ToS16(float v) {
  return static_cast<std::int16_t>(std::lround(std::clamp(v * 32768.0f, -32768.0f, 32767.0f)));
}

}  // namespace

void FailSoundFile(const std::string& path, const std::string& reason) {
  throw Error("Cannot load the sound file " + path + ": " + reason);
}

bool InMixerFormat(std::span<const std::uint8_t> file, int sampleRate) {
  const Layout in = Find(file);
  return in.tag == kTagPcm && in.bits == 16 && in.channels == 1 && in.blockAlign == 2 &&
         in.rate == sampleRate;
}

std::unique_ptr<Pcm> DecodeWavPortable(std::span<const std::uint8_t> file, int sampleRate,
                                       const std::string& path) {
  // What SDL takes, and as many frames as SDL makes of it, so that a sound lasts as long in
  // the browser as on the desktop, whatever block alignment its header declares.
  const Layout in = Find(file);
  const bool integer =
      in.tag == kTagPcm && (in.bits == 8 || in.bits == 16 || in.bits == 24 || in.bits == 32);
  const bool floating = in.tag == kTagFloat && in.bits == 32;
  if (in.extensibleTooShort || (!integer && !floating)) {
    FailSoundFile(path, "its WAV format is not supported (format " + std::to_string(in.tag) + ", " +
                            std::to_string(in.bits) + " bits)");
  }
  if (in.channels > 255) {
    FailSoundFile(path,
                  "its WAV format is not supported (" + std::to_string(in.channels) + " channels)");
  }
  if (in.blockAlign == 0 || (in.channels * in.bits) % (in.blockAlign * 8) != 0) {
    FailSoundFile(path, "its WAV format is not supported (a block alignment of " +
                            std::to_string(in.blockAlign) + ")");
  }
  if (in.blockAlign > 1 && in.data.size() % static_cast<std::size_t>(in.blockAlign) != 0) {
    FailSoundFile(path, "its sound data is cut short or its size is wrong");
  }
  const int sampleBytes = in.bits / 8;
  const std::int64_t frameBytes = std::int64_t{sampleBytes} * in.channels;
  // SDL reads whole blocks; it widens 24-bit samples block by block, and keeps the bytes of
  // the others, which make frames of the samples' size.
  const std::int64_t blocks = static_cast<std::int64_t>(in.data.size()) / in.blockAlign;
  const std::int64_t inFrames = in.bits == 24 ? blocks : blocks * in.blockAlign / frameBytes;
  const std::int64_t outFrames = inFrames * sampleRate / in.rate;
  if (outFrames > std::int64_t{kMaxSeconds} * sampleRate) {
    FailSoundFile(path,
                  "the sound is too long (more than " + std::to_string(kMaxSeconds) + " seconds)");
  }
  // Mixed down first, as SDL does: the mean of the channels. A declared alignment smaller
  // than a frame counts more frames than the data holds: those past its end are silence.
  std::vector<float> mono(static_cast<std::size_t>(inFrames));
  const std::int64_t whole = static_cast<std::int64_t>(in.data.size()) / frameBytes;
  const std::uint8_t* p = in.data.data();
  for (std::int64_t i = 0; i < std::min(inFrames, whole); ++i) {
    float sum = 0;
    for (int c = 0; c < in.channels; ++c, p += sampleBytes) sum += Sample(p, in.tag, in.bits);
    mono[static_cast<std::size_t>(i)] = sum / static_cast<float>(in.channels);
  }
  auto pcm = std::make_unique<Pcm>();
  pcm->samples.resize(static_cast<std::size_t>(outFrames));
  if (sampleRate == in.rate) {
    std::transform(mono.begin(), mono.end(), pcm->samples.begin(), ToS16);
    return pcm;
  }
  const double step = static_cast<double>(in.rate) / sampleRate;
  for (std::int64_t i = 0; i < outFrames; ++i) {
    const double at = static_cast<double>(i) * step;
    const auto k = static_cast<std::size_t>(at);
    const float frac = static_cast<float>(at - static_cast<double>(k));
    const float a = mono[k];
    const float b = k + 1 < mono.size() ? mono[k + 1] : 0.0f;
    pcm->samples[static_cast<std::size_t>(i)] = ToS16(a + (b - a) * frac);
  }
  return pcm;
}

}  // namespace floemark::sound
