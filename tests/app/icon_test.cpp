// The program icon as the desktop and the window system get it: the committed pictures in
// assets/ (the generator's output, checked byte for byte by assets-up-to-date).
#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>

#include "app/desktop/program_icon.h"

namespace floemark::app {
namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

QImage Icon(int size) {
  return QImage(QStringLiteral("assets/icon%1.png").arg(size), "PNG")
      .convertToFormat(QImage::Format_ARGB32);
}

int DifferingPixels(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
  return differing;
}

TEST(ProgramIcon, EverySizeHasSixteenColoursAtMostAndHardEdges) {
  for (const int size : kSizes) {
    SCOPED_TRACE(size);
    const QImage icon = Icon(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    QSet<QRgb> colours;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const QRgb c = icon.pixel(x, y);
        colours.insert(qAlpha(c) == 0 ? 0 : c);
        ASSERT_TRUE(qAlpha(c) == 0 || qAlpha(c) == 255) << x << "," << y;
      }
    }
    // Transparency counts as one of the sixteen, as in a classic icon.
    EXPECT_LE(colours.size(), 16);
    EXPECT_GE(colours.size(), 8) << "too few colours for the drawing";
    // The corners are clear and the middle (the hinge) is drawn.
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
  }
}

TEST(ProgramIcon, EverySizeIsDrawnAtItsSizeNotScaledFromAnother) {
  for (std::size_t i = 0; i + 1 < std::size(kSizes); ++i) {
    for (std::size_t j = i + 1; j < std::size(kSizes); ++j) {
      SCOPED_TRACE(QStringLiteral("%1 from %2").arg(kSizes[j]).arg(kSizes[i]).toStdString());
      const QImage scaled = Icon(kSizes[i]).scaled(kSizes[j], kSizes[j], Qt::IgnoreAspectRatio,
                                                   Qt::FastTransformation);
      EXPECT_GT(DifferingPixels(Icon(kSizes[j]), scaled), 0);
    }
  }
}

TEST(ProgramIcon, TheTwoHalvesOfTheConsoleMirrorEachOther) {
  // Apart from the screens, where the penguin and the seal face each other.
  for (const int size : kSizes) {
    SCOPED_TRACE(size);
    const QImage icon = Icon(size);
    const int lcdTop = size * 8 / 32, lcdBottom = size * 18 / 32;
    for (int y = 0; y < size; ++y) {
      if (y >= lcdTop && y <= lcdBottom) continue;
      for (int x = 0; x < size / 2; ++x)
        ASSERT_EQ(icon.pixel(x, y), icon.pixel(size - 1 - x, y)) << x << "," << y;
    }
  }
}

TEST(ProgramIcon, TheScalableIconIsTheSameDrawing) {
  QFile file(QStringLiteral("assets/icon.svg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray svg = file.readAll();
  QSet<QString> fills;
  const QRegularExpression fill(QStringLiteral("fill=\"(#[0-9a-f]{6})\""));
  for (const auto& m : fill.globalMatch(QString::fromUtf8(svg))) fills.insert(m.captured(1));
  EXPECT_LE(fills.size(), 15);

  QSvgRenderer renderer(svg);
  ASSERT_TRUE(renderer.isValid());
  for (const int size : {48, 128, 512}) {
    SCOPED_TRACE(size);
    QImage drawn(size, size, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    QPainter p(&drawn);
    p.setRenderHint(QPainter::Antialiasing, false);
    renderer.render(&p);
    p.end();
    // The SVG renderer smooths the edges, so only the pixels inside a shape of the bitmap
    // (whose neighbours all have its colour) must agree, a good third of it even at 48 px.
    const QImage bitmap = Icon(size);
    int inside = 0, differing = 0;
    for (int y = 1; y + 1 < size; ++y) {
      for (int x = 1; x + 1 < size; ++x) {
        const QRgb c = bitmap.pixel(x, y);
        bool uniform = true;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) uniform &= bitmap.pixel(x + dx, y + dy) == c;
        if (!uniform) continue;
        ++inside;
        const QRgb d = drawn.pixel(x, y);
        const auto near = [](int a, int b) { return std::abs(a - b) <= 8; };
        differing += !(near(qAlpha(c), qAlpha(d)) &&
                       (qAlpha(c) == 0 || (near(qRed(c), qRed(d)) && near(qGreen(c), qGreen(d)) &&
                                           near(qBlue(c), qBlue(d)))));
      }
    }
    EXPECT_GT(inside, size * size / 3);
    EXPECT_LE(differing, inside / 200);
  }
}

// The theme's sizes up to the largest a window manager shows, each the theme's own picture; the
// larger ones (kept as pixels for the run, and sent for every window) are left out.
TEST(ProgramIcon, TheWindowIconHasTheThemesSizesUpToTheLargestShown) {
  const QIcon icon = ProgramIcon();
  QList<QSize> expected;
  for (const int size : kSizes)
    if (size <= kLargestWindowIcon) expected << QSize(size, size);
  ASSERT_EQ(expected.size(), 7);
  QList<QSize> sizes = icon.availableSizes();
  std::sort(sizes.begin(), sizes.end(),
            [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
  EXPECT_EQ(sizes, expected);
  for (const QSize& size : expected) {
    SCOPED_TRACE(size.width());
    EXPECT_EQ(DifferingPixels(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                              Icon(size.width())),
              0);
  }
}

}  // namespace
}  // namespace floemark::app
