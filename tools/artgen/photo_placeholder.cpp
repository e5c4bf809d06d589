// Placeholder drawings: plain pictures of the right sizes.
#include "tools/artgen/artgen.h"

namespace floemark::artgen {
namespace {
QImage Plain(int w, int h, QRgb colour) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  return img;
}
}  // namespace

QImage DrawConsolePhoto() { return Plain(741, 388, qRgb(40, 60, 120)); }
QImage DrawKeyIndicator(panel::Component key) {
  const auto& r = panel::Info(key).rect;
  return Plain(r.width, r.height, qRgb(200, 40, 40));
}
QImage DrawSwitchPicture(panel::Component) { return Plain(28, 28, qRgb(90, 90, 90)); }
QImage DrawSplashPicture() { return Plain(200, 141, qRgb(30, 90, 160)); }
QImage DrawAboutPhoto() { return Plain(252, 84, qRgb(30, 90, 160)); }
QImage DrawIcon(int size) { return Plain(size, size, qRgb(30, 90, 160)); }

}  // namespace floemark::artgen
