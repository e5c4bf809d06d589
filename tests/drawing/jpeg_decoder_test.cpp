#include "drawing/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

namespace floemark::drawing {
namespace {

QByteArray EncodedPicture(int width = 64, int height = 48) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(200, 40, 30));
  QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, QColor(20, 60, 220));
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

// The size a picture's header declares is believed only up to the largest picture the program
// could have: a few kilobytes may declare gigabytes.
TEST(JpegDecoder, RefusesPicturesLargerThanAnyTheProgramHasBeforeDecoding) {
  EXPECT_EQ(DecodeJpeg(EncodedPicture(kMaxJpegSide, 8)).image.size(), QSize(kMaxJpegSide, 8));
  EXPECT_EQ(DecodeJpeg(EncodedPicture(8, kMaxJpegSide)).image.size(), QSize(8, kMaxJpegSide));
  EXPECT_EQ(DecodeJpeg(EncodedPicture(kMaxJpegSide + 1, 8)).error,
            "a picture of 4097 x 8 is larger than any the program has (4096 x 4096 at most)");
  EXPECT_TRUE(DecodeJpeg(EncodedPicture(8, kMaxJpegSide + 1)).image.isNull());

  // A small file whose frame header claims 65335 x 64370 (16.8 GB decoded).
  QByteArray lying = EncodedPicture();
  const qsizetype frame = lying.indexOf(QByteArray("\xff\xc0", 2));
  ASSERT_GT(frame, 0);
  const unsigned char size[] = {64370 >> 8, 64370 & 0xff, 65335 >> 8, 65335 & 0xff};
  lying.replace(frame + 5, 4, reinterpret_cast<const char*>(size), 4);
  const JpegResult r = DecodeJpeg(lying);
  EXPECT_TRUE(r.image.isNull());
  EXPECT_EQ(r.error,
            "a picture of 65335 x 64370 is larger than any the program has (4096 x 4096 at most)");
}

}  // namespace
}  // namespace floemark::drawing
