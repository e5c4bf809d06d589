// floemark-e2e-play WINDOW ASSETS SCENARIO [SHOTS]: plays the console window WINDOW (an X window
// id) like a person, reading its LCD from the X server with the segment pictures of ASSETS.
// SCENARIO is start, steps, one-player, two-players or keys-LAYOUT (ru, de, fr); SHOTS, when given,
// is a folder where the first explosion and the first bonus are saved as explosion.png and
// bonus.png. Prints "ok: ..." for each check passed; exits 1 with "FAIL: ..." at the first that
// does not.
#include <cstdio>
#include <cstdlib>
#include <string>

// clang-format off
#include "scenario.h"
#include <X11/Xlib.h>  // last: its macros clash with the panel's names
// clang-format on

int main(int argc, char** argv) {
  using namespace floemark::e2e;
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: floemark-e2e-play WINDOW ASSETS SCENARIO [SHOTS]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "floemark-e2e-play: no display\n");
    return 2;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  Lcd lcd(display, window, argv[2]);
  Person person(display, window);
  Context ctx{lcd, person, argc == 5 ? argv[4] : ""};
  const std::string scenario = argv[3];
  int status = 2;
  if (scenario == "start")
    status = ScenarioStart(ctx);
  else if (scenario == "steps")
    status = ScenarioSteps(ctx);
  else if (scenario == "one-player")
    status = ScenarioOnePlayer(ctx);
  else if (scenario == "two-players")
    status = ScenarioTwoPlayers(ctx);
  else if (scenario == "docs")
    status = ScenarioDocs(ctx);
  else if (scenario.rfind("keys-", 0) == 0)
    status = ScenarioKeys(ctx, display, scenario.substr(5));
  else
    std::fprintf(stderr, "floemark-e2e-play: unknown scenario %s\n", scenario.c_str());
  XCloseDisplay(display);
  return status;
}
