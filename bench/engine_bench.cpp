// The engine on the virtual clock: a ten-minute two-player game (keys pressed every 150 ms on
// average, a new game started whenever one ends) should take a few milliseconds of CPU, at
// least 10^5 times faster than real time (the x_real_time counter).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "base/error.h"
#include "base/virtual_clock.h"
#include "game/form1.h"
#include "sound/null_output.h"
#include "sound/sound_file.h"
#include "support/scratch_dir.h"

namespace floemark {
namespace {

void TenMinuteGame(benchmark::State& state) {
  // The committed cues, so every load costs what it costs in the program.
  testing::ScratchDir cues(testing::kAllCues);
  // The copies are new files; like the program's files, they are remembered once settled.
  std::this_thread::sleep_for(std::chrono::milliseconds(sound::kSettleMs + 50));
  constexpr std::int64_t kGameMs = 10 * 60 * 1000;
  constexpr std::uint16_t kKeys[] = {vk::Shift, vk::Z, vk::C, vk::Ctrl, vk::Left, vk::Right};
  std::int64_t handlers = 0;
  for (auto _ : state) {
    VirtualClock clock(12 * 3'600'000);
    sound::NullOutput audio(clock);
    TForm1 form(clock, clock, audio);
    auto guard = [&](auto&& handler) {
      ++handlers;
      try {
        handler();
      } catch (const Error&) {
      }
    };
    const VirtualClock::FireFn fire = [&](TimerId id) { guard([&] { form.OnTimer(id); }); };
    guard([&] { form.FormCreate(); });
    guard([&] { form.Puls_PowerClick(); });
    guard([&] { form.Puls_SelectClick(); });
    std::mt19937 rng(1);
    for (std::int64_t t = 100; t < kGameMs; t += 50 + rng() % 200) {
      const std::uint16_t key = kKeys[rng() % 6];
      clock.RunBefore(t, fire);
      guard([&] { form.FormKeyDown(key); });
      clock.RunBefore(t + 40, fire);
      guard([&] { form.FormKeyUp(key); });
    }
    clock.RunThrough(kGameMs, fire);
    benchmark::DoNotOptimize(form.Score[1]);
  }
  state.counters["virtual_ms"] =
      benchmark::Counter(static_cast<double>(kGameMs) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);  // virtual ms per CPU second
  // Seconds of play per second of CPU: the speed-up over real time, read directly.
  state.counters["x_real_time"] = benchmark::Counter(
      static_cast<double>(kGameMs) / 1000 * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
  state.counters["handlers"] =
      benchmark::Counter(static_cast<double>(handlers), benchmark::Counter::kAvgIterations);
}
BENCHMARK(TenMinuteGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace floemark
