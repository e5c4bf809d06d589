// Pictures put on the device pixels of screens of every ratio: neighbouring places tile the
// screen without gap or overlap, a whole ratio copies or enlarges exactly, and a fractional one
// keeps a 1-bit picture 1-bit and a palette picture in its own colours while it averages a photo.
#include "drawing/device_grid.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>

namespace floemark::drawing {
namespace {

using panel::Rect;

TEST(DeviceGrid, NeighbouringPlacesShareNoDevicePixelAndLeaveNoneBetween) {
  for (qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
    SCOPED_TRACE(ratio);
    for (int left = 85; left < 100; ++left) {
      const QRect a = DeviceRect({left, 75, 7, 11}, ratio);
      const QRect b = DeviceRect({left + 7, 86, 13, 3}, ratio);
      EXPECT_EQ(a.right() + 1, b.left());
      EXPECT_EQ(a.bottom() + 1, b.top());
    }
  }
  EXPECT_EQ(DeviceRect({88, 195, 7, 11}, 2), QRect(176, 390, 14, 22));
  EXPECT_EQ(DeviceRect({99, 195, 7, 11}, 1.5), QRect(148, 292, 11, 17));
}

QImage Mono(int w, int h, bool (*black)(int, int)) {
  QImage img(w, h, QImage::Format_Mono);
  img.setColorTable({qRgb(0, 0, 0), qRgb(190, 190, 190)});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, black(x, y) ? 0 : 1);
  return img;
}

TEST(DeviceGrid, WholeRatioCopiesOrEnlargesExactly) {
  const QImage dots = Mono(8, 6, [](int x, int y) { return (x + y) % 3 == 0; });
  EXPECT_EQ(Resample(dots, 2, {10, 20, 4, 3}, 2), dots);
  const QImage twice = Resample(dots, 2, {10, 20, 4, 3}, 4);
  ASSERT_EQ(twice.size(), QSize(16, 12));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(twice.pixelIndex(x, y), dots.pixelIndex(x / 2, y / 2));
}

TEST(DeviceGrid, FractionalRatioKeepsAOneBitPictureCrispAndInPlace) {
  // The left half black, drawn at 2 dots per pixel, shown at 1.5.
  const QImage half = Mono(20, 4, [](int x, int) { return x < 10; });
  const QImage shown = Resample(half, 2, {0, 0, 10, 2}, 1.5);
  ASSERT_EQ(shown.format(), QImage::Format_Mono);
  EXPECT_EQ(shown.colorTable(), half.colorTable());
  ASSERT_EQ(shown.size(), QSize(15, 3));
  for (int x = 0; x < 15; ++x) {
    SCOPED_TRACE(x);
    // Device pixel x covers pixels [x / 1.5, (x + 1) / 1.5): black while half of it is left of 5.
    EXPECT_EQ(shown.pixelIndex(x, 1), (x + 0.5) / 1.5 <= 5 ? 0 : 1);
  }
}

TEST(DeviceGrid, FractionalRatioKeepsPaletteColoursAndAveragesPhotos) {
  QImage printed(6, 2, QImage::Format_Indexed8);
  printed.setColorTable({qRgb(190, 190, 190), qRgb(110, 124, 144), qRgb(0, 0, 0)});
  for (int x = 0; x < 6; ++x) printed.setPixel(x, 0, x % 3), printed.setPixel(x, 1, x % 3);
  const QImage screen = Resample(printed, 2, {0, 0, 3, 1}, 1.5);
  ASSERT_EQ(screen.format(), QImage::Format_Indexed8);
  std::set<QRgb> colours;
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) colours.insert(screen.pixel(x, y));
  for (QRgb c : colours) EXPECT_TRUE(printed.colorTable().contains(c));

  QImage photo(4, 2, QImage::Format_RGB32);
  for (int x = 0; x < 4; ++x) {
    photo.setPixel(x, 0, x < 2 ? qRgb(200, 0, 0) : qRgb(0, 0, 200));
    photo.setPixel(x, 1, photo.pixel(x, 0));
  }
  const QImage soft = Resample(photo, 2, {0, 0, 2, 1}, 1.5);
  ASSERT_EQ(soft.size(), QSize(3, 1));
  EXPECT_EQ(soft.pixel(0, 0), qRgb(200, 0, 0));
  EXPECT_EQ(soft.pixel(1, 0), qRgb(100, 0, 100));  // half of each
  EXPECT_EQ(soft.pixel(2, 0), qRgb(0, 0, 200));
}

}  // namespace
}  // namespace floemark::drawing
