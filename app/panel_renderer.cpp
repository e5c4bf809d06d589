#include "app/panel_renderer.h"

namespace floemark::app {

using namespace panel;

void PanelRenderer::Paint(QPainter& painter, const Panel& panel, const QRect& area) const {
  painter.fillRect(area, Qt::black);
  const Rect damaged{area.left(), area.top(), area.width(), area.height()};
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    if (!panel.Visible(c)) continue;
    const Component held = panel.Picture(c);
    if (held == kNoPicture) continue;
    const ComponentInfo& info = Info(c);
    if (!info.rect.Intersects(damaged)) continue;
    // Transparency belongs to the component showing the picture: a score slot draws a copied
    // glyph by its black pixels, a console button a copied switch picture whole.
    const QImage& blackOnly = pictures_.BlackOnly(held);
    const QImage& image =
        info.transparent && !blackOnly.isNull() ? blackOnly : pictures_.Whole(held);
    if (!image.isNull()) painter.drawImage(info.rect.left, info.rect.top, image);
  }
}

QImage PanelRenderer::Render(const Panel& panel) const {
  QImage image(kConsoleWidth, kConsoleHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  Paint(painter, panel, image.rect());
  return image;
}

}  // namespace floemark::app
