#pragma once
// Baseline JPEG pictures decoded by libjpeg-turbo itself. A broken file must not end the
// program (libjpeg's own handler calls exit()), and a truncated one must not pass as a
// picture with a grey bottom: libjpeg only warns about it, so a warning counts as an error.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace floemark::drawing {

// The largest picture decoded, on either side. The biggest the program has is the console
// photograph at three times its size for HiDPI screens, 2223 x 1164; this leaves room for five
// times (3705 wide), and bounds a picture to 64 MiB however large its header says it is.
inline constexpr int kMaxJpegSide = 4096;

struct JpegResult {
  QImage image;   // Format_RGB32; null on failure
  QString error;  // libjpeg's message when image is null
};

// A picture wider or taller than kMaxJpegSide is refused from its header, before decoding.
JpegResult DecodeJpeg(const QByteArray& data);

}  // namespace floemark::drawing
