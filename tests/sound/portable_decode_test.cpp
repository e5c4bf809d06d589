// The portable WAV decoder (the browser's, which has no SDL) against SDL's (the desktop's):
// the same length in frames for every file, since the game's timing depends on lengths alone,
// and samples close enough to sound the same.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/error.h"
#include "sound/sound_file.h"
#include "sound/wav_decode.h"
#include "support/scratch_dir.h"

namespace floemark::sound {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Put(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A WAV of frames x channels samples in -1..1, in the format tag (1 integer, 3 float) and bits.
std::vector<std::uint8_t> Wav(const std::vector<float>& samples, int channels, int rate, int tag,
                              int bits) {
  std::vector<std::uint8_t> data;
  for (const float s : samples) {
    if (tag == 3) {
      std::uint32_t word;
      std::memcpy(&word, &s, 4);
      Put(data, word, 4);
    } else if (bits == 8) {
      data.push_back(static_cast<std::uint8_t>(std::lround(s * 127) + 128));
    } else {
      const double scale = std::ldexp(1.0, bits - 1) - 1;
      Put(data, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(s * scale))),
          bits / 8);
    }
  }
  std::vector<std::uint8_t> b = {'R', 'I', 'F', 'F'};
  Put(b, static_cast<std::uint32_t>(36 + data.size()), 4);
  for (const char c : std::string("WAVEfmt ")) b.push_back(static_cast<std::uint8_t>(c));
  Put(b, 16, 4);
  Put(b, static_cast<std::uint32_t>(tag), 2);
  Put(b, static_cast<std::uint32_t>(channels), 2);
  Put(b, static_cast<std::uint32_t>(rate), 4);
  Put(b, static_cast<std::uint32_t>(rate * channels * bits / 8), 4);
  Put(b, static_cast<std::uint32_t>(channels * bits / 8), 2);
  Put(b, static_cast<std::uint32_t>(bits), 2);
  for (const char c : std::string("data")) b.push_back(static_cast<std::uint8_t>(c));
  Put(b, static_cast<std::uint32_t>(data.size()), 4);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// Both decoders on the same bytes: equal lengths; the root mean square of the difference and
// its largest sample, as fractions of full scale.
struct Difference {
  double rms = 0, peak = 0;
};
Difference Compare(const std::vector<std::uint8_t>& file, int rate, const std::string& name) {
  const std::unique_ptr<Pcm> sdl = DecodeWavSdl(file, rate, name);
  const std::unique_ptr<Pcm> ours = DecodeWavPortable(file, rate, name);
  EXPECT_EQ(ours->Frames(), sdl->Frames()) << name << " at " << rate << " Hz";
  Difference d;
  const std::size_t n = std::min(ours->samples.size(), sdl->samples.size());
  for (std::size_t i = 0; i < n; ++i) {
    const double e = (ours->samples[i] - sdl->samples[i]) / 32768.0;
    d.rms += e * e;
    d.peak = std::max(d.peak, std::abs(e));
  }
  d.rms = n == 0 ? 0 : std::sqrt(d.rms / static_cast<double>(n));
  return d;
}

TEST(PortableDecodeTest, CommittedSoundsAtEveryRate) {
  for (const auto& entry :
       std::filesystem::directory_iterator(floemark::testing::CommittedSoundDir())) {
    const std::vector<std::uint8_t> file = ReadFile(entry.path());
    const std::string name = entry.path().filename().string();
    // The output's own rate: no conversion at all, the very same samples.
    const Difference same = Compare(file, 48000, name);
    EXPECT_EQ(same.peak, 0) << name;
    for (const int rate : {44100, 22050, 96000, 8000}) {
      // SDL filters with a windowed sinc, ours interpolates linearly: they part a little
      // (at most 0.01 here) around the sharp edges of the synthesised tones.
      const Difference d = Compare(file, rate, name);
      EXPECT_LT(d.rms, 0.02) << name << " at " << rate << " Hz";
    }
  }
}

TEST(PortableDecodeTest, OtherFormatsMixedDownAndScaledAsSdlDoes) {
  std::vector<float> tone;  // stereo, the channels apart
  for (int i = 0; i < 4410; ++i) {
    tone.push_back(0.5f * static_cast<float>(std::sin(i * 0.05)));
    tone.push_back(0.25f * static_cast<float>(std::sin(i * 0.013)));
  }
  struct Format {
    int tag, bits;
  };
  for (const Format f :
       {Format{1, 8}, Format{1, 16}, Format{1, 24}, Format{1, 32}, Format{3, 32}}) {
    for (const int rate : {44100, 48000}) {
      const std::string name = std::to_string(f.tag) + "/" + std::to_string(f.bits);
      const Difference d = Compare(Wav(tone, 2, 44100, f.tag, f.bits), rate, name);
      EXPECT_LT(d.rms, 0.01) << name << " at " << rate;
    }
  }
}

// Headers whose declared block alignment is not a frame's size: the browser must count the
// frames as SDL does (found by fuzzing the two decoders against each other).
TEST(PortableDecodeTest, CountsFramesByTheDeclaredBlockAlignment) {
  std::vector<std::uint8_t> mono24 = Wav(std::vector<float>(50, 0.25f), 1, 11025, 1, 24);
  mono24[32] = 1;  // block alignment 1 for frames of 3 bytes
  Compare(mono24, 48000, "24-bit, aligned to 1");
  EXPECT_EQ(DecodeWavPortable(mono24, 11025, "x")->Frames(), 150);
  std::vector<std::uint8_t> stereo = Wav(std::vector<float>(64, 0.5f), 2, 8000, 1, 16);
  stereo[32] = 2;  // a block of one channel's sample
  Compare(stereo, 48000, "stereo, aligned to 2");
}

TEST(PortableDecodeTest, RefusesWhatItCantDecode) {
  std::vector<std::uint8_t> adpcm = Wav(std::vector<float>(64, 0.0f), 1, 8000, 1, 16);
  adpcm[20] = 2;  // Microsoft ADPCM
  try {
    DecodeWavPortable(adpcm, 48000, "SOUND/X.WAV");
    ADD_FAILURE() << "ADPCM decoded";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "Cannot load the sound file SOUND/X.WAV: its WAV format is not supported "
                 "(format 2, 16 bits)");
  }
}

