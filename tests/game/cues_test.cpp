// The console's sound: FormCreate's four loads, BlockSound and Blocca_MPlayers, on the silent
// output and a virtual clock, with sounds a second long in a scratch working directory, so that
// positions can be checked to the frame.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "console_fixture.h"
#include "sound/mixer.h"
#include "support/wav.h"

namespace floemark::testing {
namespace {

class CuesTest : public ::testing::Test {
 protected:
  void WriteSounds(const std::vector<std::string>& names) {
    for (const std::string& name : names) dir_.Sound(name, WavBytes(Ramp(1000)));
  }
  // No timer runs here: the clock only moves the sounds on.
  void At(std::int64_t ms) {
    clock_.RunThrough(ms, [](TimerId) {});
  }
  // The channel operations logged from here on.
  void LogFromHere() { recorder_.calls.clear(); }
  static void ExpectNoDevice(const std::function<void()>& op) {
    try {
      op();
      ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "No MCI device open");
    }
  }

  ScratchDir dir_;
  Console console_{0, Console::Create::ByTheTest};
  VirtualClock& clock_ = console_.clock;
  sound::NullOutput& output_ = console_.audio;
  TForm1& form_ = console_.f();
  SoundLog& recorder_ = console_.sounds;
};

TEST_F(CuesTest, FormCreateLoadsTheFourChannelsInOrderAndPlaysNothing) {
  WriteSounds({"START.WAV", "TEMPO.WAV", "GOT.WAV", "BLOCK.WAV"});
  LogFromHere();
  form_.FormCreate();
  EXPECT_EQ(recorder_.Since(0),
            (std::vector<std::string>{
                "LoadCue MPlayer_Music START.WAV", "LoadCue MPlayer_Tempo TEMPO.WAV",
                "LoadCue MPlayer_Got GOT.WAV", "LoadCue MPlayer_Block BLOCK.WAV"}));
  EXPECT_TRUE(form_.SoundOn);
  At(500);
  for (sound::SoundChannel* c : form_.Channels) {
    EXPECT_TRUE(c->IsOpen()) << c->Name();
    EXPECT_FALSE(c->Playing()) << c->Name();
  }
}

TEST_F(CuesTest, FormCreateWithoutTheStartJingleLoadsNothingAndLeavesTheSoundOff) {
  WriteSounds({"TEMPO.WAV", "GOT.WAV", "BLOCK.WAV"});
  try {
    form_.FormCreate();
    ADD_FAILURE() << "no error raised";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot load the sound file SOUND/START.WAV: the file does not exist");
    EXPECT_EQ(ReportText(e.what()),
              "Cannot load the sound file SOUND/START.WAV: the file does not exist.");
  }
  for (sound::SoundChannel* c : form_.Channels) EXPECT_FALSE(c->IsOpen()) << c->Name();
  EXPECT_FALSE(form_.SoundOn);
  EXPECT_FALSE(form_.PowerOn);

  // Each later stop of an unloaded channel reports; the handler ends at the first.
  LogFromHere();
  ExpectNoDevice([&] { form_.BlockSound(); });
  EXPECT_EQ(recorder_.Since(0), (std::vector<std::string>{"StopChannel MPlayer_Tempo"}));
  recorder_.calls.clear();
  ExpectNoDevice([&] { form_.Blocca_MPlayers(); });  // what power-off runs
  EXPECT_EQ(recorder_.Since(0), (std::vector<std::string>{"StopChannel MPlayer_Music"}));
}

TEST_F(CuesTest, FormCreateStopsAtTheFirstFileThatFails) {
  WriteSounds({"START.WAV", "TEMPO.WAV", "BLOCK.WAV"});
  EXPECT_THROW(form_.FormCreate(), Error);
  EXPECT_TRUE(form_.MPlayer_Music.IsOpen());
  EXPECT_TRUE(form_.MPlayer_Tempo.IsOpen());
  EXPECT_FALSE(form_.MPlayer_Got.IsOpen());
  EXPECT_FALSE(form_.MPlayer_Block.IsOpen());  // never tried, though its file is there
  EXPECT_FALSE(form_.SoundOn);
}

TEST_F(CuesTest, BloccaMPlayersSilencesAllAndRewindsOnlyTheMusic) {
  WriteSounds({"START.WAV", "TEMPO.WAV", "GOT.WAV", "BLOCK.WAV"});
  form_.FormCreate();
  for (sound::SoundChannel* c : form_.Channels) c->PlayCue();
  At(300);
  LogFromHere();
  form_.Blocca_MPlayers();
  EXPECT_EQ(recorder_.Since(0),
            (std::vector<std::string>{"StopChannel MPlayer_Music", "RewindChannel MPlayer_Music",
                                      "StopChannel MPlayer_Tempo", "StopChannel MPlayer_Got",
                                      "StopChannel MPlayer_Block"}));
  At(700);
  for (sound::SoundChannel* c : form_.Channels) EXPECT_FALSE(c->Playing()) << c->Name();
  EXPECT_EQ(form_.MPlayer_Music.PositionFrames(), 0);
  EXPECT_EQ(form_.MPlayer_Tempo.PositionFrames(), 300 * 48);
  EXPECT_EQ(form_.MPlayer_Got.PositionFrames(), 300 * 48);
  EXPECT_EQ(form_.MPlayer_Block.PositionFrames(), 300 * 48);

  // A jingle stopped this way starts from its beginning; an effect goes on from where it was.
  form_.MPlayer_Music.PlayCue();
  form_.MPlayer_Got.PlayCue();
  At(800);
  EXPECT_EQ(form_.MPlayer_Music.PositionFrames(), 100 * 48);
  EXPECT_EQ(form_.MPlayer_Got.PositionFrames(), 400 * 48);
}

TEST_F(CuesTest, BlockSoundCutsTheTickShortAndPlaysTheBlockOnlyWithTheSoundOn) {
  WriteSounds({"START.WAV", "TEMPO.WAV", "GOT.WAV", "BLOCK.WAV"});
  form_.FormCreate();
  form_.MPlayer_Tempo.PlayCue();
  At(100);
  form_.BlockSound();
  At(250);
  EXPECT_FALSE(form_.MPlayer_Tempo.Playing());
  EXPECT_EQ(form_.MPlayer_Tempo.PositionFrames(), 100 * 48);
  EXPECT_TRUE(form_.MPlayer_Block.Playing());
  EXPECT_EQ(form_.MPlayer_Block.PositionFrames(), 150 * 48);

  form_.MPlayer_Block.StopChannel();
  form_.MPlayer_Tempo.PlayCue();  // the interrupted tick goes on from where it stopped
  form_.SoundOn = false;
  At(300);
  form_.BlockSound();
  At(400);
  EXPECT_FALSE(form_.MPlayer_Tempo.Playing());
  EXPECT_EQ(form_.MPlayer_Tempo.PositionFrames(), 150 * 48);
  EXPECT_FALSE(form_.MPlayer_Block.Playing());
  EXPECT_EQ(form_.MPlayer_Block.PositionFrames(), 150 * 48);
}

TEST_F(CuesTest, DestroyingTheConsoleClosesItsChannels) {
  WriteSounds({"START.WAV", "TEMPO.WAV", "GOT.WAV", "BLOCK.WAV"});
  {
    TForm1 other(clock_, clock_, output_);
    other.FormCreate();
    other.MPlayer_Music.PlayCue();
    EXPECT_TRUE(output_.GetMixer().Playing(0));
  }
  EXPECT_FALSE(output_.GetMixer().Playing(0));
  EXPECT_EQ(output_.GetMixer().Length(0), 0);
}

}  // namespace
}  // namespace floemark::testing
