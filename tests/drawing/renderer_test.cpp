// The panel painter on the overlaps of the handheld's screens, checked pixel by pixel on
// pictures made here (so that the art can change without touching these cases).
#include <gtest/gtest.h>

#include <QPainter>

#include "drawing/panel_renderer.h"

namespace floemark::drawing {
namespace {

using namespace panel;

const QRgb kGrey = qRgb(0xbe, 0xbe, 0xbe);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kScreen = qRgb(0xbe, 0xbe, 0xc5);
const QRgb kPhoto = qRgb(40, 60, 120);

// A 1-bit picture of a component's size with the given palette; black where black(x, y).
template <typename F>
QImage OneBit(Component c, QRgb light, F black) {
  const Rect& r = Info(c).rect;
  QImage image(r.width, r.height, QImage::Format_Mono);
  image.setColorTable({kBlack, light});
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) image.setPixel(x, y, black(x, y) ? 0 : 1);
  return image;
}

QImage Filled(Component c, QRgb colour, QImage::Format format = QImage::Format_RGB32) {
  const Rect& r = Info(c).rect;
  QImage image(r.width, r.height, QImage::Format_RGB32);
  image.fill(colour);
  return image.convertToFormat(format);
}

class RendererTest : public ::testing::Test {
 protected:
  RendererTest() : renderer_(pictures_) {
    pictures_.Set(Im_Base, Filled(Im_Base, kPhoto));
    pictures_.Set(Im_ScreenLeft, Filled(Im_ScreenLeft, kScreen, QImage::Format_Indexed8));
    pictures_.Set(Im_ScreenRight, Filled(Im_ScreenRight, kScreen, QImage::Format_Indexed8));
    // A bomb that is black all over, an arm that is black in its left column only, a body
    // that is black on its top row only.
    pictures_.Set(Im_BombP35,
                  OneBit(Im_BombP35, qRgb(255, 255, 255), [](int, int) { return true; }));
    pictures_.Set(Im_Pengo3B, OneBit(Im_Pengo3B, kGrey, [](int x, int) { return x == 0; }));
    pictures_.Set(Im_Pengo3,
                  OneBit(Im_Pengo3, qRgb(255, 255, 255), [](int, int y) { return y == 0; }));
    pictures_.Set(Im_Pengo2B, OneBit(Im_Pengo2B, kGrey, [](int, int) { return false; }));
    pictures_.Set(Im_Pengo2,
                  OneBit(Im_Pengo2, qRgb(255, 255, 255), [](int x, int) { return x == 2; }));
    for (int d = 0; d <= 9; ++d) {
      const Component glyph = static_cast<Component>(Im_Num0 + d);
      pictures_.Set(glyph, OneBit(glyph, qRgb(255, 255, 255), [](int x, int) { return x == 3; }));
    }
  }
  QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xff000000u; }

  PanelPictures pictures_;
  PanelRenderer renderer_;
  Panel panel_;
};

TEST_F(RendererTest, StartShowsThePhotoAndTheBlankScreensOnly) {
  const QImage image = renderer_.Render(panel_);
  EXPECT_EQ(image.size(), QSize(kConsoleWidth, kConsoleHeight));
  EXPECT_EQ(At(image, 5, 5), kPhoto);
  EXPECT_EQ(At(image, 160, 160), kScreen);  // a hidden bomb over the left screen
  EXPECT_EQ(At(image, 500, 150), kScreen);  // right screen
  EXPECT_EQ(At(image, 90, 197), kScreen);   // an empty score slot shows the screen
}

TEST_F(RendererTest, OpaqueSegmentHidesTheSegmentBelowAndTransparentOneDrawsOverIt) {
  // The raised arm Im_Pengo3B (166,154 6x11, opaque) above the bomb Im_BombP35 (156,153
  // 12x20) and below the body Im_Pengo3 (166,159 24x27, black on its top row).
  panel_.SetVisible(Im_BombP35, true);
  panel_.SetVisible(Im_Pengo3B, true);
  panel_.SetVisible(Im_Pengo3, true);
  const QImage image = renderer_.Render(panel_);
  EXPECT_EQ(At(image, 160, 160), kBlack);   // bomb outside the arm's rectangle
  EXPECT_EQ(At(image, 167, 156), kGrey);    // bomb covered by the arm's grey
  EXPECT_EQ(At(image, 166, 156), kBlack);   // the arm's own black column
  EXPECT_EQ(At(image, 168, 159), kBlack);   // the body's black over the arm
  EXPECT_EQ(At(image, 168, 162), kGrey);    // the body's white lets the arm show
  EXPECT_EQ(At(image, 175, 165), kScreen);  // the body's white over the screen
  // Without the arm, the bomb shows where the arm was.
  panel_.SetVisible(Im_Pengo3B, false);
  EXPECT_EQ(At(renderer_.Render(panel_), 167, 156), kBlack);
}

TEST_F(RendererTest, TransparentSegmentOverAnOpaqueOneDrawsItsBlackOnTheGrey) {
  // Im_Pengo2B (138,154 5x8, opaque, all grey) below the body Im_Pengo2 (137,159, black in
  // its third column, x = 139).
  panel_.SetVisible(Im_Pengo2B, true);
  panel_.SetVisible(Im_Pengo2, true);
  const QImage image = renderer_.Render(panel_);
  EXPECT_EQ(At(image, 139, 160), kBlack);
  EXPECT_EQ(At(image, 140, 160), kGrey);
  EXPECT_EQ(At(image, 140, 156), kGrey);
  EXPECT_EQ(At(image, 145, 170), kScreen);
}

