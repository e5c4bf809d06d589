// A sound file loaded again unchanged is not decoded again, and every change to it since (a
// rewrite, a new file in its place, a touch, a removal, a folder or a lock) is seen at once:
// the load fails or decodes anew exactly as a first load would. A file changed just before its
// load (or stamped later than the clock) is not remembered: the test's clock stands where the
// test puts it against the file's change time.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "sound/sound_file.h"
#include "support/clocks.h"
#include "support/scratch_dir.h"
#include "support/wav.h"

namespace floemark::sound {
namespace {

using testing::Ramp;
using testing::ScratchDir;
using testing::WavBytes;

constexpr char kPath[] = "SOUND/CUE.WAV";

class DecodedOnceTest : public ::testing::Test {
 protected:
  // The clock ms after the file's last change, on the time of day.
  void ClockAfterChange(std::int64_t ms) {
    struct stat info {};
    ASSERT_EQ(stat(kPath, &info), 0);
    clock_.Set(info.st_ctim.tv_sec % 86'400 * 1000 + info.st_ctim.tv_nsec / 1'000'000 + ms);
  }
  // Like a file of the program's: written a while ago.
  void Settle() { ClockAfterChange(kSettleMs + 1); }
  // A change made now could be stamped within the millisecond of the last one (files are
  // stamped with the kernel's coarse clock, or finer), and the clock set for that one would
  // find it settled already: the changes meant to look newer wait until the coarse clock is two
  // milliseconds past the last.
  static void LaterStamp() {
    struct stat info {};
    ASSERT_EQ(stat(kPath, &info), 0);
    const std::int64_t last = info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec;
    for (;;) {
      timespec now{};
      clock_gettime(CLOCK_REALTIME_COARSE, &now);
      if (now.tv_sec * 1'000'000'000LL + now.tv_nsec >= last + 2'000'000) return;
      usleep(500);
    }
  }

  // The first sample of the sound loaded from kPath, and how many decodes the load took.
  std::pair<std::int16_t, std::uint64_t> Load(int rate = 48000) {
    const std::uint64_t before = SoundsDecoded();
    const auto pcm = LoadSoundFile(kPath, rate, clock_);
    return {pcm->samples.at(0), SoundsDecoded() - before};
  }

  std::string Failure() {
    try {
      LoadSoundFile(kPath, 48000, clock_);
      return "";
    } catch (const Error& e) {
      return e.what();
    }
  }

  ScratchDir dir_;
  testing::ManualClock clock_;
};

TEST_F(DecodedOnceTest, AnUnchangedFileIsDecodedOncePerRate) {
  dir_.Sound("CUE.WAV", WavBytes(Ramp(200, 7)));
  Settle();
  const auto first = LoadSoundFile(kPath, 48000, clock_);
  const std::uint64_t before = SoundsDecoded();
  for (int i = 0; i < 5; ++i) {
    const auto again = LoadSoundFile(kPath, 48000, clock_);
    EXPECT_EQ(again->samples, first->samples);
  }
  EXPECT_EQ(SoundsDecoded() - before, 0u);
  // Another rate is another sound.
  EXPECT_EQ(Load(44100).second, 1u);
  EXPECT_EQ(Load(44100).second, 0u);
  EXPECT_EQ(Load(48000).second, 0u);
}

TEST_F(DecodedOnceTest, AFileJustWrittenIsDecodedAtEveryLoad) {
  // Written within one tick of the kernel's clock, two versions could carry the same times.
  dir_.Sound("CUE.WAV", WavBytes(Ramp(200, 7)));
  ClockAfterChange(kSettleMs);
  EXPECT_EQ(Load().second, 1u);
  EXPECT_EQ(Load().second, 1u);
  // Stamped later than the clock's time: as recent, whichever is wrong.
  ClockAfterChange(-30'000);
  EXPECT_EQ(Load().second, 1u);
  EXPECT_EQ(Load().second, 1u);
  ClockAfterChange(kSettleMs + 1);
  EXPECT_EQ(Load().second, 1u);
  EXPECT_EQ(Load().second, 0u);
}

TEST_F(DecodedOnceTest, ChangesSinceAreSeenAtTheNextLoad) {
  dir_.Sound("CUE.WAV", WavBytes(Ramp(200, 7)));
  Settle();
  EXPECT_EQ(Load(), std::make_pair(Ramp(200, 7)[0], std::uint64_t{1}));

  // Rewritten in place with a sound of the same length: same file, same size.
  LaterStamp();
  dir_.Sound("CUE.WAV", WavBytes(Ramp(200, 9)));
  EXPECT_EQ(Load().first, Ramp(200, 9)[0]);
  Settle();
  EXPECT_EQ(Load().second, 1u);  // remembered now
  EXPECT_EQ(Load().second, 0u);

  // Only touched: the times differ, so it is decoded again.
  LaterStamp();
  utimensat(AT_FDCWD, kPath, nullptr, 0);
  EXPECT_EQ(Load().second, 1u);

  // Another file renamed into its place.
  dir_.Sound("NEW.WAV", WavBytes(Ramp(200, 11)));
  std::filesystem::rename("SOUND/NEW.WAV", kPath);
  EXPECT_EQ(Load().first, Ramp(200, 11)[0]);

  Settle();
  Load();
  if (geteuid() != 0) {  // root reads anything
    chmod(kPath, 0);
    EXPECT_EQ(Failure(),
              "Cannot load the sound file SOUND/CUE.WAV: the file cannot be read (Permission "
              "denied)");
    chmod(kPath, 0644);
  }
  std::filesystem::remove(kPath);
  EXPECT_EQ(Failure(), "Cannot load the sound file SOUND/CUE.WAV: the file does not exist");
  std::filesystem::create_directory(kPath);
  EXPECT_EQ(Failure(), "Cannot load the sound file SOUND/CUE.WAV: it is a folder, not a file");
}

TEST_F(DecodedOnceTest, ADamagedFileIsRefusedAtEveryLoad) {
  std::vector<std::uint8_t> bytes = WavBytes(Ramp(200, 7));
  bytes.resize(bytes.size() / 2);
  dir_.Sound("CUE.WAV", bytes);
  Settle();
  for (int i = 0; i < 2; ++i) {
    const std::uint64_t before = SoundsDecoded();
    EXPECT_NE(Failure().find("the file is cut short"), std::string::npos);
    EXPECT_EQ(SoundsDecoded() - before, 1u);
  }
}

}  // namespace
}  // namespace floemark::sound
