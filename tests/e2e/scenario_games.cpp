// Whole games to game over: one person against the computer, and two people. The people follow
// and throw back bombs for a while, then the penguin keeps out of the rolling lanes so that
// every bomb reaching its end explodes and the game ends in reasonable time.
#include <random>
#include <set>

#include "player.h"

namespace floemark::e2e {

using namespace panel;

namespace {

constexpr int kGameLimitMs = 170000;

// A person's pause between two presses.
void Pause(std::mt19937& random) { SleepMs(std::uniform_int_distribution<int>(130, 260)(random)); }

}  // namespace

int ScenarioOnePlayer(Context& ctx) {
  PowerOn(ctx);
  const auto started = StartGame(ctx, 1);
  std::mt19937 random(5);
  Player penguin(1);
  std::set<int> seal_places;
  bool losing = false;
  PlayToGameOver(ctx, kGameLimitMs, [&] {
    // The seal plays by itself: it leaves its start position to follow the bombs.
    const int seal = ctx.lcd.Position(2);
    if (seal > 0 && !ctx.lcd.Exploded()) seal_places.insert(seal);
    if (!losing && (penguin.throws() >= 3 || MsSince(started) > 35000)) {
      std::printf("ok: the penguin threw %d times in %d steps, now it keeps away\n",
                  penguin.throws(), penguin.steps());
      losing = true;
    }
    penguin.Act(ctx, losing ? Aim::kLose : Aim::kCatch);
    Pause(random);
  });
  if (penguin.throws() < 1) Fail(ctx, "the person never threw a bomb back");
  if (seal_places.size() < 3) Fail(ctx, "the computer did not move the seal");
  std::printf("ok: the computer moved the seal over %zu positions\n", seal_places.size());
  return 0;
}

int ScenarioTwoPlayers(Context& ctx) {
  ctx.person.Click(144 + 14, 320 + 14);  // two people
  PowerOn(ctx);
  const auto started = StartGame(ctx, 1);
  std::mt19937 random(6);
  Player penguin(1), seal(2);
  bool losing = false;
  int sound_clicks = 0;
  PlayToGameOver(ctx, kGameLimitMs, [&] {
    // The sound off for a while and on again: a recording keeps the switch's moments too.
    if (sound_clicks < 2 && MsSince(started) > 8000 + 12000 * sound_clicks) {
      ctx.person.Click(184 + 14, 320 + 14);
      ++sound_clicks;
    }
    if (!losing && ((penguin.throws() >= 3 && seal.throws() >= 3) || MsSince(started) > 45000)) {
      std::printf("ok: thrown back: penguin %d, seal %d; now the penguin keeps away\n",
                  penguin.throws(), seal.throws());
      losing = true;
    }
    penguin.Act(ctx, losing ? Aim::kLose : Aim::kCatch);
    Pause(random);
    Grab(ctx);
    seal.Act(ctx, Aim::kCatch);
    Pause(random);
  });
  if (penguin.throws() < 1 || seal.throws() < 1 || penguin.steps() < 3 || seal.steps() < 3)
    Fail(ctx, "both people should have moved and thrown");
  if (sound_clicks != 2) Fail(ctx, "the game ended before the sound was switched off and on");
  return 0;
}

// Not a test: two people play until a bonus and an explosion have been saved for the docs.
int ScenarioDocs(Context& ctx) {
  ctx.person.Click(144 + 14, 320 + 14);
  PowerOn(ctx);
  StartGame(ctx, 1);
  std::mt19937 random(7);
  Player penguin(1), seal(2);
  const auto started = Clock::now();
  while (!(ctx.bonus_saved && ctx.explosion_saved)) {
    if (MsSince(started) > 240000) Fail(ctx, "no bonus in four minutes");
    Grab(ctx);
    penguin.Act(ctx, Aim::kBuild);
    Pause(random);
    Grab(ctx);
    seal.Act(ctx, Aim::kCatch);
    Pause(random);
  }
  return 0;
}

}  // namespace floemark::e2e
