#include "app/windows/photo_view.h"

#include <QPainter>
#include <cmath>

#include "drawing/device_grid.h"

namespace floemark::app {

PhotoView::PhotoView(const QString& fileName, QWidget* parent) : QWidget(parent), file_(fileName) {
  drawn_[0] = drawing::LoadAsset(file_);
  resize(drawn_[0].size());
  setAttribute(Qt::WA_OpaquePaintEvent, !drawn_[0].isNull());
}

drawing::DevicePicture PhotoView::ForScreen(qreal ratio) {
  if (ratio == madeFor_) return made_;
  int scale = drawing::ScaleForRatio(ratio);
  QImage& drawn = drawn_[std::size_t(scale - 1)];
  if (drawn.isNull()) drawn = drawing::LoadAsset(file_, nullptr, scale);
  if (drawn.isNull()) scale = 1;  // a missing denser picture: the plain one, enlarged
  const QImage& from = drawn_[std::size_t(scale - 1)];
  const panel::Rect place{0, 0, width(), height()};
  madeFor_ = ratio;
  made_ = {from.isNull() || ratio == scale ? from : drawing::Resample(from, scale, place, ratio),
           QPoint(0, 0)};
  return made_;
}

void PhotoView::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatio();
  const drawing::DevicePicture picture = ForScreen(ratio);
  if (picture.image.isNull()) return;
  QPainter painter(this);
  painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
  painter.drawImage(picture.origin, picture.image);
}

}  // namespace floemark::app
