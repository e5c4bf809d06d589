// The stream's life on a device of the test's own, which pulls the mixer from its own thread
// like SDL's, faster than real time: it opens at the cue, closes after the idle time of
// silence, comes back after it was lost (at once for a sound still playing), and without a
// device the sounds run their course silently. The game's cues never wait and are never lost to a
// close.
#include "sdl_audio/stream_keeper.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "support/await.h"
#include "support/clocks.h"

namespace floemark::sound {
namespace {

constexpr int kRate = 48000;

using testing::Await;

std::unique_ptr<const Pcm> Tone(int frames) {
  auto pcm = std::make_unique<Pcm>();
  pcm->samples.assign(static_cast<std::size_t>(frames), 1000);
  return pcm;
}

// What the test sees of its device and sets for it.
struct DeviceState {
  std::atomic<bool> failOpens{false};
  std::atomic<bool> lost{false};
  std::atomic<bool> open{false};
  std::atomic<int> opens{0};
  std::atomic<std::int64_t> pulled{0};          // frames, over every open
  std::atomic<std::int64_t> pulledAtClose{-1};  // frames, at the last close
};

// Pulls 512 frames every pace, and goes on pulling once lost, as SDL does: the sound is then
// heard by nobody.
class TestDevice : public StreamDevice {
 public:
  TestDevice(std::shared_ptr<DeviceState> state, std::chrono::microseconds pace)
      : state_(std::move(state)), pace_(pace) {}
  ~TestDevice() override { EXPECT_FALSE(thread_.joinable()) << "the keeper left it open"; }

  bool Open(Mixer& mixer, std::string& whyNot) override {
    EXPECT_FALSE(state_->open.load()) << "opened twice";
    if (state_->failOpens) {
      whyNot = "no device here";
      return false;
    }
    state_->lost = false;
    state_->open = true;
    ++state_->opens;
    stop_ = false;
    thread_ = std::thread([this, &mixer] {
      std::int16_t buffer[512];
      while (!stop_) {
        mixer.Render(buffer, 512);
        state_->pulled += 512;
        std::this_thread::sleep_for(pace_);
      }
    });
    return true;
  }
  void Close() override {
    stop_ = true;
    thread_.join();
    state_->pulledAtClose = state_->pulled.load();
    state_->open = false;
  }
  bool Lost() override { return state_->lost; }

 private:
  std::shared_ptr<DeviceState> state_;
  std::chrono::microseconds pace_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

testing::SteadyClock realClock;

struct Rig {
  explicit Rig(StreamKeeper::Timing timing,
               std::chrono::microseconds pace = std::chrono::microseconds(500),
               Clock& clock = realClock)
      : state(std::make_shared<DeviceState>()),
        keeper(mixer, std::make_unique<TestDevice>(state, pace), kRate, timing, clock) {}
  void Play(int slot) {
    mixer.Start(slot);
    keeper.Want();
  }
  Mixer mixer;
  std::shared_ptr<DeviceState> state;
  StreamKeeper keeper;
};

TEST(StreamKeeperTest, OpensAtTheCueAndClosesAfterTheIdleTimeOfSilence) {
  testing::ManualClock clock;
  Rig rig({.idleMs = 1000, .checkMs = 5}, std::chrono::microseconds(500), clock);
  rig.mixer.SetSound(0, Tone(kRate * 2));
  rig.mixer.SetSound(1, Tone(kRate / 10));
  EXPECT_FALSE(rig.keeper.StreamOpen());
  rig.mixer.Start(0);
  rig.mixer.Stop(0);  // stops and loads want nothing
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(rig.state->opens, 0);

  rig.Play(0);
  ASSERT_TRUE(Await([&] { return rig.keeper.StreamOpen(); }));
  // A long sound keeps it open: more than the idle time has passed by its end.
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(0); }));
  // The idle time runs on the keeper's clock from its first look without sound.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));  // some looks
  clock.Advance(999);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(rig.keeper.StreamOpen());
  // A sound that begins and ends between two looks is seen: the count starts again, from the
  // first look after the cue (later on a busy machine, never sooner).
  rig.mixer.SetSound(2, Tone(1));
  const std::int64_t cueAt = clock.MonotonicMs();
  rig.Play(2);
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(2); }));
  clock.Advance(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(rig.keeper.StreamOpen());
  ASSERT_TRUE(Await([&] {
    clock.Advance(1);
    return !rig.keeper.StreamOpen();
  }));
  EXPECT_GE(clock.MonotonicMs() - cueAt, 1000);
  EXPECT_EQ(rig.mixer.Position(0), kRate * 2);

  // A cue after the close opens a stream again.
  rig.Play(1);
  ASSERT_TRUE(Await([&] { return rig.mixer.Position(1) == kRate / 10; }));
  EXPECT_EQ(rig.state->opens, 2);
  EXPECT_EQ(rig.keeper.StreamsOpened(), 2);
}

