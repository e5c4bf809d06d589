// floemark-shot OUT.png [--all | NAME...]: the console panel as at start, drawn offscreen by the
// program's own renderer, with the named components shown (--all: every segment, and 15 and 15
// on the score places). For reviewing the art, for the README and for golden pictures.
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

#include "app/panel_renderer.h"
#include "base/virtual_clock.h"
#include "game/form1.h"
#include "sound/null_output.h"

using namespace floemark;
using namespace floemark::panel;

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: floemark-shot OUT.png [--all | NAME...]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication qt(argc, argv);

  VirtualClock clock;
  sound::NullOutput audio(clock);
  TForm1 console(clock, clock, audio);
  // Only the tables: the sounds play no part in a picture.
  console.SegmentTables::Fill();
  Panel& panel = console.Components;

  const bool all = argc == 3 && std::strcmp(argv[2], "--all") == 0;
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
    for (int i = 2; i < argc; ++i) {
      const auto c = FindComponent(argv[i]);
      if (!c) {
        std::fprintf(stderr, "floemark-shot: no component named %s\n", argv[i]);
        return 2;
      }
      panel.SetVisible(*c, true);
    }
  }

  const app::PanelPictures pictures = app::PanelPictures::FromResources();
  for (const QString& e : pictures.Errors())
    std::fprintf(stderr, "floemark-shot: picture %s\n", qPrintable(e));
  const QImage image = app::PanelRenderer(pictures).Render(panel);
  if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "floemark-shot: cannot write %s\n", argv[1]);
    return 1;
  }
  return pictures.Errors().isEmpty() ? 0 : 1;
}
