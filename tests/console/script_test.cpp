// The replay script reader: what it accepts, what it refuses and where, and that no input,
// however broken, makes the reader or the replay fall over.
#include "console/script.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "console/replay.h"

namespace floemark::console {
namespace {

ParseError Refusal(std::string_view text) {
  const ParseResult r = ParseScript(text);
  EXPECT_FALSE(r.script.has_value()) << text.substr(0, 200);
  return r.error.value_or(ParseError{0, "accepted"});
}

TEST(ScriptTest, ReadsEveryCommandWithCommentsBlankLinesAndCarriageReturns) {
  const ParseResult r = ParseScript(
      "# a game\r\n"
      "clock 23:59:59.999\r\n"
      "\r\n"
      "0 click power   # on\n"
      "00500\tdown\tSHIFT\n"
      "500 up 16\n"
      "700 down 65535\n"
      "700 click select\n"
      "900 click sound\n"
      "1000 down LEFT\n1000 up RIGHT\n1000 down Z\n1000 down C\n1000 up CTRL\n"
      "60000 end");
  ASSERT_TRUE(r.script) << r.error->message;
  EXPECT_EQ(r.script->clockMs, 86'399'999);
  const std::vector<Command> c(r.script->commands.begin(), r.script->commands.end());
  ASSERT_EQ(c.size(), 12u);
  EXPECT_EQ(c[0].kind, Command::Click);
  EXPECT_EQ(c[0].button, Button::Power);
  EXPECT_EQ(c[1].kind, Command::KeyDown);
  EXPECT_EQ(c[1].timeMs, 500);
  EXPECT_EQ(c[1].key, 16);
  EXPECT_EQ(c[2].kind, Command::KeyUp);
  EXPECT_EQ(c[3].key, 65535);
  EXPECT_EQ(c[4].button, Button::Select);
  EXPECT_EQ(c[5].button, Button::Sound);
  EXPECT_EQ(c[6].key, 37);
  EXPECT_EQ(c[7].key, 39);
  EXPECT_EQ(c[8].key, 90);
  EXPECT_EQ(c[9].key, 67);
  EXPECT_EQ(c[10].key, 17);
  EXPECT_EQ(c[11].kind, Command::End);
  EXPECT_EQ(c[11].timeMs, 60000);
}

TEST(ScriptTest, RefusesAndNamesTheLine) {
  struct Case {
    const char* text;
    int line;
  };
  const Case cases[] = {
      {"0 end\n1 end\n", 2},             // nothing after end
      {"0 click power\n", 1},            // no end: the last line
      {"0 click power\n\n# done\n", 3},  // no end: the last line, even a comment
      {"", 1},                           // empty script
      {"5 down SHIFT\n4 end\n", 2},      // time goes back
      {"0 down shift\n1 end\n", 1},      // key names are upper case
      {"0 DOWN SHIFT\n1 end\n", 1},      // commands are lower case
      {"0 click Power\n1 end\n", 1},     // buttons are lower case
      {"0 down 65536\n1 end\n", 1},      // key code out of range
      {"0 down -1\n1 end\n", 1},
      {"0 down\n1 end\n", 1},             // missing key
      {"0 down SHIFT CTRL\n1 end\n", 1},  // a word too many
      {"0 end now\n", 1},
      {"-1 end\n", 1},  // negative time
      {"1.5 end\n", 1},
      {"99999999999999999999999 end\n", 1},  // beyond any clock
      {"0\n1 end\n", 1},                     // time without a command
      {"0 jump\n1 end\n", 1},
      {"0 click power\nclock 12:00:00.000\n1 end\n", 2},  // clock after a timed line
      {"clock 12:00:00.000\nclock 12:00:00.000\n1 end\n", 2},
      {"clock 24:00:00.000\n1 end\n", 1},
      {"clock 12:60:00.000\n1 end\n", 1},
      {"clock 12:00:00.00\n1 end\n", 1},
      {"clock 12:00:00\n1 end\n", 1},
      {"clock\n1 end\n", 1},
      {"0 end\r\r\n", 1},  // one carriage return only
      {"0\x0b"
       "end\n",
       1},  // only spaces and tabs separate words
  };
  for (const Case& c : cases) {
    const ParseError e = Refusal(c.text);
    EXPECT_EQ(e.line, c.line) << c.text << " -> " << e.message;
    EXPECT_FALSE(e.message.empty());
  }
}

TEST(ScriptTest, MessagesSayWhatIsWrong) {
  EXPECT_EQ(Refusal("0 click power\n").message, "the script has no end");
  EXPECT_EQ(Refusal("0 down Q\n1 end\n").message, "unknown key \"Q\"");
  EXPECT_EQ(Refusal("0 click reset\n1 end\n").message, "unknown button \"reset\"");
  EXPECT_EQ(Refusal("0 fly\n1 end\n").message, "unknown command \"fly\"");
  EXPECT_EQ(Refusal("0 end\n1 end\n").message, "nothing may follow end");
  EXPECT_EQ(Refusal("9 end\n1 end\n").message, "nothing may follow end");
  EXPECT_EQ(Refusal("9 click power\n1 end\n").message,
            "time 1 is before the time 9 of the line before");
  // Bytes that can't be shown are escaped, so the message stays one printable line.
  EXPECT_EQ(Refusal("0 down \x01\xff\n1 end\n").message, "unknown key \"\\x01\\xff\"");
}

// Random bytes, and valid scripts with random damage: the reader either refuses with a line
// inside the script or accepts, and whatever it accepts replays to the end.
TEST(ScriptTest, NeverFallsOverOnRandomInput) {
  std::mt19937 rng(20261208);
  const std::string words[] = {"0",     "15",   "400",  "down",  "up",     "click", "end",
                               "SHIFT", "CTRL", "LEFT", "power", "select", "sound", "clock",
                               "#",     "\t",   " ",    "\n",    "\r",     "90",    "7000"};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 60);
    for (int i = 0; i < n; ++i) {
      if (round % 2)
        text += static_cast<char>(rng() % 256);
      else
        text += words[rng() % std::size(words)] + (rng() % 3 ? " " : "");
    }
    if (round % 4 == 0) text += "\n5000 end\n";
    const ParseResult r = ParseScript(text);
    ASSERT_NE(r.script.has_value(), r.error.has_value());
    if (r.error) {
      ASSERT_GE(r.error->line, 1);
      ASSERT_LE(r.error->line, static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1);
      continue;
    }
    std::size_t bytes = 0;
    Replay(*r.script, [&](const std::string& piece) { bytes += piece.size(); });
    EXPECT_GT(bytes, 0u);
  }
}

