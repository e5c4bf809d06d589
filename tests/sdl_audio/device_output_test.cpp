// The SDL device: cues played through SDL's "disk" driver land in its output file sample for
// sample where they belong, mixed with one another, in a stream that is open only while sound
// is wanted and that a close and reopen leave exact; a closed stream lets the program sleep;
// and without SDL audio the game runs on the silent output. The driver writes in real time, so each
// step waits for the channels to have moved on rather than for a fixed time.
#include "sdl_audio/device_output.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <thread>
#include <vector>

#include "base/virtual_clock.h"
#include "sound/channel.h"
#include "sound/null_output.h"
#include "sound/sound_file.h"
#include "support/await.h"
#include "support/clocks.h"
#include "support/scratch_dir.h"
#include "support/sound_log.h"
#include "support/wav.h"

namespace floemark::sound {
namespace {

using testing::ScratchDir;

// The keeper reads it on its own thread.
testing::SteadyClock realClock;

using testing::Await;

// One stretch of a sound that has left the mixer: frames [from, to) of pcm.
struct Played {
  const Pcm* pcm;
  std::int64_t from, to;
};

// Finds where each stretch starts in out, in order, and takes it away; what remains must be
// silence. A stretch is found by its first 20 ms, which the test keeps clear of the next one.
std::vector<std::int64_t> Locate(std::vector<std::int32_t>& out,
                                 const std::vector<Played>& played) {
  std::vector<std::int64_t> starts;
  std::int64_t searchFrom = 0;
  for (const Played& p : played) {
    const std::int64_t window = std::min<std::int64_t>(960, p.to - p.from);
    const std::int16_t* s = p.pcm->samples.data() + p.from;
    std::int64_t found = -1;
    for (std::int64_t at = searchFrom; at + window <= static_cast<std::int64_t>(out.size()); ++at) {
      std::int64_t i = 0;
      while (i < window && out[at + i] == s[i]) ++i;
      if (i == window) {
        found = at;
        break;
      }
    }
    starts.push_back(found);
    if (found < 0 || found + (p.to - p.from) > static_cast<std::int64_t>(out.size())) return starts;
    for (std::int64_t i = 0; i < p.to - p.from; ++i) out[found + i] -= s[i];
    searchFrom = found;
  }
  return starts;
}

// What the disk driver wrote: 16-bit samples, little-endian.
std::vector<std::int32_t> ReadDiskFile(const std::filesystem::path& raw) {
  std::ifstream in(raw, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  std::vector<std::int32_t> out(bytes.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                       static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
  }
  return out;
}

// Context switches of every thread of this process but the caller, by thread.
std::map<long, long> OtherThreadsSwitches() {
  std::map<long, long> switches;
  const long self = static_cast<long>(syscall(SYS_gettid));
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    const long tid = std::stol(task.path().filename().string());
    if (tid == self) continue;
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.starts_with("voluntary_ctxt_switches:") ||
          line.starts_with("nonvoluntary_ctxt_switches:")) {
        switches[tid] += std::stol(line.substr(line.find(':') + 1));
      }
    }
  }
  return switches;
}

// How often the other threads woke up during the next ms milliseconds.
long WakeupsDuring(int ms) {
  const std::map<long, long> before = OtherThreadsSwitches();
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  long woke = 0;
  for (const auto& [tid, count] : OtherThreadsSwitches()) {
    const auto was = before.find(tid);
    woke += count - (was == before.end() ? 0 : was->second);
  }
  return woke;
}

