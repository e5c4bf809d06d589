// floemark-e2e-final ASSETS < TRACE: the LCD as a floemark-trace trace leaves it, described as
// floemark-e2e-play describes the window's LCD ("P=.. S=.. pos=.. | segments"). The panel's
// changes are folded from the console's first state, the panel is drawn as the window draws
// it, and the drawing is read back with the same reader, so that the two descriptions can be
// compared as strings.
#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "base/virtual_clock.h"
#include "drawing/panel_renderer.h"
#include "drawing/pictures.h"
#include "game/form1.h"
#include "lcd.h"
#include "panel/layout.h"
#include "sound/null_output.h"

using namespace floemark;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floemark-e2e-final ASSETS < TRACE\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication qt(argc, argv);
  VirtualClock clock;
  sound::NullOutput audio(clock);
  TForm1 console(clock, clock, audio);  // the panel as it is before FormCreate
  panel::Panel& panel = console.Components;

  std::string line;
  long changes = 0;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string what, name, picture;
    if (line.rfind("  ", 0) != 0 || !(words >> what >> name)) continue;
    if (what != "show" && what != "hide" && what != "picture") continue;
    const auto c = panel::FindComponent(name);
    if (!c) {
      std::fprintf(stderr, "floemark-e2e-final: no component %s in: %s\n", name.c_str(),
                   line.c_str());
      return 1;
    }
    ++changes;
    if (what == "picture") {
      words >> picture;
      const auto p = panel::FindComponent(picture);
      panel.CopyPicture(*c, p ? *p : panel::kNoPicture);
    } else {
      panel.SetVisible(*c, what == "show");
    }
  }
  if (changes == 0) {
    std::fprintf(stderr, "floemark-e2e-final: the trace changes nothing on the panel\n");
    return 1;
  }
  const drawing::PanelPictures pictures = drawing::PanelPictures::FromResources();
  e2e::Lcd lcd(nullptr, 0, argv[1]);
  lcd.Read(drawing::PanelRenderer(pictures).Render(panel, 1));
  std::printf("%s\n", lcd.Describe().c_str());
  return 0;
}
