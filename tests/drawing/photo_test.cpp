// The console's moving parts are pictures laid over the photograph: a key indicator shows its
// key at rest over the photographed pressed key, a switch picture shows the knob moved. Each
// must meet the photo around it without a visible seam, and must differ from it where the part
// moves, or the press would not show.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <string>

#include "panel/layout.h"

namespace {

using floemark::panel::Component;
using floemark::panel::Info;

QString AssetPath(Component c) {
  const auto name = Info(c).name;
  return QStringLiteral("assets/") + QString::fromLatin1(name.data(), int(name.size())) +
         QStringLiteral(".jpg");
}

struct Diff {
  double edgeMean = 0;    // mean channel difference along the picture's outermost pixels
  double centreMean = 0;  // the same over the middle third of the picture
};

int ChannelDiff(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

// Compares a picture with the photo beneath the place it is drawn at.
Diff Compare(const QImage& photo, const QImage& pic, int left, int top) {
  Diff d;
  int edgeCount = 0, centreCount = 0;
  for (int y = 0; y < pic.height(); ++y) {
    for (int x = 0; x < pic.width(); ++x) {
      const int diff = ChannelDiff(pic.pixel(x, y), photo.pixel(left + x, top + y)) / 3;
      const bool edge = x == 0 || y == 0 || x == pic.width() - 1 || y == pic.height() - 1;
      const bool centre = x >= pic.width() / 3 && x < pic.width() * 2 / 3 &&
                          y >= pic.height() / 3 && y < pic.height() * 2 / 3;
      if (edge) d.edgeMean += diff, ++edgeCount;
      if (centre) d.centreMean += diff, ++centreCount;
    }
  }
  d.edgeMean /= edgeCount;
  d.centreMean /= centreCount;
  return d;
}

class PhotoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QFile::exists(AssetPath(floemark::panel::Im_Base)))
      GTEST_SKIP() << "assets/ holds no generated pictures yet";
    photo_ = QImage(AssetPath(floemark::panel::Im_Base));
    ASSERT_FALSE(photo_.isNull());
  }

  QImage Load(Component c) {
    QImage img(AssetPath(c));
    EXPECT_FALSE(img.isNull()) << AssetPath(c).toStdString();
    return img;
  }

  QImage photo_;
};

// JPEG coding alone leaves about three levels of difference at a seam (the two pictures are
// coded on different block grids); a real mismatch in shading
// or in the surroundings of a part shows as tens of levels.
constexpr double kSeamTolerance = 6.0;
constexpr double kMovedAtLeast = 20.0;

TEST_F(PhotoTest, KeyIndicatorsBlendAtTheirEdgesAndShowTheKeyRaised) {
  for (Component key : {floemark::panel::Puls_PenguinAttack, floemark::panel::Puls_PenguinLeft,
                        floemark::panel::Puls_PenguinRight, floemark::panel::Puls_SealAttack,
                        floemark::panel::Puls_SealLeft, floemark::panel::Puls_SealRight}) {
    const auto& r = Info(key).rect;
    const QImage pic = Load(key);
    ASSERT_EQ(pic.size(), QSize(r.width, r.height)) << Info(key).name;
    const Diff d = Compare(photo_, pic, r.left, r.top);
    EXPECT_LT(d.edgeMean, kSeamTolerance) << Info(key).name;
    EXPECT_GT(d.centreMean, kMovedAtLeast) << Info(key).name;
  }
}

TEST_F(PhotoTest, SwitchPicturesBlendAtEveryPlaceTheyAreCopiedTo) {
  struct Use {
    Component picture, place;
  };
  for (const Use u : {Use{floemark::panel::Puls_On, floemark::panel::Puls_Power},
                      Use{floemark::panel::Puls_Off, floemark::panel::Puls_Select},
                      Use{floemark::panel::Puls_Off, floemark::panel::Puls_Sound}}) {
    const auto& r = Info(u.place).rect;
    const QImage pic = Load(u.picture);
    ASSERT_EQ(pic.size(), QSize(r.width, r.height)) << Info(u.picture).name;
    const Diff d = Compare(photo_, pic, r.left, r.top);
    EXPECT_LT(d.edgeMean, kSeamTolerance) << Info(u.picture).name << " at " << Info(u.place).name;
    EXPECT_GT(d.centreMean, kMovedAtLeast) << Info(u.picture).name << " at " << Info(u.place).name;
  }
}

}  // namespace