// Well-formed random games, with power and sound flipped at random moments: every one replays.
TEST(ScriptTest, RandomGamesReplayToTheirEnd) {
  std::mt19937 rng(7);
  const char* events[] = {"down SHIFT",  "up SHIFT",     "down CTRL",   "up CTRL",   "down Z",
                          "up Z",        "down C",       "up C",        "down LEFT", "up RIGHT",
                          "click power", "click select", "click sound", "down 13"};
  for (int round = 0; round < 40; ++round) {
    std::string text = "clock 10:00:0" + std::to_string(round % 10) + ".000\n0 click power\n";
    std::int64_t t = 0;
    for (int i = 0; i < 200; ++i) {
      t += rng() % 700;
      text += std::to_string(t) + " " + events[rng() % std::size(events)] + "\n";
    }
    text += std::to_string(t + 5000) + " end\n";
    const ParseResult r = ParseScript(text);
    ASSERT_TRUE(r.script) << r.error->message;
    std::string trace;
    Replay(*r.script, [&](const std::string& piece) { trace += piece; });
    EXPECT_EQ(trace.rfind("0 FormCreate\n", 0), 0u);
  }
}

// The reader takes a script in pieces of any size, as a file or a pipe delivers it: split
// anywhere, the result is the same as read whole.
TEST(ScriptTest, PiecesOfAnySizeReadAsTheWhole) {
  const std::string texts[] = {
      "# a game\r\nclock 23:59:59.999\r\n\r\n0 click power   # on\n00500\tdown\tSHIFT\n"
      "500 up 16\n700 down 65535\n\n\n900 click sound\n1000 down LEFT\n60000 end",
      "0 click power\n\n\n5 down SHIFT\n4 end\n",
      "0 click power\n\n# done\n",
      "\n\n\n0 end\n\n1 end\n",
  };
  auto Describe = [](const ParseResult& r) {
    if (r.error) return "line " + std::to_string(r.error->line) + ": " + r.error->message;
    std::string out = std::to_string(r.script->clockMs);
    for (const Command& c : r.script->commands) {
      out += " " + std::to_string(c.kind) + "/" + std::to_string(c.timeMs) + "/" +
             std::to_string(c.key) + "/" + std::to_string(static_cast<int>(c.button));
    }
    return out;
  };
  for (const std::string& text : texts) {
    const std::string whole = Describe(ParseScript(text));
    for (std::size_t size = 1; size <= text.size(); ++size) {
      ScriptReader reader;
      for (std::size_t at = 0; at < text.size(); at += size)
        reader.Feed(std::string_view(text).substr(at, size));
      EXPECT_EQ(Describe(reader.Finish()), whole) << "pieces of " << size;
    }
  }
}

