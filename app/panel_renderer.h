#pragma once
// Paints the console panel: every visible component that holds a picture, bottom to top, at
// its place and natural size. JPEG, 8-bit and opaque 1-bit pictures cover their whole
// rectangle; a transparent component's 1-bit picture gives only its black pixels.
// GUI thread only; borrows the pictures, which must outlive it.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "app/pictures.h"
#include "panel/panel.h"

namespace floemark::app {

class PanelRenderer {
 public:
  explicit PanelRenderer(const PanelPictures& pictures) : pictures_(pictures) {}

  // Repaints the area (client pixels): black first, as the window's colour, then every visible
  // component that intersects it. The painter's clip keeps the drawing inside the area.
  void Paint(QPainter& painter, const panel::Panel& panel, const QRect& area) const;

  // The whole panel as a 741 x 388 picture.
  QImage Render(const panel::Panel& panel) const;

 private:
  const PanelPictures& pictures_;
};

inline QRect ToQRect(const panel::Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace floemark::app
