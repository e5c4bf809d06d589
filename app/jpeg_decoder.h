#pragma once
// Baseline JPEG pictures decoded by libjpeg-turbo itself. A broken file must not end the
// program (libjpeg's own handler calls exit()), and a truncated one must not pass as a
// picture with a grey bottom: libjpeg only warns about it, so a warning counts as an error.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace floemark::app {

struct JpegResult {
  QImage image;   // Format_RGB32; null on failure
  QString error;  // libjpeg's message when image is null
};

JpegResult DecodeJpeg(const QByteArray& data);

}  // namespace floemark::app
