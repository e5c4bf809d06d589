#pragma once
// Paints the console panel: every visible component that holds a picture, bottom to top, at
// its place and natural size. JPEG, 8-bit and opaque 1-bit pictures cover their whole
// rectangle; a transparent component's 1-bit picture gives only its black pixels. Places and
// areas are in the panel's pixels; the pictures are those for the painted device's pixel ratio,
// each drawn 1:1 onto its device pixels. GUI thread only; borrows the pictures, which must
// outlive it.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "drawing/pictures.h"
#include "panel/panel.h"

namespace floemark::drawing {

class PanelRenderer {
 public:
  explicit PanelRenderer(const PanelPictures& pictures) : pictures_(pictures) {}

  // Repaints the area (panel pixels): black first, as the window's colour, then every visible
  // component that intersects it. The painter's clip keeps the drawing inside the area.
  void Paint(QPainter& painter, const panel::Panel& panel, const QRect& area) const;

  // The whole panel as a 741 x 388 picture at `ratio` device pixels per pixel (its size the
  // panel's times the ratio, rounded, and that device pixel ratio).
  QImage Render(const panel::Panel& panel, qreal ratio = 1) const;

 private:
  const PanelPictures& pictures_;
};

inline QRect ToQRect(const panel::Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace floemark::drawing
