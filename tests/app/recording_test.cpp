// The window's side of a recorded game: the session on the event loop, and the file a recording
// is kept in and read back from.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/loop/live_session.h"
#include "app/loop/real_clock.h"
#include "app/loop/recording_file.h"
#include "console/replay.h"
#include "console/trace_recorder.h"
#include "sound/null_output.h"
#include "support/scratch_dir.h"

namespace floemark::app {
namespace {

using console::Button;
using console::Command;

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

// The trace up to and including the moment t: the blocks of the handlers that ran by then.
std::string TraceThrough(const std::string& trace, std::int64_t t) {
  std::size_t at = 0;
  while (at < trace.size()) {
    if (trace[at] != ' ' && std::stoll(trace.substr(at)) > t) break;
    at = trace.find('\n', at) + 1;
  }
  return trace.substr(0, at);
}

// A recording played back on the real event loop runs every tick and every input at its own
// moment, inputs before the ticks of theirs, however the loop's wake-ups fall: the trace is
// floemark-trace's, handler for handler.
TEST(LiveSessionTest, ARecordingPlayedOnTheEventLoopIsTheReplayToolsGame) {
  testing::ScratchDir dir(testing::kAllCues);
  const char* kScript =
      "clock 09:30:00.250\n"
      "7 click power\n"
      "300 down SHIFT\n"
      "320 up SHIFT\n"
      "720 down C\n"
      "800 up C\n"
      "1000 down 65\n"
      "1200 end\n";
  const console::ParseResult parsed = console::ParseScript(kScript);
  ASSERT_TRUE(parsed.script);
  std::string replayed;
  console::Replay(*parsed.script, [&](const std::string& piece) { replayed += piece; });

  RealClock real;
  sound::NullOutput audio(real);
  LiveSession live(
      real, audio, [](const std::string&) {}, parsed.script->clockMs);
  std::string trace;
  console::TraceRecorder recorder(live.Form(), trace);
  live.Session().SetWatcher(&recorder);
  live.PlayBack(parsed.script->commands);
  // The person's keys are nobody's while the recording plays.
  live.Input(console::Command{console::Command::KeyDown, 0, 16});
  PumpUntil([&] { return !live.Session().PlayingBack(); });
  ASSERT_FALSE(live.Session().PlayingBack());
  EXPECT_TRUE(live.Waiting());  // the game's timers go on
  // FormCreate ran before the watcher was there.
  EXPECT_EQ(TraceThrough(trace, 1200), replayed.substr(replayed.find("\n7 Puls_PowerClick") + 1));
}

TEST(RecordingTest, WrittenAsPlayedAndReadBackAsTheReplayToolReadsIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("game.rec");
  RecordingFile writer;
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

  const std::optional<console::Script> back = ReadRecording(path, &error);
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
  RecordingFile writer;
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
