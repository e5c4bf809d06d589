#pragma once
// A photograph on the splash or the about window, at its fixed size in pixels: the picture drawn
// for the density of the screen the window is on, 1:1 on the device pixels (for a ratio between
// the drawn ones, the next larger picture scaled down smoothly). GUI thread only.

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>

#include "drawing/pictures.h"

namespace floemark::app {

class PhotoView : public QWidget {
 public:
  // `fileName` names the asset ("Im_Piccina.jpg"); the view has the picture's size.
  PhotoView(const QString& fileName, QWidget* parent);

  // What the view paints on a screen of `ratio`: the picture and where it goes, in device
  // pixels of the view.
  drawing::DevicePicture ForScreen(qreal ratio);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString file_;
  std::array<QImage, drawing::kLargestScale>
      drawn_;  // as stored, by scale; loaded when first needed
  qreal madeFor_ = 0;
  drawing::DevicePicture made_;
};

}  // namespace floemark::app
