// floemark-shot OUT.png [--scale N] [--all | NAME[=PICTURE]...]: the console panel as at start,
// drawn offscreen by the program's own renderer, with the named components shown (--all: every
// segment, and 15 and 15 on the score places), as a screen of N device pixels per pixel shows
// it (N = 1 by default; 1.5 and the like show the pictures made for such a screen). NAME=PICTURE
// shows NAME holding a copy of PICTURE's picture, as a score place holds a digit: any look the
// game can give is drawn, so the browser's page can be held to it. For reviewing the art, for
// the README and for golden pictures.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/virtual_clock.h"
#include "drawing/panel_renderer.h"
#include "game/form1.h"
#include "sound/null_output.h"

using namespace floemark;
using namespace floemark::panel;

namespace {

int Usage() {
  std::fprintf(stderr, "usage: floemark-shot OUT.png [--scale N] [--all | NAME[=PICTURE]...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return Usage();
  std::vector<const char*> names(argv + 2, argv + argc);
  double scale = 1;
  if (names.size() >= 1 && std::strcmp(names[0], "--scale") == 0) {
    char* end = nullptr;
    scale = names.size() >= 2 ? std::strtod(names[1], &end) : 0;
    if (end == nullptr || *end != '\0' || !(scale >= 1 && scale <= 4)) {
      std::fprintf(stderr, "floemark-shot: the scale is a number from 1 to 4\n");
      return Usage();
    }
    names.erase(names.begin(), names.begin() + 2);
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication qt(argc, argv);

  VirtualClock clock;
  sound::NullOutput audio(clock);
  TForm1 console(clock, clock, audio);
  // Only the tables: the sounds play no part in a picture.
  console.SegmentTables::Fill();
  Panel& panel = console.Components;

  const bool all = names.size() == 1 && std::strcmp(names[0], "--all") == 0;
  if (all) {
    for (int i = 0; i < kComponentCount; ++i) {
      const Component c = static_cast<Component>(i);
      const bool glyphSource = c >= Im_Num0 && c <= Im_Num9;
      if (Info(c).kind == PictureKind::Bitmap1 && !glyphSource) panel.SetVisible(c, true);
    }
    console.Score[1] = console.Score[2] = 15;
    console.CalcolaScore(1);
    console.CalcolaScore(2);
  } else {
    for (const char* arg : names) {
      const std::string name(arg, std::strcspn(arg, "="));
      const char* held = arg[name.size()] == '=' ? arg + name.size() + 1 : nullptr;
      const auto c = FindComponent(name);
      const auto picture = held ? FindComponent(held) : c;
      if (!c || !picture) {
        std::fprintf(stderr, "floemark-shot: no component named %s\n", c ? held : name.c_str());
        return 2;
      }
      panel.SetVisible(*c, true);
      if (held) panel.CopyPicture(*c, *picture);
    }
  }

  const drawing::PanelPictures pictures = drawing::PanelPictures::FromResources();
  // After the drawing, which reads the pictures it needs.
  const QImage image = drawing::PanelRenderer(pictures).Render(panel, scale);
  for (const QString& e : pictures.Errors())
    std::fprintf(stderr, "floemark-shot: picture %s\n", qPrintable(e));
  // The file's suffix names its format (.png, or .ppm for the end-to-end probe).
  if (!image.save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "floemark-shot: cannot write %s\n", argv[1]);
    return 1;
  }
  return pictures.Errors().isEmpty() ? 0 : 1;
}
