// The penguin's keys on keyboards of other layouts, as their people press them: on a Russian
// keyboard (no Latin letters) the keys labelled Я and С, which lie where a US keyboard has Z and
// C; on a German or a French keyboard the keys labelled Z and C, wherever they lie, while the
// key at the US Z's place, labelled Y or W there, leaves the penguin alone.
#include <string>

#include "scenario.h"

// Last: the X headers' macros clash with the panel's names.
#include <X11/Xlib.h>

namespace floemark::e2e {

namespace {

struct LayoutKeys {
  const char* layout;
  unsigned long to_supply, to_ladder;  // the keysyms a person of that layout presses
  unsigned to_supply_code;             // the key they lie on (XKB key code)
  unsigned long other;                 // a letter key that must do nothing
};

constexpr unsigned kUsZ = 52, kUsY = 29, kUsW = 25;

constexpr LayoutKeys kLayouts[] = {
    {"ru", XK_Cyrillic_ya, XK_Cyrillic_es, kUsZ, XK_Cyrillic_che},
    {"de", XK_z, XK_c, kUsY, XK_y},
    {"fr", XK_z, XK_c, kUsW, XK_w},
};

}  // namespace

int ScenarioKeys(Context& ctx, XDisplay* display, const std::string& layout) {
  const LayoutKeys* keys = nullptr;
  for (const LayoutKeys& k : kLayouts)
    if (layout == k.layout) keys = &k;
  if (!keys) Fail(ctx, "no keys known for the layout " + layout);
  // The person's keyboard: the keys lie where the layout puts them, and Russian has no z.
  if (XKeysymToKeycode(display, keys->to_supply) != keys->to_supply_code)
    Fail(ctx, "the step key toward the supply is not on key code " +
                  std::to_string(keys->to_supply_code));
  if (layout == "ru" && XKeysymToKeycode(display, XK_z) != 0)
    Fail(ctx, "the Russian keymap has a Latin z");
  Note("the " + layout + " keymap puts the step key toward the supply on key code " +
       std::to_string(keys->to_supply_code));

  PowerOn(ctx);
  const auto pressed = StartGame(ctx, 1);  // SHIFT on this layout too
  while (MsSince(pressed) < 3500) SleepMs(20);

  struct Step {
    unsigned long keysym;
    int dir;
  };
  // Between positions 3 and 4, so that every step is allowed, holding a bomb or not.
  const Step steps[] = {{keys->to_supply, -1},
                        {keys->to_ladder, +1},
                        {keys->other, 0},
                        {keys->to_supply, -1},
                        {keys->to_ladder, +1}};
  for (const Step& step : steps) {
    for (int attempt = 0;; ++attempt) {
      Grab(ctx);
      const int before = ctx.lcd.Position(1);
      ctx.person.Press(step.keysym, 90);
      const int want = before + step.dir;
      // A step shows at once; a key that must do nothing is watched as long.
      WaitFor(ctx, 600, [&] { return step.dir != 0 && ctx.lcd.Position(1) == want; });
      if (ctx.lcd.Position(1) == want && !ctx.lcd.Exploded()) break;
      // An explosion puts the players back at their start: wait for play and try again.
      if (ctx.lcd.Exploded() && attempt < 2) {
        if (!WaitFor(ctx, 6000, [&] { return !ctx.lcd.Exploded() && ctx.lcd.Position(1) == 4; }))
          Fail(ctx, "play did not restart after an explosion");
        SleepMs(300);
        continue;
      }
      Fail(ctx, std::string(XKeysymToString(step.keysym)) + " from position " +
                    std::to_string(before) + ": want " + std::to_string(want));
    }
  }
  Note("on the " + layout + " layout the penguin steps with its keys, and only with them");
  return 0;
}

}  // namespace floemark::e2e