TEST_F(RendererTest, ScoreSlotDrawsACopiedGlyphByItsBlackPixels) {
  panel_.CopyPicture(Im_NumPosPS1, Im_Num7);  // 88,195 7x11; the glyph is black at x = 3
  QImage image = renderer_.Render(panel_);
  EXPECT_EQ(At(image, 91, 200), kBlack);
  EXPECT_EQ(At(image, 89, 200), kScreen);  // transparent, not a white rectangle
  // The glyph source itself stays hidden at its own place.
  EXPECT_EQ(At(image, 73, 365), kPhoto);
  panel_.ClearPicture(Im_NumPosPS1);
  EXPECT_EQ(At(renderer_.Render(panel_), 91, 200), kScreen);
}

TEST_F(RendererTest, RepaintOfOneRectangleLeavesTheRestAlone) {
  QImage image = renderer_.Render(panel_);
  panel_.SetVisible(Im_BombP35, true);
  panel_.SetVisible(Im_BombS35, true);  // changed too, but not repainted below
  const auto damage = panel_.TakeDamage();
  EXPECT_TRUE(damage.test(Im_BombP35));
  {
    QPainter painter(&image);
    const QRect area = ToQRect(Info(Im_BombP35).rect);
    painter.setClipRect(area);
    renderer_.Paint(painter, panel_, area);
  }
  EXPECT_EQ(At(image, 160, 160), kBlack);
  EXPECT_EQ(At(image, 538, 165), kScreen);  // Im_BombS35's place keeps its old look
  EXPECT_EQ(image, [&] {
    Panel expected;
    expected.SetVisible(Im_BombP35, true);
    return renderer_.Render(expected);
  }());
}

// A 1-bit picture drawn at `scale` dots per pixel; black where black(x, y) in dots.
template <typename F>
QImage OneBitAt(Component c, int scale, QRgb light, F black) {
  const Rect& r = Info(c).rect;
  QImage image(r.width * scale, r.height * scale, QImage::Format_Mono);
  image.setColorTable({kBlack, light});
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, black(x, y) ? 0 : 1);
  return image;
}

TEST_F(RendererTest, TwoDevicePixelsPerPixelShowTheTwoDotPictures1To1) {
  // A bomb drawn at 2 dots per pixel as a checkerboard of dots: no 1x picture could show it.
  pictures_.Set(
      Im_BombP35,
      OneBitAt(Im_BombP35, 2, qRgb(255, 255, 255), [](int x, int y) { return (x + y) % 2 == 0; }),
      2);
  panel_.SetVisible(Im_BombP35, true);
  const QImage image = renderer_.Render(panel_, 2);
  ASSERT_EQ(image.size(), QSize(1482, 776));
  EXPECT_EQ(image.devicePixelRatio(), 2);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 24; ++x) {
      EXPECT_EQ(At(image, 312 + x, 306 + y), (x + y) % 2 == 0 ? kBlack : kScreen) << x << "," << y;
    }
  }
  // The photo and the screens have only their 1x pictures here: they are enlarged.
  EXPECT_EQ(At(image, 11, 11), kPhoto);
  EXPECT_EQ(At(image, 2 * 100, 2 * 100), kScreen);
}

TEST_F(RendererTest, FractionalRatioShowsTheLcdCrispFromTheNextLargerPictures) {
  // A round bomb at 2 dots per pixel, shown at 1.5: every device pixel of its place is black
  // or the screen beneath, none a grey between, and the ball keeps its size.
  const Rect& r = Info(Im_BombP35).rect;
  pictures_.Set(Im_BombP35,
                OneBitAt(Im_BombP35, 2, qRgb(255, 255, 255),
                         [&](int x, int y) {
                           const double dx = (x + 0.5) / 2 - r.width / 2.0, dy = (y + 0.5) / 2 - 14;
                           return dx * dx + dy * dy <= 25;
                         }),
                2);
  panel_.SetVisible(Im_BombP35, true);
  const QImage image = renderer_.Render(panel_, 1.5);
  ASSERT_EQ(image.size(), QSize(1112, 582));
  int black = 0;
  for (int y = int(r.top * 1.5); y < int((r.top + r.height) * 1.5); ++y) {
    for (int x = int(r.left * 1.5); x < int((r.left + r.width) * 1.5); ++x) {
      const QRgb c = At(image, x, y);
      EXPECT_TRUE(c == kBlack || c == kScreen) << x << "," << y;
      black += c == kBlack;
    }
  }
  const double area = 3.14159 * 25 * 1.5 * 1.5;
  EXPECT_NEAR(black, area, area * 0.08);
}

TEST_F(RendererTest, RepaintAtTwoDevicePixelsPerPixelLeavesTheRestAlone) {
  QImage image = renderer_.Render(panel_, 2);
  panel_.SetVisible(Im_BombP35, true);
  panel_.SetVisible(Im_BombS35, true);  // changed too, but not repainted below
  {
    QPainter painter(&image);
    const QRect area = ToQRect(Info(Im_BombP35).rect);
    painter.setClipRect(area);
    renderer_.Paint(painter, panel_, area);
  }
  EXPECT_EQ(At(image, 320, 320), kBlack);
  EXPECT_EQ(At(image, 2 * 538, 2 * 165), kScreen);
  Panel expected;
  expected.SetVisible(Im_BombP35, true);
  EXPECT_EQ(image, renderer_.Render(expected, 2));
}

}  // namespace
}  // namespace floemark::drawing
