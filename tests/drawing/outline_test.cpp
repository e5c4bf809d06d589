// The console photograph's outline: the window is drawn only inside it, so it must hold every
// pixel of the photographed console, hinge and all, and leave out the rounded corners, where
// the desktop shows through.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <algorithm>

#include "drawing/pictures.h"
#include "panel/layout.h"

namespace floemark::drawing {
namespace {

TEST(Outline, HoldsTheWholeConsoleAndLeavesItsCornersOut) {
  const PanelPictures pictures = PanelPictures::FromResources();
  const QRegion body = pictures.Body();
  ASSERT_FALSE(body.isEmpty());
  EXPECT_TRUE(
      QRegion(0, 0, panel::kConsoleWidth, panel::kConsoleHeight).contains(body.boundingRect()));
  // The far corners of each half are rounded off; the middle, the screens, the keys and the
  // hinge between the halves are on the body.
  for (QPoint out : {QPoint(0, 0), QPoint(4, 4), QPoint(740, 0), QPoint(736, 4), QPoint(0, 387),
                     QPoint(740, 387), QPoint(370, 1)})
    EXPECT_FALSE(body.contains(out)) << out.x() << "," << out.y();
  for (QPoint in : {QPoint(370, 194), QPoint(100, 100), QPoint(640, 330), QPoint(370, 128),
                    QPoint(20, 3), QPoint(3, 30), QPoint(737, 360)})
    EXPECT_TRUE(body.contains(in)) << in.x() << "," << in.y();

  // Outside the outline the photograph is its near-black surround only, a little lit by the
  // lamp and blurred into the body's dark rim: nothing drawn is cut off. The moulding's lit
  // edge, a pixel further in, is far brighter.
  const QImage photo = LoadAsset(QStringLiteral("Im_Base.jpg"));
  ASSERT_FALSE(photo.isNull());
  int outside = 0, brightest = 0;
  for (int y = 0; y < photo.height(); ++y) {
    for (int x = 0; x < photo.width(); ++x) {
      if (body.contains(QPoint(x, y))) continue;
      ++outside;
      const QRgb p = photo.pixel(x, y);
      brightest = std::max({brightest, qRed(p), qGreen(p), qBlue(p)});
    }
  }
  EXPECT_GT(outside, 4 * 60);  // four rounded corners and the notches by the hinge
  EXPECT_LE(brightest, 48);
}

}  // namespace
}  // namespace floemark::drawing
