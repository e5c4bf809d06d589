// The pictures drawn for denser screens (2 and 3 dots per pixel), as compiled into the program:
// each has its 1x picture's size times the scale exactly; an LCD picture is drawn anew at its
// scale, not its 1x picture with every pixel repeated, and yet its ink stays where the 1x ink is,
// so that the segments of a screen still meet as one scene; a printed screen keeps its palette
// and its print in place; a photograph shows the same scene as at 1x.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/jpeg_decoder.h"
#include "drawing/pictures.h"
#include "panel/layout.h"

namespace floemark::drawing {
namespace {

using namespace panel;

std::string Name(Component c) { return std::string(Info(c).name); }
QString File(Component c) {
  return QString::fromStdString(Name(c)) +
         (Info(c).kind == PictureKind::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp"));
}

std::vector<Component> OfKind(PictureKind kind) {
  std::vector<Component> out;
  for (int i = 0; i < kComponentCount; ++i) {
    if (Info(Component(i)).kind == kind) out.push_back(Component(i));
  }
  return out;
}

bool Ink(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) == 0; }

// How far, in 1x pixels, the point (px, py) lies from the nearest ink pixel of `base` (0 inside
// one); `reach` bounds the search.
double DistanceToInk(const QImage& base, double px, double py, int reach) {
  double best = reach + 1;
  const int cx = int(std::floor(px)), cy = int(std::floor(py));
  for (int y = std::max(0, cy - reach); y <= std::min(base.height() - 1, cy + reach); ++y) {
    for (int x = std::max(0, cx - reach); x <= std::min(base.width() - 1, cx + reach); ++x) {
      if (!Ink(base, x, y)) continue;
      const double dx = std::max({x - px, 0.0, px - (x + 1)});
      const double dy = std::max({y - py, 0.0, py - (y + 1)});
      best = std::min(best, std::hypot(dx, dy));
    }
  }
  return best;
}

// The dense picture's ink against the 1x ink: how far the farthest dense ink dot lies from the
// 1x ink, how far the farthest 1x ink pixel lies from the dense ink, and whether the dense
// picture is the 1x one with each pixel repeated.
struct InkMatch {
  double strayDot = 0, lostPixel = 0;
  bool repeated = true;
};

InkMatch Match(const QImage& base, const QImage& dense, int scale) {
  InkMatch m;
  // The dense ink as 1x pixels: a pixel is "reached" when a dense dot inside it is ink.
  QImage reached(base.size(), QImage::Format_Mono);
  reached.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  reached.fill(1);
  for (int y = 0; y < dense.height(); ++y) {
    for (int x = 0; x < dense.width(); ++x) {
      const bool ink = Ink(dense, x, y);
      m.repeated = m.repeated && ink == Ink(base, x / scale, y / scale);
      if (!ink) continue;
      reached.setPixel(x / scale, y / scale, 0);
      m.strayDot =
          std::max(m.strayDot, DistanceToInk(base, (x + 0.5) / scale, (y + 0.5) / scale, 3));
    }
  }
  for (int y = 0; y < base.height(); ++y) {
    for (int x = 0; x < base.width(); ++x) {
      if (Ink(base, x, y))
        m.lostPixel = std::max(m.lostPixel, DistanceToInk(reached, x + 0.5, y + 0.5, 3));
    }
  }
  return m;
}

class ScaledAssets : public ::testing::TestWithParam<int> {};

TEST_P(ScaledAssets, EveryPictureHasItsSizeTimesTheScale) {
  const int scale = GetParam();
  int checked = 0;
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = Component(i);
    if (Info(c).kind == PictureKind::None) continue;
    SCOPED_TRACE(Name(c));
    QString error;
    const QImage img = LoadAsset(File(c), &error, scale);
    ASSERT_FALSE(img.isNull()) << error.toStdString();
    EXPECT_EQ(img.size(), QSize(Info(c).rect.width * scale, Info(c).rect.height * scale));
    ++checked;
  }
  EXPECT_EQ(checked, 121);  // 110 1-bit pictures, 2 screens, 9 photographs
  for (const auto& [file, size] : {std::pair{QStringLiteral("Im_Piccina.jpg"), QSize(200, 141)},
                                   std::pair{QStringLiteral("Im_Foto.jpg"), QSize(252, 84)}}) {
    SCOPED_TRACE(file.toStdString());
    const QImage img = LoadAsset(file, nullptr, scale);
    EXPECT_EQ(img.size(), size * scale);
  }
}

TEST_P(ScaledAssets, LcdPicturesAreDrawnAtTheirScaleWithTheirPalette) {
  const int scale = GetParam();
  const auto pictures = OfKind(PictureKind::Bitmap1);
  ASSERT_EQ(pictures.size(), 110u);
  for (Component c : pictures) {
    SCOPED_TRACE(Name(c));
    const QImage base = LoadAsset(File(c)), dense = LoadAsset(File(c), nullptr, scale);
    ASSERT_EQ(dense.format(), QImage::Format_Mono);
    EXPECT_EQ(dense.colorTable(), base.colorTable());
    const InkMatch m = Match(base, dense, scale);
    EXPECT_FALSE(m.repeated) << "the 1x picture with its pixels repeated";
    // Where the 1x picture rounds a curve to whole pixels the dense one follows the curve, so
    // its edge may move by up to a pixel; a point or a sliver that the 1x picture loses to the
    // whole pixels (a flipper's tip, a sliver beside a gap) may reach half a pixel further.
    EXPECT_LE(m.strayDot, 1.5);
    EXPECT_LE(m.lostPixel, 1.0);
  }
}

TEST_P(ScaledAssets, PrintedScreensKeepTheirPaletteAndTheirPrintInPlace) {
  const int scale = GetParam();
  for (Component c : {Im_ScreenLeft, Im_ScreenRight}) {
    SCOPED_TRACE(Name(c));
    const QImage base = LoadAsset(File(c)), dense = LoadAsset(File(c), nullptr, scale);
    ASSERT_EQ(dense.format(), QImage::Format_Indexed8);
    EXPECT_EQ(dense.colorTable(), base.colorTable());
    // Every dot has the colour of the 1x pixel it lies in, or of one next to it.
    int misplaced = 0;
    for (int y = 0; y < dense.height(); ++y) {
      for (int x = 0; x < dense.width(); ++x) {
        const int px = x / scale, py = y / scale;
        bool near = false;
        for (int dy = -1; dy <= 1 && !near; ++dy) {
          for (int dx = -1; dx <= 1 && !near; ++dx) {
            const int qx = std::clamp(px + dx, 0, base.width() - 1);
            const int qy = std::clamp(py + dy, 0, base.height() - 1);
            near = base.pixelIndex(qx, qy) == dense.pixelIndex(x, y);
          }
        }
        misplaced += !near;
      }
    }
    EXPECT_EQ(misplaced, 0);
  }
}

TEST_P(ScaledAssets, OpaqueSegmentsStillLieOnAUniformGreyOfTheirScreen) {
  const int scale = GetParam();
  for (Component c : OfKind(PictureKind::Bitmap1)) {
    if (Info(c).transparent) continue;
    SCOPED_TRACE(Name(c));
    const Rect& r = Info(c).rect;
    const bool left = Info(Im_ScreenLeft).rect.Intersects(r);
    const Rect& s = Info(left ? Im_ScreenLeft : Im_ScreenRight).rect;
    const QImage screen = LoadAsset(File(left ? Im_ScreenLeft : Im_ScreenRight), nullptr, scale);
    const int x0 = (r.left - s.left) * scale, y0 = (r.top - s.top) * scale;
    const int under = screen.pixelIndex(x0, y0);
    int other = 0;
    for (int y = 0; y < r.height * scale; ++y) {
      for (int x = 0; x < r.width * scale; ++x) other += screen.pixelIndex(x0 + x, y0 + y) != under;
    }
    EXPECT_EQ(other, 0);
  }
}

TEST_P(ScaledAssets, PhotographsShowTheSameSceneAsAtOneDotPerPixel) {
  const int scale = GetParam();
  std::vector<QString> files = {QStringLiteral("Im_Piccina.jpg"), QStringLiteral("Im_Foto.jpg")};
  for (Component c : OfKind(PictureKind::Jpeg)) files.push_back(File(c));
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    const QImage base = LoadAsset(file);
    QImage dense = LoadAsset(file, nullptr, scale);
    // Reduced to 1x by the mean of each pixel's dots, the dense photograph is the 1x one but
    // for the grain and the finer detail.
    dense = dense.scaled(base.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int y = 0; y < base.height(); ++y) {
      for (int x = 0; x < base.width(); ++x) {
        const QRgb a = base.pixel(x, y), b = dense.pixel(x, y);
        sum += (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                std::abs(qBlue(a) - qBlue(b))) /
               3.0;
      }
    }
    EXPECT_LT(sum / (base.width() * base.height()), 8.0);
  }
}

INSTANTIATE_TEST_SUITE_P(TwoAndThreeDotsPerPixel, ScaledAssets, ::testing::Values(2, 3),
                         [](const auto& info) { return std::to_string(info.param) + "x"; });

}  // namespace
}  // namespace floemark::drawing
