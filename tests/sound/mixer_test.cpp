// The mixer on its own: saturating sums, and the game thread's commands racing a puller on
// another thread, as SDL's audio callback does.
#include "sound/mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace floemark::sound {
namespace {

std::unique_ptr<const Pcm> Constant(std::int16_t value, int frames) {
  auto pcm = std::make_unique<Pcm>();
  pcm->samples.assign(static_cast<std::size_t>(frames), value);
  return pcm;
}

std::unique_ptr<const Pcm> Counting(int frames) {
  auto pcm = std::make_unique<Pcm>();
  for (int i = 0; i < frames; ++i) pcm->samples.push_back(static_cast<std::int16_t>(1 + i % 30000));
  return pcm;
}

TEST(MixerTest, SumsTheSlotsAndSaturatesInsteadOfWrapping) {
  Mixer mixer;
  mixer.SetSound(0, Constant(20000, 100));
  mixer.SetSound(1, Constant(20000, 50));
  mixer.SetSound(2, Constant(-30000, 100));
  mixer.SetSound(3, Constant(-30000, 100));
  mixer.Start(0);
  mixer.Start(1);
  std::vector<std::int16_t> out(200, 1);
  mixer.Render(out.data(), 30);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[29], 32767);
  mixer.Stop(1);
  mixer.Start(2);
  mixer.Render(out.data(), 10);
  EXPECT_EQ(out[0], -10000);
  mixer.Start(1);
  mixer.Start(3);
  mixer.Render(out.data(), 200);
  EXPECT_EQ(out[0], -20000);   // all four
  EXPECT_EQ(out[19], -20000);  // slot 1 ends after its 50th frame
  EXPECT_EQ(out[20], -32768);  // three: 20000 - 60000, held at the floor
  EXPECT_EQ(out[89], -32768);  // slot 0 ended, 2 and 3 still at the floor
  EXPECT_EQ(out[95], -30000);  // slot 3 alone
  EXPECT_EQ(out[100], 0);      // all ended: silence
  EXPECT_FALSE(mixer.Playing(0));
  EXPECT_EQ(mixer.Position(0), 100);
}

TEST(MixerTest, LongRequestsAreMixedInChunksWithoutLosingFrames) {
  Mixer mixer;
  mixer.SetSound(0, Counting(5000));
  mixer.Start(0);
  std::vector<std::int16_t> out(6000);
  mixer.Render(out.data(), 6000);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(out[i], 1 + i) << i;
  EXPECT_EQ(out[5000], 0);
}

// A puller on its own thread renders without pause while the game thread starts and stops.
// Every frame must leave the mixer once, in order, and a stop must return exactly the number
// of frames that have left or will still leave from pulls already committed.
TEST(MixerTest, StopsRacingThePullerLoseAndRepeatNothing) {
  constexpr int kLength = 2'000'000;
  Mixer mixer;
  mixer.SetSound(0, Counting(kLength));
  std::vector<std::int16_t> heard;
  heard.reserve(kLength);
  std::atomic<bool> quit{false};
  std::atomic<std::uint64_t> pulls{0};
  std::atomic<std::int64_t> heardCount{0};
  std::thread puller([&] {
    std::int16_t buffer[256];
    while (!quit.load()) {
      mixer.Render(buffer, 256);
      for (std::int16_t s : buffer) {
        if (s != 0) heard.push_back(s);
      }
      heardCount.store(static_cast<std::int64_t>(heard.size()));
      pulls.fetch_add(1);
    }
  });
  std::int64_t last = 0;
  for (int round = 0; round < 300 && mixer.Position(0) < kLength; ++round) {
    mixer.Start(0);
    for (int spin = 0; spin < round % 50 * 20; ++spin) std::this_thread::yield();
    const std::int64_t stoppedAt = mixer.Stop(0);
    ASSERT_GE(stoppedAt, last);
    last = stoppedAt;
    // Once the pull under way has finished, what was heard is exactly what the stop reported.
    const std::uint64_t seen = pulls.load();
    while (pulls.load() < seen + 2) std::this_thread::yield();
    ASSERT_EQ(heardCount.load(), stoppedAt);
    ASSERT_EQ(mixer.Position(0), stoppedAt);
  }
  quit.store(true);
  puller.join();
  ASSERT_GT(last, 0);
  for (std::int64_t i = 0; i < last; ++i) ASSERT_EQ(heard[i], 1 + i % 30000) << i;
}

// Sounds replaced under a running puller are freed only when no pull can still read them;
// whatever is heard is one of the sounds that were loaded (run under ASan to see the rest).
TEST(MixerTest, SoundsReplacedUnderARunningPullerAreRetiredSafely) {
  Mixer mixer;
  std::atomic<bool> quit{false};
  std::atomic<int> strange{0};
  std::thread puller([&] {
    std::int16_t buffer[512];
    while (!quit.load()) {
      mixer.Render(buffer, 512);
      for (std::int16_t s : buffer) {
        if (s < 0 || s > 1000) strange.fetch_add(1);
      }
    }
  });
  for (int k = 1; k <= 1000; ++k) {
    mixer.SetSound(k % 4, Constant(static_cast<std::int16_t>(k / 4), 300 + k % 700));
    mixer.Start(k % 4);
  }
  quit.store(true);
  puller.join();
  EXPECT_EQ(strange.load(), 0);
}

}  // namespace
}  // namespace floemark::sound