TEST(ScriptTest, TimesRunToWhatTheClockCarries) {
  const std::string latest = std::to_string(kLatestScriptMs);
  const ParseResult r =
      ParseScript("0 click power\n" + latest + " click power\n" + latest + " end\n");
  ASSERT_TRUE(r.script) << r.error->message;
  // The silent output is brought up to the latest moment when the power goes off.
  std::string trace;
  Replay(*r.script, [&](const std::string& piece) { trace += piece; });
  EXPECT_NE(trace.find(latest + " Puls_PowerClick\n  sound StopChannel MPlayer_Music\n"),
            std::string::npos);

  const std::string later = std::to_string(kLatestScriptMs + 1);
  EXPECT_EQ(Refusal(later + " end\n").message,
            "time \"" + later + "\" is too large (the latest is " + latest + " ms)");
}

TEST(ScriptTest, RefusesLinesLongerThanTheLimit) {
  const std::string longest = "0 end #" + std::string(kMaxLineBytes - 7, '-');
  EXPECT_TRUE(ParseScript("# a comment\n" + longest + "\n").script);
  const ParseError e = Refusal("# a comment\n" + longest + "-\n");
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.message, "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes");
  // And a script without any line break at all is not held whole.
  ScriptReader reader;
  const std::string piece(1000, 'x');
  for (int i = 0; i < 100 && !reader.Refused(); ++i) reader.Feed(piece);
  EXPECT_TRUE(reader.Refused());
  EXPECT_EQ(reader.Finish().error->line, 1);
}

// Past 2^31 lines the line number still counts on. The text is 2^31 line breaks and a bad line:
// 32 mappings of the same 64 MiB of line breaks, so it costs 64 MiB of memory, not 2 GiB.
TEST(ScriptTest, LineNumbersPastTwoToThe31) {
  constexpr std::size_t kBlock = std::size_t{64} << 20;
  constexpr std::size_t kBreaks = std::size_t{1} << 31;
  const long page = sysconf(_SC_PAGESIZE);
  const int fd = memfd_create("line-breaks", 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, kBlock), 0);
  void* block = mmap(nullptr, kBlock, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  ASSERT_NE(block, MAP_FAILED);
  std::memset(block, '\n', kBlock);
  munmap(block, kBlock);
  const std::size_t size = kBreaks + static_cast<std::size_t>(page);
  auto* text =
      static_cast<char*>(mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(text, MAP_FAILED);
  for (std::size_t at = 0; at < kBreaks; at += kBlock) {
    ASSERT_NE(mmap(text + at, kBlock, PROT_READ, MAP_SHARED | MAP_FIXED, fd, 0), MAP_FAILED);
  }
  ASSERT_NE(mmap(text + kBreaks, static_cast<std::size_t>(page), PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0),
            MAP_FAILED);
  std::memcpy(text + kBreaks, "bad\n", 4);
  const ParseError e = Refusal(std::string_view(text, kBreaks + 4));
  munmap(text, size);
  close(fd);
  EXPECT_EQ(e.line, std::int64_t{2'147'483'649});
  EXPECT_EQ(e.message, "expected a time in ms or clock, found \"bad\"");
}

}  // namespace
}  // namespace floemark::console
