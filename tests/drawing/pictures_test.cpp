// The pictures as the window gets them: at a whole ratio the set drawn at that scale, read from
// its own resources when first shown, each held once however many components show it; and only
// the pictures of the densities shown last kept.
#include "drawing/pictures.h"

#include <gtest/gtest.h>

#include <QImage>

#include "drawing/device_grid.h"
#include "panel/layout.h"

namespace floemark::drawing {
namespace {

using namespace panel;

TEST(PanelPictures, WholeRatiosShowTheirOwnSetEachPictureHeldOnce) {
  const PanelPictures pictures = PanelPictures::FromResources();
  for (int scale = 1; scale <= kLargestScale; ++scale) {
    SCOPED_TRACE(scale);
    const DevicePicture photo = pictures.ForScreen(Im_Base, Im_Base, scale);
    EXPECT_EQ(photo.image, LoadAsset(QStringLiteral("Im_Base.jpg"), nullptr, scale));
    EXPECT_EQ(photo.origin, QPoint(0, 0));

    // Two score slots showing the same glyph, each at its own place, draw the same pixels.
    const DevicePicture a = pictures.ForScreen(Im_NumPosPS1, Im_Num3, scale);
    const DevicePicture b = pictures.ForScreen(Im_NumPosSP2, Im_Num3, scale);
    EXPECT_EQ(a.origin, QPoint(88, 195) * scale);
    EXPECT_EQ(b.origin, QPoint(634, 196) * scale);
    ASSERT_EQ(a.image.size(), QSize(7, 11) * scale);
    EXPECT_EQ(a.image.constBits(), b.image.constBits());
    // By its black pixels only: the glyph's white is transparent.
    EXPECT_TRUE(a.image.hasAlphaChannel());
  }
  EXPECT_TRUE(pictures.Errors().isEmpty()) << pictures.Errors().join(' ').toStdString();
}

TEST(PanelPictures, KeepsThePicturesOfTheLastTwoRatiosAndFreesTheOlder) {
  const PanelPictures pictures = PanelPictures::FromResources();
  auto photo = [&](qreal ratio) { return pictures.ForScreen(Im_Base, Im_Base, ratio).image; };
  const qint64 at1 = photo(1).cacheKey(), at2 = photo(2).cacheKey();
  // Back on the screen it came from: nothing read again.
  EXPECT_EQ(photo(1).cacheKey(), at1);
  const QImage at15 = photo(1.5);
  EXPECT_EQ(at15.size(), DeviceRect(Info(Im_Base).rect, 1.5).size());
  EXPECT_EQ(photo(1).cacheKey(), at1);
  // 2 was the oldest: made anew, the same picture.
  const QImage again2 = photo(2);
  EXPECT_NE(again2.cacheKey(), at2);
  EXPECT_EQ(again2, LoadAsset(QStringLiteral("Im_Base.jpg"), nullptr, 2));
}

TEST(PanelPictures, SetReplacesAPictureAlreadyShown) {
  PanelPictures pictures;
  QImage grey(741, 388, QImage::Format_RGB32), blue(741, 388, QImage::Format_RGB32);
  grey.fill(qRgb(128, 128, 128));
  blue.fill(qRgb(0, 0, 200));
  pictures.Set(Im_Base, grey);
  EXPECT_EQ(pictures.ForScreen(Im_Base, Im_Base, 1).image, grey);
  pictures.Set(Im_Base, blue);
  EXPECT_EQ(pictures.ForScreen(Im_Base, Im_Base, 1).image, blue);
  // A picture given at 2 only is shown at 1 from it, scaled down.
  pictures.Set(Im_Base, QImage(), 1);
  QImage dense(1482, 776, QImage::Format_RGB32);
  dense.fill(qRgb(0, 0, 200));
  pictures.Set(Im_Base, dense, 2);
  EXPECT_EQ(pictures.ForScreen(Im_Base, Im_Base, 1).image, blue);
}

}  // namespace
}  // namespace floemark::drawing
