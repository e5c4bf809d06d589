// The console's switches and a game's start: power-on shows the scores, SHIFT starts a game, and
// nothing moves until the start delay of 3400 ms has run out; the vulture's first step comes one
// vulture period (700 ms) after that.
#include "scenario.h"

namespace floemark::e2e {

using namespace panel;

int ScenarioStart(Context& ctx) {
  PowerOn(ctx);
  const auto pressed = StartGame(ctx, 1);
  const bool at_penguin = ctx.lcd.Shown(Im_VultureP1);
  const std::string start_screen = ctx.lcd.ScreenPixels();
  // During the start delay the starting screen stays as it is.
  while (MsSince(pressed) < 3300) {
    Grab(ctx);
    if (ctx.lcd.ScreenPixels() != start_screen)
      Fail(ctx, "the LCD changed " + std::to_string(MsSince(pressed)) + " ms after SHIFT");
    SleepMs(20);
  }
  Note("nothing moves during the start delay");
  const Component first = at_penguin ? Im_VultureP1 : Im_VultureS1;
  const Component second = at_penguin ? Im_VultureP2 : Im_VultureS2;
  if (!WaitFor(
          ctx, 2000, [&] { return !ctx.lcd.Shown(first); }, 10))
    Fail(ctx, "the vulture did not fly");
  const int flew = MsSince(pressed);
  if (!ctx.lcd.Shown(second)) Fail(ctx, "the vulture's first step is not to its next place");
  std::printf("ok: the vulture's first step came %d ms after SHIFT\n", flew);
  // 3400 ms of start delay, then one vulture period; the window's repaint may lag under load.
  if (flew < 4100 - 60 || flew > 4100 + 400)
    Fail(ctx,
         "the vulture's first step came " + std::to_string(flew) + " ms after SHIFT, not 4100");
  Note("the vulture starts to fly when the 3400 ms start delay ends");
  return 0;
}

}  // namespace floemark::e2e
