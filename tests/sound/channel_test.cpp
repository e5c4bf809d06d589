// The channel rules over the silent output on a virtual clock: at 48 kHz a millisecond is 48
// frames exactly, so positions can be checked to the frame.
#include "sound/channel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "base/virtual_clock.h"
#include "sound/mixer.h"
#include "sound/null_output.h"
#include "support/scratch_dir.h"
#include "support/sound_log.h"
#include "support/wav.h"

namespace floemark::sound {
namespace {

using testing::Ramp;
using testing::ScratchDir;
using testing::WavBytes;

class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Sound("LONG.WAV", WavBytes(Ramp(500)));
    dir_.Sound("SHORT.WAV", WavBytes(Ramp(120)));
  }
  void At(std::int64_t ms) {
    clock_.RunThrough(ms, [](TimerId) {});
  }
  static std::int64_t Frames(std::int64_t ms) { return ms * 48; }

  ScratchDir dir_;
  VirtualClock clock_;
  NullOutput output_{clock_};
  SoundChannel channel_{"MPlayer_Test", output_, 1};
};

TEST_F(ChannelTest, LoadOpensAtTheStartWithoutPlaying) {
  channel_.LoadCue(".\\SOUND\\LONG.WAV");
  EXPECT_TRUE(channel_.IsOpen());
  EXPECT_EQ(channel_.FileName(), ".\\SOUND\\LONG.WAV");
  EXPECT_EQ(channel_.LengthFrames(), Frames(500));
  At(300);
  EXPECT_FALSE(channel_.Playing());
  EXPECT_EQ(channel_.PositionFrames(), 0);
}

TEST_F(ChannelTest, PlayingAgainWhileSoundingContinues) {
  channel_.LoadCue(".\\SOUND\\LONG.WAV");
  channel_.PlayCue();
  At(200);
  channel_.PlayCue();  // the next tick 200 ms later
  EXPECT_EQ(channel_.PositionFrames(), Frames(200));
  At(499);
  EXPECT_TRUE(channel_.Playing());
  EXPECT_EQ(channel_.PositionFrames(), Frames(499));
  At(500);  // 500 ms of sound played for 500 ms: at its end, to the frame
  EXPECT_FALSE(channel_.Playing());
  EXPECT_EQ(channel_.PositionFrames(), channel_.LengthFrames());
}

TEST_F(ChannelTest, StoppedHalfWayContinuesFromThere) {
  channel_.LoadCue(".\\SOUND\\LONG.WAV");
  channel_.PlayCue();
  At(150);
  channel_.StopChannel();
  EXPECT_FALSE(channel_.Playing());
  At(400);
  EXPECT_EQ(channel_.PositionFrames(), Frames(150));
  channel_.StopChannel();  // stopping a silent channel changes nothing
  EXPECT_EQ(channel_.PositionFrames(), Frames(150));
  channel_.PlayCue();
  At(500);
  EXPECT_EQ(channel_.PositionFrames(), Frames(250));
  At(800);  // the remaining 350 ms, then the end
  EXPECT_FALSE(channel_.Playing());
  EXPECT_EQ(channel_.PositionFrames(), Frames(500));
}

TEST_F(ChannelTest, OnlyASoundPlayedToItsEndStartsAgain) {
  channel_.LoadCue(".\\SOUND\\SHORT.WAV");
  channel_.PlayCue();
  At(1000);
  EXPECT_EQ(channel_.PositionFrames(), Frames(120));
  channel_.StopChannel();  // a stop at the end leaves it at the end
  channel_.PlayCue();      // ... so the next play rewinds
  At(1050);
  EXPECT_TRUE(channel_.Playing());
  EXPECT_EQ(channel_.PositionFrames(), Frames(50));

  channel_.StopChannel();
  channel_.RewindChannel();  // rewinding does not start it
  At(1100);
  EXPECT_FALSE(channel_.Playing());
  EXPECT_EQ(channel_.PositionFrames(), 0);
}

TEST_F(ChannelTest, RewindWhilePlayingGoesBackToTheStartAndPlaysOn) {
  channel_.LoadCue(".\\SOUND\\LONG.WAV");
  channel_.PlayCue();
  At(300);
  channel_.RewindChannel();
  At(340);
  EXPECT_TRUE(channel_.Playing());
  EXPECT_EQ(channel_.PositionFrames(), Frames(40));
}

