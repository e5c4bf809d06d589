// The panel painter: a full repaint (the window's first paint, or one after it was uncovered)
// must stay well under a millisecond; a primitive's repaint touches only what it changed. Each
// runs at 1, 2 and 1.5 device pixels per pixel (the argument is the ratio in tenths): the
// pictures for the ratio are made before the timing starts, as the window makes them once.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "base/virtual_clock.h"
#include "drawing/panel_renderer.h"
#include "game/form1.h"
#include "sound/null_output.h"

namespace {

using namespace floemark;
using namespace floemark::panel;

const drawing::PanelPictures& Pictures() {
  static int argc = 1;
  static char name[] = "floemark-bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* qt = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
  }();
  (void)qt;
  static const drawing::PanelPictures pictures = drawing::PanelPictures::FromResources();
  return pictures;
}

void ShowEverySegment(Panel& panel) {
  for (int i = 0; i < kComponentCount; ++i) {
    const auto c = static_cast<Component>(i);
    if (Info(c).kind == PictureKind::Bitmap1 && !(c >= Im_Num0 && c <= Im_Num9))
      panel.SetVisible(c, true);
  }
}

qreal Ratio(const benchmark::State& state) { return qreal(state.range(0)) / 10; }

// Everything drawn: the photograph, both screens, all 100 segments and the key indicators.
void BM_FullRepaintEverySegment(benchmark::State& state) {
  const drawing::PanelRenderer renderer(Pictures());
  Panel panel;
  ShowEverySegment(panel);
  QImage target = renderer.Render(panel, Ratio(state));
  for (auto _ : state) {
    QPainter painter(&target);
    renderer.Paint(painter, panel, QRect(0, 0, kConsoleWidth, kConsoleHeight));
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_FullRepaintEverySegment)->Arg(10)->Arg(20)->Arg(15)->Unit(benchmark::kMicrosecond);

// A player steps: hide at the old place, show at the new one; only those rectangles are painted.
void BM_RepaintAfterOneStep(benchmark::State& state) {
  const drawing::PanelRenderer renderer(Pictures());
  VirtualClock clock;
  sound::NullOutput audio(clock);
  TForm1 console(clock, clock, audio);
  console.SegmentTables::Fill();
  console.PlayerPos[1] = 2;
  console.MostraChar(1);
  console.Components.TakeDamage();
  QImage target = renderer.Render(console.Components, Ratio(state));
  std::int64_t rectangles = 0, pixels = 0;
  for (auto _ : state) {
    console.NascondiChar(1);
    console.PlayerPos[1] = console.PlayerPos[1] == 2 ? 3 : 2;
    console.MostraChar(1);
    const auto damage = console.Components.TakeDamage();
    QPainter painter(&target);
    for (int i = 0; i < kComponentCount; ++i) {
      if (!damage.test(i)) continue;
      const QRect r = drawing::ToQRect(Info(static_cast<Component>(i)).rect);
      painter.setClipRect(r);
      renderer.Paint(painter, console.Components, r);
      ++rectangles;
      pixels += r.width() * r.height();
    }
    benchmark::DoNotOptimize(target.constBits());
  }
  state.counters["rects/step"] =
      benchmark::Counter(double(rectangles) / double(state.iterations()));
  state.counters["pixels/step"] = benchmark::Counter(double(pixels) / double(state.iterations()));
}
BENCHMARK(BM_RepaintAfterOneStep)->Arg(10)->Arg(20)->Arg(15)->Unit(benchmark::kMicrosecond);

}  // namespace
