#include "app/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

namespace floemark::app {
namespace {

QByteArray EncodedPicture() {
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(QColor(200, 40, 30));
  QPainter(&image).fillRect(32, 0, 32, 48, QColor(20, 60, 220));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, "JPG", 95));
  return bytes;
}

bool Near(QRgb a, QColor b) {
  return std::abs(qRed(a) - b.red()) < 12 && std::abs(qGreen(a) - b.green()) < 12 &&
         std::abs(qBlue(a) - b.blue()) < 12;
}

TEST(JpegDecoder, DecodesColourPicturesAtTheirSize) {
  const JpegResult r = DecodeJpeg(EncodedPicture());
  ASSERT_FALSE(r.image.isNull()) << r.error.toStdString();
  EXPECT_EQ(r.image.size(), QSize(64, 48));
  EXPECT_TRUE(Near(r.image.pixel(8, 24), QColor(200, 40, 30)));
  EXPECT_TRUE(Near(r.image.pixel(56, 24), QColor(20, 60, 220)));
}

TEST(JpegDecoder, RefusesBrokenFilesInsteadOfEndingTheProgram) {
  const QByteArray good = EncodedPicture();
  // Cut short: libjpeg alone would only warn and fill the rest with grey.
  const JpegResult truncated = DecodeJpeg(good.left(good.size() / 2));
  EXPECT_TRUE(truncated.image.isNull());
  EXPECT_FALSE(truncated.error.isEmpty());
  // Without its end-of-image marker only.
  EXPECT_TRUE(DecodeJpeg(good.left(good.size() - 2)).image.isNull());
  // Not a JPEG at all, and nothing.
  EXPECT_TRUE(DecodeJpeg(QByteArray("BM not a jpeg at all")).image.isNull());
  EXPECT_TRUE(DecodeJpeg(QByteArray()).image.isNull());
  // A start-of-image marker and nothing after it.
  EXPECT_TRUE(DecodeJpeg(good.left(2)).image.isNull());
  // And the decoder is still fine after all that.
  EXPECT_FALSE(DecodeJpeg(good).image.isNull());
}

}  // namespace
}  // namespace floemark::app