TEST(StreamKeeperTest, ALostDeviceIsReplacedAtOnceWhileASoundPlaysAndElseAtTheNextCue) {
  Rig rig({.idleMs = 60000, .checkMs = 5});
  rig.mixer.SetSound(0, Tone(kRate * 2));
  rig.mixer.SetSound(1, Tone(kRate / 10));
  rig.Play(0);
  ASSERT_TRUE(Await([&] { return rig.mixer.Position(0) > kRate / 2; }));
  rig.state->lost = true;
  // The sound goes on from where it was, on the device of the moment.
  ASSERT_TRUE(Await([&] { return rig.state->opens == 2; }));
  EXPECT_FALSE(rig.state->lost);
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(0); }));
  EXPECT_EQ(rig.mixer.Position(0), kRate * 2);
  EXPECT_GT(rig.state->pulled - rig.state->pulledAtClose, 0);

  // Lost with nothing sounding, the device still pulls, and the stream stays...
  rig.state->lost = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(rig.keeper.StreamOpen());
  EXPECT_EQ(rig.state->opens, 2);
  // ...until the next cue, which opens the device of the moment.
  rig.Play(1);
  ASSERT_TRUE(Await([&] { return rig.state->opens == 3; }));
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(1); }));
  EXPECT_EQ(rig.mixer.Position(1), kRate / 10);
  EXPECT_EQ(rig.keeper.StreamsOpened(), 3);
}

// The device went, and a cue came before the keeper's next look: the stream was still taken for
// well, so the cue did not tell the keeper. Its look finds the cue sounding and replaces the
// device for it.
TEST(StreamKeeperTest, ACueBetweenTheLossAndTheKeepersLookIsHeard) {
  Rig rig({.idleMs = 60000, .checkMs = 300});
  rig.mixer.SetSound(0, Tone(kRate / 10));
  rig.mixer.SetSound(1, Tone(kRate * 20));  // about a second at the test device's pace
  rig.Play(0);
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(0); }));
  rig.state->lost = true;
  rig.Play(1);
  ASSERT_TRUE(Await([&] { return rig.state->opens == 2; }));
  EXPECT_TRUE(rig.mixer.Playing(1)) << "the device came back only after the cue had ended";
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(1); }));
  EXPECT_EQ(rig.mixer.Position(1), kRate * 20);
}

TEST(StreamKeeperTest, WithoutADeviceSoundsRunTheirCourseSilentlyAndTheNextCueTriesAgain) {
  Rig rig({.idleMs = 60000, .checkMs = 5});
  rig.state->failOpens = true;
  rig.mixer.SetSound(0, Tone(kRate / 5));  // 200 ms
  rig.mixer.SetSound(1, Tone(kRate / 10));
  ::testing::internal::CaptureStderr();
  const auto started = std::chrono::steady_clock::now();
  rig.Play(0);
  ASSERT_TRUE(Await([&] { return rig.keeper.PlayingSilently(); }));
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(0); }));
  const auto took = std::chrono::steady_clock::now() - started;
  // In real time, as a device would have played it.
  EXPECT_GE(took, std::chrono::milliseconds(195));
  EXPECT_LE(took, std::chrono::milliseconds(400));
  EXPECT_EQ(rig.mixer.Position(0), kRate / 5);
  // Once nothing plays, the keeper stops pulling.
  ASSERT_TRUE(Await([&] { return !rig.keeper.PlayingSilently(); }));
  rig.Play(1);  // fails again, said once only
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(1); }));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("no device here"), std::string::npos) << said;
  EXPECT_EQ(said.find("could not be opened"), said.rfind("could not be opened")) << said;

  rig.state->failOpens = false;
  rig.mixer.Seek(0, 0);
  rig.Play(0);
  ASSERT_TRUE(Await([&] { return rig.keeper.StreamOpen(); }));
  EXPECT_FALSE(rig.keeper.PlayingSilently());
  ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(0); }));
  EXPECT_EQ(rig.state->opens, 1);
}

// A stream closing after every sound, and cues at every moment of the close: each cue must be
// played to its end, none left standing by a stream that closed under it.
TEST(StreamKeeperTest, NoCueIsLostToAStreamClosingAtThatMoment) {
  Rig rig({.idleMs = 0, .checkMs = 0}, std::chrono::microseconds(50));
  rig.mixer.SetSound(0, Tone(256));
  std::mt19937 random(3);
  for (int i = 0; i < 1000; ++i) {
    rig.mixer.Seek(0, 0);
    rig.Play(0);
    ASSERT_TRUE(Await([&] { return !rig.mixer.Playing(0); })) << "cue " << i << " never played";
    ASSERT_EQ(rig.mixer.Position(0), 256);
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 400)(random)));
  }
  // The closes did happen between the cues, many times.
  EXPECT_GT(rig.keeper.StreamsOpened(), 100);
}

}  // namespace
}  // namespace floemark::sound
