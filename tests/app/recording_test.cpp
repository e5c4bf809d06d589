// The window's side of a recorded game: its timers on the logical clock, and the file a
// recording is kept in and read back from.
#include "app/recording.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/logical_timers.h"
#include "app/real_clock.h"
#include "base/logical_clock.h"

namespace floemark::app {
namespace {

using trace::Button;
using trace::Command;

std::string Contents(const QString& path) {
  std::ifstream in(path.toStdString());
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void PumpUntil(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 3000) QCoreApplication::processEvents();
}

TEST(LogicalTimersTest, TicksRunAtTheirMomentsAndAPlayedEventBeforeTheTicksOfItsMoment) {
  RealClock real;
  LogicalClock clock;
  LogicalTimers timers(clock, real);
  std::vector<std::string> ran;
  timers.SetHandler([&](TimerId) { ran.push_back("tick " + std::to_string(clock.Now())); });
  std::vector<std::int64_t> events = {7, 20};
  std::size_t next = 0;
  timers.SetPlayback(
      [&]() -> std::optional<std::int64_t> {
        if (next < events.size()) return events[next];
        return std::nullopt;
      },
      [&] {
        ran.push_back("event " + std::to_string(clock.Now()) + " " +
                      std::to_string(events[next++]));
      });
  timers.Restart(TimerId::TimerGioco, 10);
  PumpUntil([&] { return ran.size() >= 5; });
  timers.Stop(TimerId::TimerGioco);
  EXPECT_FALSE(timers.Waiting() && next == events.size());
  ASSERT_GE(ran.size(), 5u);
  // The clock stands at an event's moment when it runs, and the tick due at the same moment
  // runs after it, as in the replay tool.
  EXPECT_EQ(
      std::vector<std::string>(ran.begin(), ran.begin() + 5),
      (std::vector<std::string>{"event 7 7", "tick 10", "event 20 20", "tick 20", "tick 30"}));
}

TEST(RecordingTest, WrittenAsPlayedAndReadBackAsTheReplayToolReadsIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("game.rec");
  RecordingWriter writer;
  QString error;
  ASSERT_TRUE(writer.Open(path, &error)) << qPrintable(error);
  writer.Start(23 * 3'600'000 + 59 * 60'000 + 59'999);
  std::vector<Command> played;
  Command c{Command::Click, 0};
  c.button = Button::Power;
  played.push_back(c);
  std::int64_t t = 500;
  for (std::uint16_t key : {16, 17, 90, 67, 37, 39, 65}) {
    Command down{Command::KeyDown, t}, up{Command::KeyUp, t += 10};
    down.key = up.key = key;
    played.push_back(down);
    played.push_back(up);
  }
  for (Button b : {Button::Select, Button::Sound}) {
    Command click{Command::Click, 700};
    click.button = b;
    played.push_back(click);
  }
  for (const Command& p : played) writer.Add(p);
  // A crash here would leave every line so far in the file, waiting only for its end.
  const std::string sofar = Contents(path);
  EXPECT_NE(sofar.find("clock 23:59:59.999\n"), std::string::npos) << sofar;
  EXPECT_NE(sofar.find("700 click sound\n"), std::string::npos) << sofar;
  EXPECT_EQ(sofar.find("end"), std::string::npos) << sofar;
  writer.End(9000);

  const std::optional<trace::Script> back = ReadRecording(path, &error);
  ASSERT_TRUE(back) << qPrintable(error);
  EXPECT_EQ(back->clockMs, 86'399'999);
  std::vector<Command> read(back->commands.begin(), back->commands.end());
  ASSERT_EQ(read.size(), played.size() + 1);
  for (std::size_t i = 0; i < played.size(); ++i) {
    EXPECT_EQ(read[i].kind, played[i].kind) << i;
    EXPECT_EQ(read[i].timeMs, played[i].timeMs) << i;
    EXPECT_EQ(read[i].key, played[i].key) << i;
    EXPECT_EQ(read[i].button, played[i].button) << i;
  }
  EXPECT_EQ(read.back().kind, Command::End);
  EXPECT_EQ(read.back().timeMs, 9000);
}

TEST(RecordingTest, FilesThatCannotBeWrittenOrReadAreRefusedWithTheirReason) {
  QTemporaryDir dir;
  QString error;
  RecordingWriter writer;
  EXPECT_FALSE(writer.Open(dir.filePath("no/such/folder/game.rec"), &error));
  EXPECT_TRUE(error.contains("cannot write the recording")) << qPrintable(error);
  EXPECT_FALSE(writer.Open(dir.path(), &error));  // a folder

  EXPECT_FALSE(ReadRecording(dir.filePath("missing.rec"), &error));
  EXPECT_TRUE(error.contains("cannot read the recording")) << qPrintable(error);
  EXPECT_FALSE(ReadRecording(dir.path(), &error));
  EXPECT_TRUE(error.contains("cannot read the recording")) << qPrintable(error);

  // Cut short by a crash: no end line, as floemark-trace would say too.
  const QString cut = dir.filePath("cut.rec");
  std::ofstream(cut.toStdString()) << "clock 12:00:00.000\n0 click power\n500 down SHIFT\n";
  EXPECT_FALSE(ReadRecording(cut, &error));
  EXPECT_TRUE(error.contains("line 3: the script has no end")) << qPrintable(error);
}

}  // namespace
}  // namespace floemark::app
