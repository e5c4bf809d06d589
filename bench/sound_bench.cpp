// The sound's costs: the mixer's work per SDL device callback (what the audio thread spends of
// its 10.7 ms), the time from PlayCue to the cue's first frames leaving the mixer for a real
// device, with the stream open and for the cue that opens it, and the load of a jingle. The
// "pulseaudio" cases use the libpulse stream, the "pipewire" cases PipeWire's own; run them
// under bench/with_pulseaudio.sh, with --pipewire for PipeWire.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "base/virtual_clock.h"
#include "sdl_audio/device_output.h"
#include "sound/channel.h"
#include "sound/mixer.h"
#include "sound/sound_file.h"
#include "support/clocks.h"
#include "support/scratch_dir.h"

namespace {

using namespace floemark::sound;

const std::filesystem::path kSoundDir = floemark::testing::CommittedSoundDir();
floemark::testing::SteadyClock realClock;

std::unique_ptr<const Pcm> Tone(int frames) {
  auto pcm = std::make_unique<Pcm>();
  for (int i = 0; i < frames; ++i)
    pcm->samples.push_back(static_cast<std::int16_t>((i % 109) * 90 - 4900));
  return pcm;
}

// One callback's worth (DeviceOutput::kBufferFrames) with 0..4 channels sounding.
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

// From PlayCue on the game thread until the device has mixed the cue's first frames, which it
// hands to the device (SDL as its callback returns, the libpulse stream in its write at once,
// PipeWire's in the cycle that pulls it):
// with the stream open, and for the cue that opens it. On SDL's "dummy" driver, which paces its
// callback like a sound card, and on the libpulse stream when a server runs (else the case is
// skipped); the server's queue and a real card's buffer come on top (the sound test hears
// them: tests/e2e/sound.cpp).
struct Latencies {
  std::vector<double> ms;
  void Report(benchmark::State& state) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
    state.counters["p50_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
    state.counters["worst_ms"] = ms.back();
  }
};

std::unique_ptr<DeviceOutput> OpenDriver(benchmark::State& state, const char* driver,
                                         StreamKeeper::Timing timing) {
  setenv("SDL_AUDIODRIVER", driver, 1);
  std::string whyNot;
  auto output = DeviceOutput::Open(whyNot, realClock,
                                   {"Floemark Simulator benchmark", "", "latency"}, timing);
  unsetenv("SDL_AUDIODRIVER");
  if (!output) state.SkipWithError((std::string("no ") + driver + ": " + whyNot).c_str());
  return output;
}

// One cue from its PlayCue to its first mixed frame; a cue comes at any moment of the device's
// period, not just after a callback.
double TimeOneCue(SoundChannel& tick, std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  std::this_thread::sleep_for(std::chrono::microseconds(seed >> 8 & 0x3FFF));
  const auto start = std::chrono::steady_clock::now();
  tick.PlayCue();
  // Yield rather than spin: on a busy machine a spinning game thread would delay the very
  // audio thread it waits for.
  while (tick.PositionFrames() == 0) std::this_thread::yield();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_PlayCueWhileOpen(benchmark::State& state, const char* driver) {
  auto output = OpenDriver(state, driver, {});
  if (!output) return;
  SoundChannel tick("MPlayer_Tempo", *output, 1);
  tick.LoadCue((kSoundDir / "TEMPO.WAV").string());
  tick.PlayCue();  // opens the stream, which the cues below keep open
  while (!output->Keeper().StreamOpen()) std::this_thread::yield();
  Latencies latencies;
  std::uint32_t seed = 1;
  for (auto _ : state) {
    tick.StopChannel();
    tick.RewindChannel();
    const double took = TimeOneCue(tick, seed);
    state.SetIterationTime(took);
    latencies.ms.push_back(took * 1000);
  }
  latencies.Report(state);
  state.counters["streams_opened"] = output->Keeper().StreamsOpened();
}
BENCHMARK_CAPTURE(BM_PlayCueWhileOpen, dummy, "dummy")
    ->UseManualTime()
    ->Iterations(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlayCueWhileOpen, pulseaudio, "pulseaudio")
    ->UseManualTime()
    ->Iterations(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlayCueWhileOpen, pipewire, "pipewire")
    ->UseManualTime()
    ->Iterations(1000)
    ->Unit(benchmark::kMillisecond);

// Each cue finds the stream closed (after an idle time shortened to 20 ms) and opens it.
void BM_PlayCueOpeningTheStream(benchmark::State& state, const char* driver) {
  auto output = OpenDriver(state, driver, {.idleMs = 20, .checkMs = 5});
  if (!output) return;
  SoundChannel tick("MPlayer_Tempo", *output, 1);
  tick.LoadCue((kSoundDir / "TEMPO.WAV").string());
  Latencies latencies;
  std::uint32_t seed = 7;
  for (auto _ : state) {
    tick.StopChannel();
    tick.RewindChannel();
    while (output->Keeper().StreamOpen()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double took = TimeOneCue(tick, seed);
    state.SetIterationTime(took);
    latencies.ms.push_back(took * 1000);
  }
  latencies.Report(state);
  state.counters["streams_opened"] = output->Keeper().StreamsOpened();
}
BENCHMARK_CAPTURE(BM_PlayCueOpeningTheStream, dummy, "dummy")
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlayCueOpeningTheStream, pulseaudio, "pulseaudio")
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlayCueOpeningTheStream, pipewire, "pipewire")
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

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
  for (auto _ : state) benchmark::DoNotOptimize(LoadSoundFile(path, rate, realClock));
  state.counters["decodes"] = static_cast<double>(SoundsDecoded() - before);
}
BENCHMARK(BM_LoadJingle)->Arg(48000)->Arg(44100)->Unit(benchmark::kMicrosecond);

}  // namespace