TEST_F(ChannelTest, ANewLoadReplacesTheOldFileAndEndsItsSound) {
  channel_.LoadCue(".\\SOUND\\LONG.WAV");
  channel_.PlayCue();
  At(100);
  channel_.LoadCue(".\\SOUND\\SHORT.WAV");
  EXPECT_FALSE(channel_.Playing());
  EXPECT_EQ(channel_.FileName(), ".\\SOUND\\SHORT.WAV");
  EXPECT_EQ(channel_.LengthFrames(), Frames(120));
  At(200);
  EXPECT_EQ(channel_.PositionFrames(), 0);
  channel_.PlayCue();
  At(330);
  EXPECT_EQ(channel_.PositionFrames(), Frames(120));
}

TEST_F(ChannelTest, OperationsOnAClosedChannelRaiseNoMciDeviceOpen) {
  auto expectNoDevice = [](auto op) {
    try {
      op();
      ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "No MCI device open");
    }
  };
  expectNoDevice([&] { channel_.PlayCue(); });
  expectNoDevice([&] { channel_.StopChannel(); });
  expectNoDevice([&] { channel_.RewindChannel(); });
}

TEST_F(ChannelTest, AFailedLoadSaysWhatIsWrongAndLeavesTheChannelClosed) {
  channel_.LoadCue(".\\SOUND\\LONG.WAV");
  channel_.PlayCue();
  At(100);
  try {
    channel_.LoadCue(".\\SOUND\\START.WAV");
    ADD_FAILURE() << "no error raised";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot load the sound file SOUND/START.WAV: the file does not exist");
  }
  EXPECT_FALSE(channel_.IsOpen());
  EXPECT_FALSE(channel_.Playing());
  EXPECT_EQ(channel_.FileName(), ".\\SOUND\\START.WAV");
  EXPECT_THROW(channel_.PlayCue(), Error);
  // The failed load took the old sound off the mixer: nothing is left sounding.
  EXPECT_FALSE(output_.GetMixer().Playing(1));
  EXPECT_EQ(output_.GetMixer().Length(1), 0);
}

TEST_F(ChannelTest, PathsAreRelativeToTheWorkingDirectory) {
  std::filesystem::create_directory("elsewhere");
  std::filesystem::current_path("elsewhere");
  EXPECT_THROW(channel_.LoadCue(".\\SOUND\\LONG.WAV"), Error);
  std::filesystem::current_path("..");
  EXPECT_NO_THROW(channel_.LoadCue(".\\SOUND\\LONG.WAV"));
}

TEST_F(ChannelTest, TheObserverHearsOfEveryOperationBeforeItRunsFailingOnesToo) {
  floemark::testing::SoundLog recorder(clock_);
  channel_.SetObserver(&recorder);
  EXPECT_THROW(channel_.PlayCue(), Error);
  EXPECT_THROW(channel_.LoadCue(".\\SOUND\\START.WAV"), Error);
  channel_.LoadCue(".\\SOUND\\LONG.WAV");
  channel_.PlayCue();
  channel_.StopChannel();
  channel_.RewindChannel();
  EXPECT_EQ(recorder.Since(0),
            (std::vector<std::string>{"PlayCue MPlayer_Test", "LoadCue MPlayer_Test START.WAV",
                                      "LoadCue MPlayer_Test LONG.WAV", "PlayCue MPlayer_Test",
                                      "StopChannel MPlayer_Test", "RewindChannel MPlayer_Test"}));
}

// The silent output keeps its count of frames right up to the latest moment the clock carries,
// where ms x 48000 would no longer fit in 64 bits.
TEST_F(ChannelTest, PositionsStayExactUpToTheLatestMoment) {
  for (const std::int64_t start : {std::int64_t{200'000'000'000'000}, kLatestMs - 1000}) {
    At(start);
    channel_.LoadCue(".\\SOUND\\LONG.WAV");
    channel_.PlayCue();
    At(start + 250);
    EXPECT_TRUE(channel_.Playing()) << start;
    EXPECT_EQ(channel_.PositionFrames(), Frames(250)) << start;
    At(start + 500);
    EXPECT_FALSE(channel_.Playing()) << start;
    EXPECT_EQ(channel_.PositionFrames(), Frames(500)) << start;
  }
}

}  // namespace
}  // namespace floemark::sound
