#include "tools/artgen/preview.h"

#include <QPainter>
#include <algorithm>

#include "tools/artgen/artgen.h"

namespace floemark::artgen {

using namespace panel;

namespace {

void DrawOneBit(QImage& out, const QImage& pic, const Rect& r, bool transparent) {
  for (int y = 0; y < pic.height(); ++y) {
    for (int x = 0; x < pic.width(); ++x) {
      const int index = pic.pixelIndex(x, y);
      if (transparent && index != 0) continue;
      out.setPixel(r.left + x, r.top + y, pic.color(index));
    }
  }
}

bool IsScoreSlot(Component c) {
  return (c >= Im_NumPosPS1 && c <= Im_NumPosPP2) || (c >= Im_NumPosSS1 && c <= Im_NumPosSP2);
}

bool IsTens(Component c) {
  return c == Im_NumPosPS1 || c == Im_NumPosPP1 || c == Im_NumPosSS1 || c == Im_NumPosSP1;
}

}  // namespace

QImage ComposePreview(const std::vector<Component>& shown, bool scores) {
  QImage out(kConsoleWidth, kConsoleHeight, QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter painter(&out);
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    const ComponentInfo& info = Info(c);
    const QPoint at(info.rect.left, info.rect.top);
    if (c == Im_Base) {
      painter.drawImage(at, DrawConsolePhoto());
    } else if (c == Im_ScreenLeft || c == Im_ScreenRight) {
      painter.drawImage(at, DrawScreenBackground(c == Im_ScreenRight));
    } else if (c >= Puls_PenguinAttack && c <= Puls_SealRight) {
      painter.drawImage(at, DrawKeyIndicator(c));
    } else if (IsScoreSlot(c) && scores) {
      painter.end();
      DrawOneBit(out, DrawSegment(IsTens(c) ? Im_Num1 : Im_Num5), info.rect, true);
      painter.begin(&out);
    } else if (info.kind == PictureKind::Bitmap1 &&
               std::find(shown.begin(), shown.end(), c) != shown.end()) {
      painter.end();
      DrawOneBit(out, DrawSegment(c), info.rect, info.transparent);
      painter.begin(&out);
    }
  }
  return out;
}

}  // namespace floemark::artgen
