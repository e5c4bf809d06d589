#include "tools/artgen/preview.h"

#include <algorithm>

#include "tools/artgen/artgen.h"

namespace floemark::artgen {

using namespace panel;

namespace {

// Whole rectangles: photographs, screens and opaque 1-bit pictures.
void DrawWhole(QImage& out, const QImage& pic, const Rect& r, int s) {
  for (int y = 0; y < pic.height(); ++y) {
    for (int x = 0; x < pic.width(); ++x)
      out.setPixel(r.left * s + x, r.top * s + y, pic.pixel(x, y));
  }
}

// Transparent 1-bit pictures: the black pixels only.
void DrawInk(QImage& out, const QImage& pic, const Rect& r, int s) {
  for (int y = 0; y < pic.height(); ++y) {
    for (int x = 0; x < pic.width(); ++x) {
      if (pic.pixelIndex(x, y) == 0) out.setPixel(r.left * s + x, r.top * s + y, pic.color(0));
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

QImage ComposePreview(const std::vector<Component>& shown, bool scores, int s) {
  QImage out(kConsoleWidth * s, kConsoleHeight * s, QImage::Format_RGB32);
  out.fill(Qt::black);
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    const ComponentInfo& info = Info(c);
    if (c == Im_Base) {
      DrawWhole(out, DrawConsolePhoto(s), info.rect, s);
    } else if (c == Im_ScreenLeft || c == Im_ScreenRight) {
      DrawWhole(out, DrawScreenBackground(c == Im_ScreenRight, s), info.rect, s);
    } else if (c >= Puls_PenguinAttack && c <= Puls_SealRight) {
      DrawWhole(out, DrawKeyIndicator(c, s), info.rect, s);  // the keys at rest
    } else if (IsScoreSlot(c) && scores) {
      DrawInk(out, DrawSegment(IsTens(c) ? Im_Num1 : Im_Num5, s), info.rect, s);
    } else if (info.kind == PictureKind::Bitmap1 &&
               std::find(shown.begin(), shown.end(), c) != shown.end()) {
      const QImage pic = DrawSegment(c, s);
      if (info.transparent) {
        DrawInk(out, pic, info.rect, s);
      } else {
        DrawWhole(out, pic, info.rect, s);
      }
    }
  }
  return out;
}

}  // namespace floemark::artgen