TEST(DeviceOutputTest, CuesThroughTheDiskDriverLandWhereTheyBelongMixedNotClipped) {
  ScratchDir dir({"OVER.WAV", "TEMPO.WAV", "GOT.WAV"});
  const std::filesystem::path raw = dir.Root() / "out.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
  std::string whyNot;
  auto output = DeviceOutput::Open(whyNot, realClock, {});
  unsetenv("SDL_AUDIODRIVER");
  ASSERT_TRUE(output) << whyNot;
  EXPECT_EQ(output->DriverName(), "disk");
  // SDL_Init must leave SIGTERM alone, or the program could no longer be terminated.
  struct sigaction term {};
  sigaction(SIGTERM, nullptr, &term);
  EXPECT_EQ(term.sa_handler, SIG_DFL);

  const int rate = output->SampleRate();
  EXPECT_EQ(rate, 48000);
  const auto over = LoadSoundFile("SOUND/OVER.WAV", rate, realClock);
  const auto tempo = LoadSoundFile("SOUND/TEMPO.WAV", rate, realClock);
  const auto got = LoadSoundFile("SOUND/GOT.WAV", rate, realClock);
  const std::int64_t ms100 = rate / 10;
  std::int64_t tempoCalledAt = 0, stoppedAt = 0;
  {
    SoundChannel music("MPlayer_Music", *output, 0), tick("MPlayer_Tempo", *output, 1),
        katch("MPlayer_Got", *output, 3);
    music.LoadCue(".\\SOUND\\OVER.WAV");
    tick.LoadCue(".\\SOUND\\TEMPO.WAV");
    katch.LoadCue(".\\SOUND\\GOT.WAV");

    music.PlayCue();
    ASSERT_TRUE(Await([&] { return music.PositionFrames() >= ms100; }));
    tick.PlayCue();  // over the jingle
    tempoCalledAt = music.PositionFrames();
    ASSERT_TRUE(Await([&] { return music.PositionFrames() >= tempoCalledAt + ms100; }));
    katch.PlayCue();  // over the jingle too
    ASSERT_TRUE(Await([&] { return katch.PositionFrames() >= ms100 / 2; }));
    music.StopChannel();  // the catch sounds on alone
    stoppedAt = music.PositionFrames();
    ASSERT_TRUE(Await([&] { return !katch.Playing(); }));
    ASSERT_TRUE(Await([&] { return !music.Playing(); }));  // an idle moment: nothing sounds
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    music.PlayCue();  // on from where it stopped, to the end
    ASSERT_TRUE(
        Await([&] { return !music.Playing() && music.PositionFrames() == over->Frames(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  EXPECT_EQ(output->Keeper().StreamsOpened(), 1);  // the short silences kept it open
  output.reset();                                  // closes the device: the file is complete

  std::vector<std::int32_t> out = ReadDiskFile(raw);
  int loudest = 0;
  for (std::int32_t sample : out) loudest = std::max(loudest, std::abs(sample));
  EXPECT_LT(loudest, 32767);  // nothing hit the rails

  const std::vector<Played> played = {{over.get(), 0, stoppedAt},
                                      {tempo.get(), 0, tempo->Frames()},
                                      {got.get(), 0, got->Frames()},
                                      {over.get(), stoppedAt, over->Frames()}};
  const std::vector<std::int64_t> at = Locate(out, played);
  ASSERT_EQ(at.size(), 4u);
  for (std::int64_t a : at) ASSERT_GE(a, 0) << "a stretch of sound is missing from the output";
  // The tick starts with the first buffer after PlayCue, give or take two buffers.
  EXPECT_NEAR(static_cast<double>(at[1] - at[0]), static_cast<double>(tempoCalledAt),
              2 * DeviceOutput::kBufferFrames);
  EXPECT_GT(at[3], at[2] + got->Frames());  // the jingle resumed after the catch had ended
  // Taken away, the four stretches leave pure silence: the sounds were summed exactly, the
  // stop cut the jingle at the frame it reported, and the resume repeated nothing.
  std::int64_t stray = 0;
  for (std::int32_t s : out) stray += s != 0;
  EXPECT_EQ(stray, 0);
}

// The stream opens at the first cue and closes after the idle time; a cue after the close opens
// another, and the channels go on from exactly where they were: the jingle stopped half-way
// resumes at its frame, the tick that had played to its end starts again.
TEST(DeviceOutputTest, AStreamOnlyWhileSoundIsWantedWithEveryPositionKeptAcrossTheClose) {
  ScratchDir dir({"OVER.WAV", "TEMPO.WAV"});
  const std::filesystem::path first = dir.Root() / "first.raw", second = dir.Root() / "second.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", first.c_str(), 1);
  std::string whyNot;
  auto output = DeviceOutput::Open(whyNot, realClock, {}, {.idleMs = 300});
  unsetenv("SDL_AUDIODRIVER");
  ASSERT_TRUE(output) << whyNot;
  const StreamKeeper& keeper = output->Keeper();
  const auto over = LoadSoundFile("SOUND/OVER.WAV", 48000, realClock);
  const auto tempo = LoadSoundFile("SOUND/TEMPO.WAV", 48000, realClock);
  constexpr std::int64_t ms100 = 4800;
  std::int64_t stoppedAt = 0, stoppedAgainAt = 0;
  {
    SoundChannel music("MPlayer_Music", *output, 0), tick("MPlayer_Tempo", *output, 1);
    music.LoadCue(".\\SOUND\\OVER.WAV");
    tick.LoadCue(".\\SOUND\\TEMPO.WAV");
    tick.StopChannel();
    music.RewindChannel();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(keeper.StreamOpen()) << "loads, stops and rewinds want no stream";

    music.PlayCue();
    ASSERT_TRUE(Await([&] { return music.PositionFrames() >= ms100; }));
    music.StopChannel();
    stoppedAt = music.PositionFrames();
    tick.PlayCue();
    ASSERT_TRUE(Await([&] { return !tick.Playing(); }));
    const auto silentFrom = std::chrono::steady_clock::now();
    ASSERT_TRUE(Await([&] { return !keeper.StreamOpen(); }));
    // Not before the idle time (less one buffer, by which the tick's end was seen late).
    EXPECT_GE(std::chrono::steady_clock::now() - silentFrom, std::chrono::milliseconds(289));
    EXPECT_EQ(music.PositionFrames(), stoppedAt);
    EXPECT_EQ(tick.PositionFrames(), tempo->Frames());

    setenv("SDL_DISKAUDIOFILE", second.c_str(), 1);  // the disk driver starts its file anew
    music.PlayCue();
    ASSERT_TRUE(Await([&] { return music.PositionFrames() >= stoppedAt + ms100; }));
    tick.PlayCue();
    ASSERT_TRUE(Await([&] { return !tick.Playing(); }));
    music.StopChannel();
    stoppedAgainAt = music.PositionFrames();
    ASSERT_TRUE(Await([&] { return !keeper.StreamOpen(); }));
    EXPECT_EQ(keeper.StreamsOpened(), 2);
  }
  output.reset();

  // Each stream holds its stretches and else pure silence: nothing repeated, nothing lost.
  const struct {
    const std::filesystem::path& raw;
    std::vector<Played> played;
  } streams[] = {
      {first, {{over.get(), 0, stoppedAt}, {tempo.get(), 0, tempo->Frames()}}},
      {second, {{over.get(), stoppedAt, stoppedAgainAt}, {tempo.get(), 0, tempo->Frames()}}}};
  for (const auto& stream : streams) {
    std::vector<std::int32_t> out = ReadDiskFile(stream.raw);
    const std::vector<std::int64_t> at = Locate(out, stream.played);
    ASSERT_EQ(at.size(), 2u);
    for (std::int64_t a : at) ASSERT_GE(a, 0) << "a stretch is missing from " << stream.raw;
    // The cue that opened the stream is in its first buffers.
    EXPECT_LE(at[0], 2 * DeviceOutput::kBufferFrames) << stream.raw;
    std::int64_t stray = 0;
    for (std::int32_t sample : out) stray += sample != 0;
    EXPECT_EQ(stray, 0) << stream.raw;
  }
}

// With its stream closed the sound wakes the program up no more: not SDL, not the keeper.
TEST(DeviceOutputTest, AClosedStreamLeavesTheProgramAsleep) {
  ScratchDir dir({"TEMPO.WAV"});
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::string whyNot;
  auto output = DeviceOutput::Open(whyNot, realClock, {}, {.idleMs = 200});
  unsetenv("SDL_AUDIODRIVER");
  ASSERT_TRUE(output) << whyNot;
  SoundChannel tick("MPlayer_Tempo", *output, 1);
  tick.LoadCue(".\\SOUND\\TEMPO.WAV");
  tick.PlayCue();
  ASSERT_TRUE(Await([&] { return output->Keeper().StreamOpen(); }));
  // The count sees the audio thread at work (some 94 buffers a second)...
  EXPECT_GE(WakeupsDuring(150), 8);
  ASSERT_TRUE(Await([&] { return !output->Keeper().StreamOpen(); }));
  // ...and nothing at all once the stream is closed.
  EXPECT_LE(WakeupsDuring(2000), 2);
}

TEST(DeviceOutputTest, WithoutADeviceTheGameRunsSilentlyAndSaysSoOnce) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  VirtualClock clock;
  ::testing::internal::CaptureStderr();
  auto first = OpenDeviceOrSilent(clock, {});
  auto second = OpenDeviceOrSilent(clock, {});
  const std::string said = ::testing::internal::GetCapturedStderr();
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_NE(dynamic_cast<NullOutput*>(first.get()), nullptr);
  EXPECT_NE(dynamic_cast<NullOutput*>(second.get()), nullptr);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  EXPECT_NE(said.find("playing silently"), std::string::npos) << said;
  EXPECT_EQ(said.find("playing silently"), said.rfind("playing silently"));
}

}  // namespace
}  // namespace floemark::sound
