#include "scenario.h"

#include <cstdio>
#include <cstdlib>

namespace floemark::e2e {

using namespace panel;

void Fail(const Context& ctx, const std::string& what) {
  std::fprintf(stderr, "FAIL: %s\n  LCD: %s\n", what.c_str(), ctx.lcd.Describe().c_str());
  std::exit(1);
}

void Note(const std::string& what) {
  std::printf("ok: %s\n", what.c_str());
  std::fflush(stdout);
}

void Grab(Context& ctx) {
  if (!ctx.lcd.Grab()) Fail(ctx, "cannot read the console window");
  if (ctx.shots.empty()) return;
  if (!ctx.explosion_saved && (ctx.lcd.Shown(Im_P_Bang) || ctx.lcd.Shown(Im_S_Bang))) {
    ctx.explosion_saved =
        ctx.lcd.Image().save(QString::fromStdString(ctx.shots + "/explosion.png"));
    Note("saved explosion.png");
  }
  if (!ctx.bonus_saved && (ctx.lcd.Shown(Im_P_EatP2) || ctx.lcd.Shown(Im_S_EatS2))) {
    ctx.bonus_saved = ctx.lcd.Image().save(QString::fromStdString(ctx.shots + "/bonus.png"));
    Note("saved bonus.png");
  }
}

bool WaitFor(Context& ctx, int limit_ms, const std::function<bool()>& pred, int poll_ms) {
  const auto start = Clock::now();
  for (;;) {
    Grab(ctx);
    if (pred()) return true;
    if (MsSince(start) >= limit_ms) return false;
    SleepMs(poll_ms);
  }
}

namespace {

bool ScoresAre(const Lcd& lcd, int penguin, int seal) {
  return lcd.Score(1, 1) == penguin && lcd.Score(2, 1) == penguin && lcd.Score(1, 2) == seal &&
         lcd.Score(2, 2) == seal;
}

// The starting screen of play: players at 4 and 2, the wall in lane 3 on both screens, the
// vulture at one end with bomb 1 under it.
bool StartingScreen(const Lcd& lcd) {
  const bool penguin_end = lcd.Shown(Im_VultureP1) && lcd.Shown(Im_BombP11);
  const bool seal_end = lcd.Shown(Im_VultureS1) && lcd.Shown(Im_BombS11);
  return lcd.Position(1) == 4 && lcd.Position(2) == 2 && lcd.Shown(Im_S_WallP3) &&
         lcd.Shown(Im_P_WallS3) && (penguin_end != seal_end) && lcd.Bombs().empty();
}

}  // namespace

void PowerOn(Context& ctx) {
  Grab(ctx);
  if (!ctx.lcd.Visible().empty() || ctx.lcd.Score(1, 1) != -1)
    Fail(ctx, "the LCD is not blank before power-on");
  ctx.person.Click(104 + 14, 320 + 14);
  if (!WaitFor(ctx, 3000, [&] { return ScoresAre(ctx.lcd, 15, 15); }))
    Fail(ctx, "power-on did not show 15 and 15 on both screens");
  if (!ctx.lcd.Visible().empty()) Fail(ctx, "power-on shows more than the scores");
  Note("power-on shows 15 and 15 on both screens and nothing else");
}

Clock::time_point StartGame(Context& ctx, int player) {
  const auto pressed = Clock::now();
  ctx.person.Press(kKeys[player].attack, 90);
  if (!WaitFor(ctx, 2000, [&] { return StartingScreen(ctx.lcd) && ScoresAre(ctx.lcd, 15, 15); }))
    Fail(ctx, "the start key did not show the starting screen with 15 and 15");
  Note("the start key shows the starting screen of play with 15 and 15");
  return pressed;
}

void PlayToGameOver(Context& ctx, int limit_ms, const std::function<void()>& step) {
  const auto start = Clock::now();
  for (;;) {
    Grab(ctx);
    const int a = ctx.lcd.Score(1, 1), b = ctx.lcd.Score(1, 2);
    if (a == 0 || b == 0) break;
    if (MsSince(start) > limit_ms) Fail(ctx, "no game over in time");
    step();
  }
  const int penguin = ctx.lcd.Score(1, 1), seal = ctx.lcd.Score(1, 2);
  if (!ScoresAre(ctx.lcd, penguin, seal) || penguin < 0 || seal < 0 ||
      (penguin != 0) == (seal != 0))
    Fail(ctx, "game over does not show one score of 0 on both screens");
  std::printf("ok: game over after %d s, penguin %d, seal %d\n", MsSince(start) / 1000, penguin,
              seal);
  const auto over = Clock::now();
  // Nothing moves during the hold; a start key pressed during it does nothing.
  SleepMs(100);
  Grab(ctx);
  const std::string frozen = ctx.lcd.ScreenPixels();
  ctx.person.Press(kKeys[1].attack, 90);
  ctx.person.Press(kKeys[2].attack, 90);
  while (MsSince(over) < 1800) {
    Grab(ctx);
    if (ctx.lcd.ScreenPixels() != frozen) Fail(ctx, "the LCD changed during the game-over hold");
    SleepMs(50);
  }
  Note("the LCD is frozen at game over and a start key during the hold does nothing");
  // After the hold (2000 ms from the last point's display) the LCD stays as it is.
  while (MsSince(over) < 2600) SleepMs(50);
  Grab(ctx);
  if (ctx.lcd.ScreenPixels() != frozen) Fail(ctx, "the LCD changed after the hold");
  if (!ctx.final_lcd.empty()) {
    // A recorded game ends here, on an LCD that stays as it is until the program ends.
    std::FILE* f = std::fopen(ctx.final_lcd.c_str(), "w");
    if (!f || std::fprintf(f, "%s\n", ctx.lcd.Describe().c_str()) < 0 || std::fclose(f) != 0)
      Fail(ctx, "cannot write " + ctx.final_lcd);
    return;
  }
  StartGame(ctx, 1);
  Note("after the hold SHIFT starts a new game with 15 and 15");
}

}  // namespace floemark::e2e
