// Damaged and foreign files: each is refused with a plain reason, none crashes the loader.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/virtual_clock.h"
#include "sound/sound_file.h"
#include "support/scratch_dir.h"
#include "support/sound_log.h"
#include "support/wav.h"

namespace floemark::sound {
namespace {

using testing::Ramp;
using testing::ScratchDir;
using testing::WavBytes;

void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Set16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Whether a load was remembered is not these tests' business.
VirtualClock clock;

class MalformedWavTest : public ::testing::Test {
 protected:
  // The reason LoadSoundFile gives for bytes, or "" when it loads them.
  std::string ReasonFor(const std::vector<std::uint8_t>& bytes) {
    dir_.Sound("BAD.WAV", bytes);
    return ReasonForFile("SOUND/BAD.WAV");
  }
  static std::string ReasonForFile(const std::string& path) {
    try {
      LoadSoundFile(path, 48000, clock);
      return "";
    } catch (const Error& e) {
      const std::string prefix = "Cannot load the sound file " + path + ": ";
      const std::string text = e.what();
      EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
      return text.substr(prefix.size());
    }
  }

  ScratchDir dir_;
  const std::vector<std::uint8_t> good_ = WavBytes(Ramp(50));
};

// Offsets in the canonical file: RIFF size 4, fmt channels 22, rate 24, bits 34, data size 40.
TEST_F(MalformedWavTest, FilesThatAreNoWavAtAll) {
  EXPECT_EQ(ReasonFor({}), "it is not a WAV file");
  const std::string text = "This is a text file, not a sound.\n";
  EXPECT_EQ(ReasonFor({text.begin(), text.end()}), "it is not a WAV file");
  std::vector<std::uint8_t> rifx = good_;
  rifx[3] = 'X';
  EXPECT_EQ(ReasonFor(rifx), "it is not a WAV file");
  std::vector<std::uint8_t> avi = good_;
  std::copy_n("AVI ", 4, avi.begin() + 8);
  EXPECT_EQ(ReasonFor(avi), "it is not a WAV file");
}

TEST_F(MalformedWavTest, MissingUnreadableAndFolders) {
  EXPECT_EQ(ReasonForFile("SOUND/NONE.WAV"), "the file does not exist");
  EXPECT_EQ(ReasonForFile("NOWHERE/NONE.WAV"), "the file does not exist");
  std::filesystem::create_directory("SOUND/DIR.WAV");
  EXPECT_EQ(ReasonForFile("SOUND/DIR.WAV"), "it is a folder, not a file");
  if (geteuid() != 0) {  // root reads anything
    dir_.Sound("LOCKED.WAV", good_);
    chmod("SOUND/LOCKED.WAV", 0);
    EXPECT_EQ(ReasonForFile("SOUND/LOCKED.WAV"), "the file cannot be read (Permission denied)");
  }
}

TEST_F(MalformedWavTest, TruncatedFiles) {
  for (std::size_t keep :
       {std::size_t{11}, std::size_t{20}, std::size_t{44}, good_.size() - 1, good_.size() / 2}) {
    const std::vector<std::uint8_t> cut(good_.begin(), good_.begin() + keep);
    const std::string reason = ReasonFor(cut);
    if (keep < 12) {
      EXPECT_EQ(reason, "it is not a WAV file");
    } else {
      EXPECT_EQ(reason.rfind("the file is cut short (its header declares", 0), 0u) << reason;
    }
  }
}

TEST_F(MalformedWavTest, LyingAndHugeChunkSizes) {
  std::vector<std::uint8_t> b = good_;
  Set32(b, 40, static_cast<std::uint32_t>(good_.size()));  // data claims more than is there
  EXPECT_EQ(ReasonFor(b), "its sound data is cut short or its size is wrong");
  Set32(b, 40, 0xFFFFFFF0u);
  EXPECT_EQ(ReasonFor(b), "its sound data is cut short or its size is wrong");

  b = good_;
  Set32(b, 16, 0x7FFFFFFFu);  // the format chunk swallows the file
  EXPECT_EQ(ReasonFor(b), "the file is damaged (a chunk runs past its end)");
  Set32(b, 16, 8);
  EXPECT_EQ(ReasonFor(b), "the file is damaged (its format chunk is too short)");

  b = good_;
  Set32(b, 4, 0xFFFFFFFFu);
  EXPECT_EQ(ReasonFor(b).rfind("the file is cut short", 0), 0u);

  b = good_;
  Set32(b, 4, 4);  // a header that ends before its chunks
  EXPECT_EQ(ReasonFor(b), "the file is damaged (it has no format chunk)");
}

TEST_F(MalformedWavTest, FormatsThatCantBePlayed) {
  std::vector<std::uint8_t> b = good_;
  Set16(b, 22, 0);
  EXPECT_EQ(ReasonFor(b), "its WAV format is not supported (zero channels)");
  b = good_;
  Set32(b, 24, 0);
  EXPECT_EQ(ReasonFor(b), "its WAV format is not supported (a sample rate of 0 Hz)");
  Set32(b, 24, 6798208);  // a rate no sound has, which would overflow the resampler
  EXPECT_EQ(ReasonFor(b), "its WAV format is not supported (a sample rate of 6798208 Hz)");
  b = good_;
  Set16(b, 34, 0);
  EXPECT_EQ(ReasonFor(b), "its WAV format is not supported (samples of 0 bits)");
  b = good_;
  Set16(b, 20, 0x55);  // MPEG layer 3 inside a WAV
  EXPECT_EQ(ReasonFor(b).rfind("its WAV format is not supported (", 0), 0u) << ReasonFor(b);
  b = good_;
  Set16(b, 22, 300);  // more channels than any decoder takes
  EXPECT_EQ(ReasonFor(b).rfind("its WAV format is not supported", 0), 0u) << ReasonFor(b);
}

TEST_F(MalformedWavTest, OtherLayoutsStillLoad) {
  // An odd-sized chunk before the data is padded to even length.
  std::vector<std::uint8_t> b(good_.begin(), good_.begin() + 36);
  const std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  b.insert(b.end(), list.begin(), list.end());
  b.insert(b.end(), good_.begin() + 36, good_.end());
  Set32(b, 4, static_cast<std::uint32_t>(b.size() - 8));
  EXPECT_EQ(ReasonFor(b), "");

  // Stereo 22.05 kHz becomes mono at the output's rate, as long as it was.
  std::vector<std::int16_t> stereo(2 * 22050 / 10, 1000);
  dir_.Sound("STEREO.WAV", WavBytes(stereo, 22050, 2));
  const auto pcm = LoadSoundFile("SOUND/STEREO.WAV", 48000, clock);
  EXPECT_EQ(pcm->Frames(), 4800);
  EXPECT_NEAR(pcm->samples[2400], 1000, 10);
  EXPECT_NEAR(pcm->samples[4750], 1000, 10);  // the tail is converted, not dropped
}

TEST_F(MalformedWavTest, RandomDamageIsRefusedOrLoadedNeverACrash) {
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    std::vector<std::uint8_t> b = good_;
    const int hits = 1 + static_cast<int>(next() % 4);
    for (int i = 0; i < hits; ++i) {
      // Mostly the header, where the damage matters.
      const std::size_t at = next() % 2 ? next() % 48 : next() % b.size();
      b[at] = static_cast<std::uint8_t>(next() >> 24);
    }
    if (next() % 5 == 0) b.resize(next() % b.size());
    if (!ReasonFor(b).empty()) ++refused;
  }
  EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace floemark::sound
