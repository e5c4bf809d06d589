// Placeholder drawings: blank pictures of the right sizes and formats.
#include "tools/artgen/artgen.h"

namespace floemark::artgen {

QImage DrawSegment(panel::Component c) {
  const auto& info = panel::Info(c);
  QImage img(info.rect.width, info.rect.height, QImage::Format_Mono);
  img.setColorTable({qRgb(0, 0, 0), info.transparent ? qRgb(255, 255, 255) : qRgb(190, 190, 190)});
  img.fill(1);
  return img;
}

QImage DrawScreenBackground(bool) {
  QImage img(191, 136, QImage::Format_Indexed8);
  QList<QRgb> palette(256, qRgb(0, 0, 0));
  palette[0] = qRgb(190, 190, 190);
  img.setColorTable(palette);
  img.fill(0);
  return img;
}

}  // namespace floemark::artgen