// The desktop reads a file in the mixer's format itself, without SDL, and leaves every other to
// SDL's decoder as before: its own conversion, and the formats only SDL knows.
TEST(PortableDecodeTest, TheDesktopConvertsWithSdlAndReadsTheMixersFormatItself) {
  std::vector<float> tone;
  for (int i = 0; i < 4800; ++i) tone.push_back(0.5f * static_cast<float>(std::sin(i * 0.05)));
  const auto mixers = Wav(tone, 1, 48000, 1, 16);
  EXPECT_TRUE(InMixerFormat(mixers, 48000));
  EXPECT_EQ(DecodeSound(mixers, 48000, "x")->samples,
            DecodeWavPortable(mixers, 48000, "x")->samples);
  EXPECT_FALSE(InMixerFormat(mixers, 44100));
  for (const auto& other : {Wav(tone, 1, 44100, 1, 16), Wav(tone, 2, 48000, 1, 16),
                            Wav(tone, 1, 48000, 1, 8), Wav(tone, 1, 48000, 3, 32)}) {
    EXPECT_FALSE(InMixerFormat(other, 48000));
    EXPECT_EQ(DecodeSound(other, 48000, "x")->samples, DecodeWavSdl(other, 48000, "x")->samples);
  }
  std::vector<std::uint8_t> mulaw = Wav(tone, 1, 8000, 1, 8);
  mulaw[20] = 7;  // mu-law
  EXPECT_THROW(DecodeWavPortable(mulaw, 48000, "x"), Error);
  EXPECT_EQ(DecodeSound(mulaw, 48000, "x")->Frames(), 4800 * 6);
}

}  // namespace
}  // namespace floemark::sound
