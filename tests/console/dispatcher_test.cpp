// The dispatcher: an error ends the handler, is reported, and the console goes on; a watcher
// sees each handler's moment, name and error.
#include "console/dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"

namespace floemark::console {
namespace {

struct Log {
  std::vector<std::string> lines;
  Dispatcher Make() {
    return Dispatcher(
        {.afterEach = [this] { lines.push_back("repaint"); },
         .report = [this](const std::string& text) { lines.push_back("report " + text); }});
  }
};

TEST(Dispatcher, ErrorEndsTheHandlerIsReportedAndTheProgramGoesOn) {
  Log r;
  Dispatcher d = r.Make();
  int steps = 0;
  EXPECT_FALSE(d.Run([&] {
    ++steps;
    throw Error("The sound file ./SOUND/START.WAV does not exist");
    ++steps;  // never reached
  }));
  EXPECT_EQ(steps, 1);
  // What the handler changed is repainted before the box, and nothing is undone.
  EXPECT_EQ(r.lines, (std::vector<std::string>{
                         "repaint", "report The sound file ./SOUND/START.WAV does not exist."}));
  r.lines.clear();
  EXPECT_TRUE(d.Run([&] { ++steps; }));
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(r.lines, (std::vector<std::string>{"repaint"}));
}

TEST(Dispatcher, ReportFollowsTheFullStopRule) {
  Log r;
  Dispatcher d = r.Make();
  const std::pair<const char*, const char*> cases[] = {
      {"Ends in a stop.", "Ends in a stop."},
      {"Ends in a bang!", "Ends in a bang!"},  // '!' sorts before '.'
      {"Ends in a space ", "Ends in a space "},
      {"Ends in a", "Ends in a."},
      {"", "."},
      {"Ends in a slash/", "Ends in a slash/."},  // '/' sorts after '.'
  };
  for (const auto& [text, shown] : cases) {
    r.lines.clear();
    d.Run([&] { throw Error(text); });
    ASSERT_EQ(r.lines.size(), 2u) << text;
    EXPECT_EQ(r.lines[1], std::string("report ") + shown) << "text: \"" << text << '"';
  }
}

struct Watcher : HandlerWatcher {
  std::vector<std::string> seen;
  void Begin(std::int64_t t, const HandlerCall& call) override {
    seen.push_back(std::to_string(t) + " " + HandlerName(call));
  }
  void End(const std::string* error) override {
    seen.push_back(error ? "error " + *error : "done");
  }
};

TEST(Dispatcher, TheWatcherSeesEachHandlerWithItsMomentNameAndError) {
  Log r;
  Dispatcher d = r.Make();
  Watcher w;
  d.SetWatcher(&w);
  HandlerCall tick{HandlerCall::Tick, TimerId::TimerGioco};
  HandlerCall key{HandlerCall::Input};
  key.command = Command{Command::KeyDown, 40, 90};
  HandlerCall click{HandlerCall::Input};
  click.command = Command{Command::Click, 50};
  click.command.button = Button::Sound;
  EXPECT_TRUE(d.Run(0, HandlerCall{HandlerCall::FormCreate}, [] {}));
  EXPECT_TRUE(d.Run(30, tick, [] {}));
  EXPECT_FALSE(d.Run(40, key, [] { throw Error("No MCI device open"); }));
  EXPECT_TRUE(d.Run(50, click, [] {}));
  EXPECT_EQ(w.seen, (std::vector<std::string>{"0 FormCreate", "done", "30 TimerGiocoTimer", "done",
                                              "40 FormKeyDown 90", "error No MCI device open.",
                                              "50 Puls_SoundClick", "done"}));
  // The front end is told after the watcher, and the error reported once, as without one.
  EXPECT_EQ(r.lines, (std::vector<std::string>{"repaint", "repaint", "repaint",
                                               "report No MCI device open.", "repaint"}));
}

}  // namespace
}  // namespace floemark::console
