// The engine on the virtual clock: a ten-minute two-player game (keys pressed every 150 ms on
// average, a new game started whenever one ends) should take a few milliseconds of CPU.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/error.h"
#include "game/form1.h"
#include "base/virtual_clock.h"
#include "sound/null_output.h"

namespace floemark {
namespace {

// A working directory with the seven cue files as short silent WAVs, so every cue loads.
class CueDir {
 public:
  CueDir() {
    dir_ = std::filesystem::temp_directory_path() / "floemark-bench-sound";
    std::filesystem::create_directories(dir_ / "SOUND");
    for (const char* name : {"START", "TEMPO", "GOT", "BLOCK", "BONUS", "BOMBED", "OVER"}) {
      std::ofstream out(dir_ / "SOUND" / (std::string(name) + ".WAV"), std::ios::binary);
      const unsigned char header[44] = {
          'R', 'I', 'F', 'F', 36 + 200, 0, 0,   0,   'W', 'A',  'V',  'E', 'f', 'm',  't',
          ' ', 16,  0,   0,   0,        1, 0,   1,   0,   0x40, 0x1f, 0,   0,   0x80, 0x3e,
          0,   0,   2,   0,   16,       0, 'd', 'a', 't', 'a',  200,  0,   0,   0};
      out.write(reinterpret_cast<const char*>(header), sizeof header);
      out.write(std::string(200, '\0').data(), 200);
    }
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  ~CueDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(dir_, ec);
  }

 private:
  std::filesystem::path dir_, previous_;
};

void TenMinuteGame(benchmark::State& state) {
  CueDir cues;
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
  state.counters["virtual_ms"] = benchmark::Counter(
      static_cast<double>(kGameMs) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);  // virtual ms per CPU second: /1000 is the speed-up
  state.counters["handlers"] =
      benchmark::Counter(static_cast<double>(handlers), benchmark::Counter::kAvgIterations);
}
BENCHMARK(TenMinuteGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace floemark
