// The session as the front ends drive it: a game played the way the window plays it, its inputs
// arriving at moments of the platform's clock on either side of the game's ticks, is the game
// floemark-trace replays from the recording of its stamped inputs: the same trace, handler for
// handler.
#include "console/session.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "console/replay.h"
#include "console/script.h"
#include "console/trace_recorder.h"
#include "game/keys.h"
#include "support/scratch_dir.h"

namespace floemark::console {
namespace {

constexpr std::int64_t kAfternoon = 15 * 3'600'000 + 17 * 60'000 + 3'141;

// The window's way: the session, inputs handed over at the platform's present, wake-ups when
// the platform gets round to them, the trace written as it goes.
class Window {
 public:
  Window() : session_(kAfternoon, nullptr), recorder_(session_.Form(), trace_) {
    session_.SetWatcher(&recorder_);
    session_.SetInputObserver([this](const Command& c) {
      if (c.timeMs == session_.LastTick() + 1) ++justAfterTicks_;
      recording_ += FormatCommand(c) + "\n";
    });
    recording_ = FormatClock(kAfternoon) + "\n";
    session_.Start();
  }

  // The input the platform hands over when its clock reads realMs.
  void Input(std::int64_t realMs, Command c) { session_.Input(c, realMs); }
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
  void WakeUp(std::int64_t realMs) { session_.CatchUp(realMs); }
  // The program ends: the end line, at the moment the clock stands at.
  void End() {
    recording_ += FormatCommand(Command{Command::End, session_.Finish(session_.Now())}) + "\n";
  }

  std::int64_t NextTick() const { return *session_.NextDue(); }
  const std::string& Recording() const { return recording_; }
  const std::string& Trace() const { return trace_; }
  int JustAfterTicks() const { return justAfterTicks_; }

 private:
  std::string trace_, recording_;
  Session session_;
  TraceRecorder recorder_;
  int justAfterTicks_ = 0;
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

// A recording played back on a session is the replay tool's game whatever the pace of the
// platform's wake-ups; the person's inputs meanwhile are nobody's, and after its end the person
// plays on, stamped after the recording's last moment.
TEST(SessionTest, ARecordingPlayedBackAtAnyPaceIsTheReplayAndThePersonPlaysOnAfterIt) {
  testing::ScratchDir dir(testing::kAllCues);
  std::string script = FormatClock(kAfternoon) + "\n0 click power\n500 down SHIFT\n";
  std::mt19937 random(5);
  const char* keys[] = {"Z", "C", "SHIFT", "LEFT", "RIGHT", "CTRL"};
  std::int64_t t = 600;
  for (int i = 0; i < 300; ++i) {
    t += random() % 120;
    script += std::to_string(t) + (i % 2 ? " up " : " down ") + keys[(i / 2) % 6] + "\n";
  }
  const std::int64_t end = t + 2000;
  script += std::to_string(end) + " end\n";
  const std::string replayed = Replayed(script);

  std::string trace;
  Session session(kAfternoon, nullptr);
  TraceRecorder recorder(session.Form(), trace);
  session.SetWatcher(&recorder);
  std::vector<Command> told;
  session.SetInputObserver([&](const Command& c) { told.push_back(c); });
  session.Start();
  session.PlayBack(ParseScript(script).script->commands);
  Command person{Command::KeyDown, 0, vk::Shift};
  std::int64_t now = 0;
  for (; session.PlayingBack(); now += 1 + random() % 700) {
    session.Input(person, now);
    session.CatchUp(now);
  }
  EXPECT_EQ(trace.substr(0, replayed.size()), replayed);
  EXPECT_EQ(told.size(), 302u);  // the recording's inputs, and none of the person's
  session.Input(person, now + 5);
  ASSERT_EQ(told.size(), 303u);
  EXPECT_EQ(told.back().timeMs, now + 5);
  EXPECT_EQ(told.back().key, vk::Shift);
}

}  // namespace
}  // namespace floemark::console
