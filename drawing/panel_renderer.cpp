#include "drawing/panel_renderer.h"

#include <QPaintDevice>
#include <cmath>

namespace floemark::drawing {

using namespace panel;

void PanelRenderer::Paint(QPainter& painter, const Panel& panel, const QRect& area) const {
  painter.fillRect(area, Qt::black);
  const qreal ratio = painter.device()->devicePixelRatio();
  // The pictures are made for the device's pixels: drawn in device pixels, no painter ever
  // scales them (which would blur them, or double their pixels).
  painter.save();
  if (ratio != 1) painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
  const Rect damaged{area.left(), area.top(), area.width(), area.height()};
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    if (!panel.Visible(c)) continue;
    const Component held = panel.Picture(c);
    if (held == kNoPicture) continue;
    if (!Info(c).rect.Intersects(damaged)) continue;
    const DevicePicture picture = pictures_.ForScreen(c, held, ratio);
    if (!picture.image.isNull()) painter.drawImage(picture.origin, picture.image);
  }
  painter.restore();
}

QImage PanelRenderer::Render(const Panel& panel, qreal ratio) const {
  QImage image(int(std::lround(kConsoleWidth * ratio)), int(std::lround(kConsoleHeight * ratio)),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter painter(&image);
  Paint(painter, panel, QRect(0, 0, kConsoleWidth, kConsoleHeight));
  return image;
}

}  // namespace floemark::drawing
