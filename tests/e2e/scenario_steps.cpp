// Keys at a person's pace move the players exactly as many steps as were pressed: each press of
// a step key moves its player by one position, or not at all at a limit, and a key held past the
// keyboard's auto-repeat delay (660 ms) still gives one step. Two people play, so that both
// players' keys are pressed; each press is checked against the limits as the LCD shows them.
#include <random>
#include <vector>

#include "scenario.h"

namespace floemark::e2e {

using namespace panel;

namespace {

// A bomb at the player's feet in its own lane is held: the inner limits apply.
bool Holding(const Lcd& lcd, int player) {
  const int pos = lcd.Position(player);
  return pos >= 2 && pos <= 4 && lcd.Shown(Tables().BombSegments[pos][player == 1 ? 1 : 10]);
}

int Expected(int pos, int dir, bool holding) {
  const bool outer = dir < 0 ? pos > 1 : pos < 5;
  const bool inner = dir < 0 ? pos > 2 : pos < 4;
  return outer && (!holding || inner) ? pos + dir : pos;
}

struct Tally {
  int presses = 0, conclusive = 0, steps = 0, at_limit = 0, long_holds = 0, spoiled = 0;
};

}  // namespace

int ScenarioSteps(Context& ctx) {
  ctx.person.Click(144 + 14, 320 + 14);  // two people
  PowerOn(ctx);
  const auto pressed = StartGame(ctx, 1);
  while (MsSince(pressed) < 3500) SleepMs(20);

  std::mt19937 random(20261208);
  auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  Tally tally;
  while (tally.presses < 48) {
    Grab(ctx);
    if (ctx.lcd.Exploded() || ctx.lcd.Position(1) <= 0 || ctx.lcd.Position(2) <= 0) {
      // An explosion freezes play and puts the players back at their start; wait for the restart.
      if (!WaitFor(ctx, 6000, [&] {
            return !ctx.lcd.Exploded() && ctx.lcd.Position(1) > 0 && ctx.lcd.Position(2) > 0;
          }))
        Fail(ctx, "play did not restart after an explosion");
      if (ctx.lcd.Score(1, 1) == 0 || ctx.lcd.Score(1, 2) == 0) break;
      SleepMs(between(120, 400));
      continue;
    }
    const int player = between(1, 2);
    const int dir = between(0, 1) ? 1 : -1;
    const unsigned long key = dir < 0 ? kKeys[player].to_supply : kKeys[player].to_ladder;
    const int before = ctx.lcd.Position(player);
    const bool holding = Holding(ctx.lcd, player);
    const int want = Expected(before, dir, holding);
    const bool long_hold = tally.presses % 5 == 2;
    const int hold = long_hold ? between(800, 1100) : between(50, 150);
    ++tally.presses;

    std::vector<int> seen;
    bool spoiled = false;
    const auto down = Clock::now();
    ctx.person.Down(key);
    while (MsSince(down) < hold) {
      SleepMs(15);
      Grab(ctx);
      seen.push_back(ctx.lcd.Position(player));
      spoiled |= ctx.lcd.Exploded();
    }
    ctx.person.Up(key);
    // The step shows at once; a loaded machine may repaint it late, so look a while longer.
    const auto up = Clock::now();
    while (MsSince(up) < 150 || (seen.back() != want && MsSince(up) < 600)) {
      SleepMs(15);
      Grab(ctx);
      seen.push_back(ctx.lcd.Position(player));
      spoiled |= ctx.lcd.Exploded();
    }
    spoiled |= Holding(ctx.lcd, player) != holding;  // a bomb rolled onto the feet meanwhile
    // The positions seen: the old one until the step shows, then the new one to the end.
    bool good = seen.back() == want;
    bool moved = false;
    for (int p : seen) {
      if (p == want && want != before)
        moved = true;
      else if (p != before || moved)
        good = false;
    }
    if (!good && spoiled) {
      ++tally.spoiled;
    } else if (!good) {
      std::string trail;
      for (int p : seen) trail += std::to_string(p) + " ";
      Fail(ctx, "player " + std::to_string(player) + " at " + std::to_string(before) +
                    (holding ? " holding a bomb" : "") + ", step " + std::to_string(dir) +
                    " held " + std::to_string(hold) + " ms: want " + std::to_string(want) +
                    ", positions seen " + trail);
    } else {
      ++tally.conclusive;
      tally.steps += want != before;
      tally.at_limit += want == before;
      tally.long_holds += long_hold;
    }
    SleepMs(between(120, 400));
  }
  std::printf(
      "ok: %d presses, %d checked (%d steps, %d at a limit, %d held past auto-repeat), %d "
      "cut by an explosion\n",
      tally.presses, tally.conclusive, tally.steps, tally.at_limit, tally.long_holds,
      tally.spoiled);
  if (tally.conclusive < 30 || tally.steps < 10 || tally.at_limit < 2 || tally.long_holds < 4)
    Fail(ctx, "too few presses could be checked");
  Note("every press moved its player exactly one step, or none at a limit");
  return 0;
}

}  // namespace floemark::e2e
