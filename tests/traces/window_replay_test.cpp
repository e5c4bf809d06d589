// A game played the way the window plays it, its inputs arriving at moments of the platform's
// clock on either side of the game's ticks, is the game floemark-trace replays from the
// recording of its stamped inputs: the same trace, handler for handler.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/logical_clock.h"
#include "game/form1.h"
#include "game/keys.h"
#include "sound/null_output.h"
#include "support/scratch_dir.h"
#include "tools/trace/recorder.h"
#include "tools/trace/replay.h"
#include "tools/trace/script.h"

namespace floemark::trace {
namespace {

constexpr std::int64_t kAfternoon = 15 * 3'600'000 + 17 * 60'000 + 3'141;

class Window {
 public:
  Window() : clock_(kAfternoon), audio_(clock_), form_(clock_, clock_, audio_), rec_(form_) {
    recording_ = FormatClock(kAfternoon) + "\n";
    rec_.Run(
        0, "FormCreate", [&] { form_.FormCreate(); }, trace_);
  }

  // The input the platform hands over when its clock reads realMs.
  void Input(std::int64_t realMs, Command c) {
    c.timeMs = clock_.StampInput(realMs, fire_);
    if (c.timeMs == clock_.LastFired() + 1) ++justAfterTicks_;
    recording_ += FormatCommand(c) + "\n";
    rec_.Run(
        c.timeMs, HandlerName(c), [&] { RunOn(form_, c); }, trace_);
  }
  void Key(std::int64_t realMs, std::uint16_t key) {
    Command down{Command::KeyDown, 0};
    down.key = key;
    Input(realMs, down);
    Command up{Command::KeyUp, 0};
    up.key = key;
    Input(realMs, up);
  }
  void Click(std::int64_t realMs, Button b) {
    Command click{Command::Click, 0};
    click.button = b;
    Input(realMs, click);
  }
  void WakeUp(std::int64_t realMs) { clock_.CatchUp(realMs, fire_); }
  // The program ends: the end line, at the moment the clock stands at.
  void End() {
    const std::int64_t t = clock_.Now();
    clock_.CatchUp(t, fire_);
    recording_ += FormatCommand(Command{Command::End, t}) + "\n";
  }

  std::int64_t NextTick() const { return *clock_.NextDue(); }
  const std::string& Recording() const { return recording_; }
  const std::string& Trace() const { return trace_; }
  int JustAfterTicks() const { return justAfterTicks_; }

 private:
  LogicalClock clock_;
  sound::NullOutput audio_;
  TForm1 form_;
  Recorder rec_;
  std::string recording_, trace_;
  int justAfterTicks_ = 0;
  VirtualClock::FireFn fire_ = [this](TimerId id) {
    rec_.Run(
        clock_.Now(), TimerHandler(id), [&] { form_.OnTimer(id); }, trace_);
  };
};

std::string Replayed(const std::string& recording) {
  const ParseResult parsed = ParseScript(recording);
  EXPECT_TRUE(parsed.script) << parsed.error->message;
  std::string trace;
  if (parsed.script) Replay(*parsed.script, [&](const std::string& piece) { trace += piece; });
  return trace;
}

TEST(WindowReplayTest, InputsJustBeforeAndJustAfterTicksReplayAsTheyWereHandled) {
  testing::ScratchDir dir(testing::kAllCues);
  Window window;
  window.Click(0, Button::Power);
  window.Key(500, vk::Shift);  // the game starts
  std::mt19937 random(11);
  const std::uint16_t keys[] = {vk::Z, vk::C, vk::Shift, vk::Left, vk::Right, vk::Ctrl};
  for (int i = 0; i < 400; ++i) {
    const std::int64_t tick = window.NextTick();
    const std::uint16_t key = keys[random() % 6];
    switch (random() % 3) {
      case 0:  // handed over a millisecond before the tick
        window.Key(tick - 1, key);
        break;
      case 1:  // at the tick's millisecond, before its wake-up came
        window.Key(tick, key);
        break;
      default:  // the wake-up came first, then the input, in the same millisecond
        window.WakeUp(tick);
        window.Key(tick, key);
        break;
    }
    if (i == 200) window.Click(tick, Button::Sound);
  }
  window.WakeUp(window.NextTick() + 5000);
  window.End();
  EXPECT_GT(window.JustAfterTicks(), 100);  // the edge this is about did occur, often
  EXPECT_EQ(Replayed(window.Recording()), window.Trace());
}

}  // namespace
}  // namespace floemark::trace
