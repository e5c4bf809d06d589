// A long soak: a random script of a million events, many games long, replayed twice, gives the
// same trace both times, and after every handler the game state is one the handheld can be in
// and the LCD shows exactly what the state says.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "console/replay.h"
#include "console/script.h"
#include "game/form1.h"
#include "support/scratch_dir.h"

namespace floemark::console {
namespace {

constexpr int kEvents = 1'000'000;

std::string RandomScript(std::uint32_t seed) {
  std::mt19937 rng(seed);
  const char* keys[] = {"SHIFT", "Z", "C", "CTRL", "LEFT", "RIGHT"};
  std::string text = "clock 09:30:00.000\n0 click power\n";
  std::int64_t t = 0;
  for (int i = 0; i < kEvents; ++i) {
    t += 10 + rng() % 290;
    const std::uint32_t roll = rng() % 100'000;
    std::string event;
    if (roll < 5)
      event = "click power";
    else if (roll < 60)
      event = "click select";
    else if (roll < 90)
      event = "click sound";
    else
      event = std::string(rng() % 2 ? "down " : "up ") + keys[rng() % 6];
    text += std::to_string(t) + " " + event + "\n";
  }
  text += std::to_string(t + 10'000) + " end\n";
  return text;
}

// What the LCD must show while a round is played (or about to be, during the start delay).
std::set<panel::Component> ExpectedInPlay(const TForm1& f) {
  std::set<panel::Component> on;
  auto add = [&](panel::Segment s) {
    if (s != panel::kEmpty) on.insert(s);
  };
  for (int p = 1; p <= 2; ++p) {
    const auto& figure = f.CharSegments[p][f.PlayerPos[p]];
    add(figure[0]);
    if (f.PlayerPos[p] >= 2 && f.PlayerPos[p] <= 4) add(figure[f.ArmTimer[p]->Enabled() ? 2 : 1]);
    if (!f.HandsEmpty[p]) add(f.IceSegments[p][f.IcePos[p]]);
    for (int h = 1; h <= f.LadderHeight[p]; ++h) add(f.LadderSegments[p][h]);
    add(f.WallSegments[p][f.WallLane]);
  }
  add(f.VultureSegments[f.VultureCell][f.VultureLane]);
  for (int b = 1; b <= 2; ++b)
    if (f.BombInPlay[b]) add(f.BombSegments[f.BombLane[b]][f.BombCell[b]]);
  // The supply is its own state; it shows on both screens or on neither.
  if (f.Shown(Im_BlockP1A)) {
    add(Im_BlockP1A);
    add(Im_BlockS5A);
  }
  return on;
}

// The first thing wrong with the state after a handler, or "".
std::string Broken(const TForm1& f, bool gameSeen) {
  for (int p = 1; p <= 2; ++p) {
    const int pos = f.PlayerPos[p];
    if (gameSeen ? pos < 1 || pos > 5 : pos != 0) return "position " + std::to_string(pos);
    const int held = f.HeldBomb[p];
    if (held < 0 || held > 2) return "held bomb " + std::to_string(held);
    if (held != 0 && (pos < 2 || pos > 4))
      return "player " + std::to_string(p) + " holds a bomb at position " + std::to_string(pos);
    if (f.Score[p] < 0 || f.Score[p] > 15) return "score " + std::to_string(f.Score[p]);
  }
  if (f.HeldBomb[1] != 0 && f.HeldBomb[1] == f.HeldBomb[2]) return "both hold one bomb";

  std::set<panel::Component> shown;
  for (int i = 0; i < panel::kComponentCount; ++i) {
    const auto c = static_cast<panel::Component>(i);
    if (panel::IsLcdSegment(c) && f.Components.Visible(c)) shown.insert(c);
  }
  if (!f.PowerOn) {
    if (!shown.empty()) return std::string(panel::Info(*shown.begin()).name) + " shows, power off";
    return "";
  }
  const bool inPlay = f.GameRunning && !f.Timer_Errore.Enabled() && !f.Timer_Bonus.Enabled() &&
                      !f.Timer_Over.Enabled();
  if (!inPlay) return "";
  if (f.Shown(Im_BlockP1A) != f.Shown(Im_BlockS5A)) return "the supply on one screen only";
  const std::set<panel::Component> want = ExpectedInPlay(f);
  for (panel::Component c : shown)
    if (!want.count(c)) return std::string(panel::Info(c).name) + " shows";
  for (panel::Component c : want) {
    if (shown.count(c)) continue;
    // The vulture's step hides the image its bomb leaves and redraws only that bomb, so a bomb
    // lying at the top of a screen on the same image is hidden until it next moves.
    bool hiddenByVulture = false;
    for (int b = 1; b <= 2; ++b) {
      hiddenByVulture =
          hiddenByVulture || (f.BombInPlay[b] && (f.BombCell[b] == 5 || f.BombCell[b] == 6) &&
                              f.BombSegments[f.BombLane[b]][f.BombCell[b]] == c);
    }
    if (!hiddenByVulture) return std::string(panel::Info(c).name) + " is hidden";
  }
  for (int p = 1; p <= 2; ++p) {
    const int s = f.Score[p];
    const panel::Segment tens = s >= 10 ? f.DigitGlyph[s / 10] : panel::kEmpty;
    const panel::Segment units = f.DigitGlyph[s % 10];
    for (int screen = 1; screen <= 2; ++screen) {
      if (f.Components.Picture(f.ScoreSlots[screen][p][1]) != tens ||
          f.Components.Picture(f.ScoreSlots[screen][p][2]) != units)
        return "the score " + std::to_string(s) + " is drawn otherwise";
    }
  }
  return "";
}

std::uint64_t Fnv1a(std::uint64_t h, const std::string& piece) {
  for (unsigned char c : piece) h = (h ^ c) * 0x100000001b3ull;
  return h;
}

TEST(SoakTest, AMillionRandomEventsReplayAlikeTwiceWithTheStateSoundThroughout) {
  testing::ScratchDir cues(testing::kAllCues);
  const ParseResult parsed = ParseScript(RandomScript(20261208));
  ASSERT_TRUE(parsed.script) << parsed.error->message;

  std::uint64_t handlers = 0, games = 0, played = 0;
  bool gameSeen = false, wasRunning = false;
  int failures = 0;
  const AfterHandler check = [&](std::int64_t t, std::string_view name, const TForm1& f) {
    ++handlers;
    if (f.GameRunning && !wasRunning) ++games;
    wasRunning = f.GameRunning;
    gameSeen = gameSeen || f.GameRunning;
    if (f.GameRunning && f.TimerGioco.Enabled()) ++played;
    if (failures >= 5) return;
    if (const std::string wrong = Broken(f, gameSeen); !wrong.empty()) {
      ADD_FAILURE() << "after " << name << " at " << t << ": " << wrong;
      ++failures;
    }
  };
  std::uint64_t first = 0xcbf29ce484222325ull, second = first, firstBytes = 0, secondBytes = 0;
  Replay(
      *parsed.script,
      [&](const std::string& piece) {
        first = Fnv1a(first, piece);
        firstBytes += piece.size();
      },
      check);
  Replay(*parsed.script, [&](const std::string& piece) {
    second = Fnv1a(second, piece);
    secondBytes += piece.size();
  });
  EXPECT_EQ(firstBytes, secondBytes);
  EXPECT_EQ(first, second);
  // The script did what it is for: many games, most of the time in play.
  EXPECT_GT(games, 100u);
  EXPECT_GT(played, handlers / 3);
  std::printf("soak: %llu handlers, %llu games, %llu trace bytes\n",
              static_cast<unsigned long long>(handlers), static_cast<unsigned long long>(games),
              static_cast<unsigned long long>(firstBytes));
}

}  // namespace
}  // namespace floemark::console
