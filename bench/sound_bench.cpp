// The sound's costs: the mixer's work per device callback (what the audio thread spends of
// its 10.7 ms), the time from PlayCue to the cue's first frames leaving the mixer on a real
// SDL device thread, and the load of a jingle.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "base/virtual_clock.h"
#include "sound/channel.h"
#include "sound/device_output.h"
#include "sound/mixer.h"
#include "sound/sound_file.h"
#include "tests/support/scratch_dir.h"

namespace {

using namespace floemark::sound;

const std::filesystem::path kSoundDir = floemark::testing::CommittedSoundDir();

std::unique_ptr<const Pcm> Tone(int frames) {
  auto pcm = std::make_unique<Pcm>();
  for (int i = 0; i < frames; ++i)
    pcm->samples.push_back(static_cast<std::int16_t>((i % 109) * 90 - 4900));
  return pcm;
}

// One callback's worth (512 frames) with 0..4 channels sounding.
void BM_MixerRenderPerCallback(benchmark::State& state) {
  const int sounding = static_cast<int>(state.range(0));
  Mixer mixer;
  constexpr int kLength = 48000 * 10;
  for (int slot = 0; slot < Mixer::kSlots; ++slot) {
    mixer.SetSound(slot, Tone(kLength));
    if (slot < sounding) mixer.Start(slot);
  }
  std::vector<std::int16_t> out(DeviceOutput::kBufferFrames);
  for (auto _ : state) {
    mixer.Render(out.data(), DeviceOutput::kBufferFrames);
    benchmark::DoNotOptimize(out.data());
    if (mixer.Position(0) > kLength - 2048) {
      for (int slot = 0; slot < sounding; ++slot) mixer.Seek(slot, 0);
    }
  }
  state.SetItemsProcessed(state.iterations() * DeviceOutput::kBufferFrames);
}
BENCHMARK(BM_MixerRenderPerCallback)->DenseRange(0, 4);

// From PlayCue on the game thread until the device's callback has mixed the cue's first
// frames. SDL's "dummy" driver paces its callback like a sound card unless SDL_AUDIODRIVER
// names another; a real card adds its own hardware buffer on top.
void BM_PlayCueToFirstSample(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::string whyNot;
  auto output = DeviceOutput::Open(whyNot);
  if (!output) {
    state.SkipWithError(("no audio device: " + whyNot).c_str());
    return;
  }
  SoundChannel tick("MPlayer_Tempo", *output, 1);
  tick.LoadCue((kSoundDir / "TEMPO.WAV").string());
  double worstMs = 0;
  std::uint32_t seed = 1;
  for (auto _ : state) {
    tick.StopChannel();
    tick.RewindChannel();
    // A cue comes at any moment of the device's period, not just after a callback.
    seed = seed * 1664525u + 1013904223u;
    std::this_thread::sleep_for(std::chrono::microseconds(seed >> 8 & 0x3FFF));
    const auto start = std::chrono::steady_clock::now();
    tick.PlayCue();
    // Yield rather than spin: on a busy machine a spinning game thread would delay the very
    // audio thread it waits for.
    while (tick.PositionFrames() == 0) std::this_thread::yield();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    worstMs = std::max(worstMs, took.count() * 1000);
  }
  state.counters["worst_ms"] = worstMs;
  state.counters["buffer_frames"] = output->BufferFrames();
  state.counters["rate_hz"] = output->SampleRate();
}
BENCHMARK(BM_PlayCueToFirstSample)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

// A jingle's load, paid at the moments play is halted (game start, bonus, explosion, game over):
// the first load of a file decodes it (BM_DecodeJingle), a load of the same file unchanged
// copies what was decoded then (BM_LoadJingle).
void BM_DecodeJingle(benchmark::State& state) {
  const std::string path = (kSoundDir / "BONUS.WAV").string();
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  const int rate = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeSound(bytes, rate, path));
}
BENCHMARK(BM_DecodeJingle)->Arg(48000)->Arg(44100)->Unit(benchmark::kMillisecond);

void BM_LoadJingle(benchmark::State& state) {
  const std::string path = (kSoundDir / "BONUS.WAV").string();
  const int rate = static_cast<int>(state.range(0));
  const std::uint64_t before = SoundsDecoded();
  for (auto _ : state) benchmark::DoNotOptimize(LoadSoundFile(path, rate));
  state.counters["decodes"] = static_cast<double>(SoundsDecoded() - before);
}
BENCHMARK(BM_LoadJingle)->Arg(48000)->Arg(44100)->Unit(benchmark::kMicrosecond);

}  // namespace
