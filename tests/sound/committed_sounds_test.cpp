// The seven committed sounds: the format the game asks for, each short enough for the moment
// it plays in, and quiet enough that the channels sounding together do not clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "base/virtual_clock.h"
#include "sound/sound_file.h"
#include "support/scratch_dir.h"

namespace floemark::sound {
namespace {

const std::filesystem::path kSoundDir = floemark::testing::CommittedSoundDir();

struct Expected {
  const char* file;
  int maxMs;  // the moment the cue has to fit in
};

// The tick must be over well before the next tick of the same bomb, 400 ms on; the explosion
// starts 300 ms into the 2200 ms error sequence.
constexpr Expected kCues[] = {{"TEMPO.WAV", 100},  {"GOT.WAV", 200},    {"BLOCK.WAV", 200},
                              {"START.WAV", 3400}, {"BONUS.WAV", 6805}, {"BOMBED.WAV", 1900},
                              {"OVER.WAV", 2000}};

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= std::uint32_t{b[at + i]} << (8 * i);
  return v;
}

TEST(CommittedSoundsTest, AreMono16BitPcmAtAGoodRate) {
  for (const Expected& cue : kCues) {
    std::ifstream in(kSoundDir / cue.file, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GE(b.size(), 44u) << cue.file;
    EXPECT_EQ(Le(b, 20, 2), 1u) << cue.file << ": PCM";
    EXPECT_EQ(Le(b, 22, 2), 1u) << cue.file << ": mono";
    EXPECT_GE(Le(b, 24, 4), 22050u) << cue.file;
    EXPECT_EQ(Le(b, 34, 2), 16u) << cue.file;
  }
}

TEST(CommittedSoundsTest, FitTheirMomentsStartAndEndSoftlyAndMixWithoutClipping) {
  VirtualClock clock;
  std::vector<int> peaks;
  for (const Expected& cue : kCues) {
    const auto pcm = LoadSoundFile((kSoundDir / cue.file).string(), 48000, clock);
    ASSERT_GT(pcm->Frames(), 0) << cue.file;
    EXPECT_LE(pcm->Frames(), cue.maxMs * 48) << cue.file;
    // No click at either end, even when a stop cuts in or the next play rewinds.
    EXPECT_LT(std::abs(pcm->samples.front()), 330) << cue.file;
    EXPECT_LT(std::abs(pcm->samples.back()), 330) << cue.file;
    int peak = 0;
    for (std::int16_t s : pcm->samples) peak = std::max(peak, std::abs(int{s}));
    EXPECT_GT(peak, 3000) << cue.file << " is barely audible";
    peaks.push_back(peak);
  }
  // The jingle, the tick and the catch can sound at once; the ice block stops the tick.
  std::sort(peaks.begin(), peaks.end(), std::greater<>());
  EXPECT_LE(peaks[0] + peaks[1] + peaks[2], 32767);
}

}  // namespace
}  // namespace floemark::sound
