// The committed pictures: sizes, file formats and palettes as the panel needs them, the screens'
// blank LCD under every opaque segment, the few rules that make the segments one scene (players
// on one baseline, bombs shrinking up their lanes, opaque pictures keeping the ink of what they
// are shown with), and every file compiled in as a resource.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

// After <cstdio>: libjpeg's header uses FILE and size_t without including them.
#include <jpeglib.h>

#include "panel/layout.h"

using namespace floemark::panel;

namespace {

constexpr QRgb kLcdGrey = 0xFFBEBEBE;
constexpr QRgb kBandGrey = 0xFFBEBEC5;

std::string Name(Component c) { return std::string(Info(c).name); }

QByteArray ReadAsset(const std::string& file) {
  QFile f(QString::fromStdString("assets/" + file));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

std::uint32_t U32(const QByteArray& b, int at) {
  return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
         std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
         std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

// What the file's own headers say, read without Qt so that a writer's defaults cannot hide.
struct BmpHeader {
  int width = 0, height = 0, bits = 0;
  std::vector<QRgb> palette;
};

bool ParseBmp(const QByteArray& b, BmpHeader& h) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
  const int infoSize = int(U32(b, 14));
  h.width = int(U32(b, 18));
  h.height = int(U32(b, 22));
  h.bits = std::uint8_t(b[28]) | std::uint8_t(b[29]) << 8;
  const int colours = int(U32(b, 46));
  if (U32(b, 30) != 0 || 14 + infoSize + 4 * colours > b.size()) return false;
  for (int i = 0; i < colours; ++i) {
    const int at = 14 + infoSize + 4 * i;
    h.palette.push_back(
        qRgb(std::uint8_t(b[at + 2]), std::uint8_t(b[at + 1]), std::uint8_t(b[at])));
  }
  return true;
}

std::vector<Component> OneBitPictures() {
  std::vector<Component> out;
  for (int i = 0; i < kComponentCount; ++i) {
    if (Info(Component(i)).kind == PictureKind::Bitmap1) out.push_back(Component(i));
  }
  return out;
}

QImage LoadPicture(Component c) {
  return QImage(QString::fromStdString("assets/" + Name(c) + ".bmp"), "BMP");
}

TEST(Assets, OneBitPicturesHaveTheirSizeAndThePaletteOfTheirTransparency) {
  const auto pictures = OneBitPictures();
  ASSERT_EQ(pictures.size(), 110u);  // 100 segments and 10 digit glyphs
  for (Component c : pictures) {
    SCOPED_TRACE(Name(c));
    BmpHeader h;
    ASSERT_TRUE(ParseBmp(ReadAsset(Name(c) + ".bmp"), h));
    EXPECT_EQ(h.width, Info(c).rect.width);
    EXPECT_EQ(h.height, Info(c).rect.height);
    EXPECT_EQ(h.bits, 1);
    const QRgb paper = Info(c).transparent ? qRgb(255, 255, 255) : qRgb(190, 190, 190);
    EXPECT_EQ(h.palette, (std::vector<QRgb>{qRgb(0, 0, 0), paper}));
  }
}

TEST(Assets, EverySegmentShowsSomethingAndLeavesSomethingClear) {
  for (Component c : OneBitPictures()) {
    SCOPED_TRACE(Name(c));
    const QImage img = LoadPicture(c);
    ASSERT_EQ(img.format(), QImage::Format_Mono);
    int black = 0;
    for (int y = 0; y < img.height(); ++y) {
      for (int x = 0; x < img.width(); ++x) black += qGray(img.pixel(x, y)) == 0;
    }
    EXPECT_GT(black, 0);
    EXPECT_LT(black, img.width() * img.height());
  }
}

TEST(Assets, DigitsAreDistinctSevenSegmentGlyphs) {
  // Every digit lights a subset of the bars of 8, and no two digits look alike.
  auto lit = [](int d) {
    const QImage img = LoadPicture(Component(Im_Num0 + d));
    std::set<std::pair<int, int>> on;
    for (int y = 0; y < img.height(); ++y) {
      for (int x = 0; x < img.width(); ++x) {
        if (qGray(img.pixel(x, y)) == 0) on.insert({x, y});
      }
    }
    return on;
  };
  const auto eight = lit(8);
  std::set<std::set<std::pair<int, int>>> seen;
  for (int d = 0; d <= 9; ++d) {
    SCOPED_TRACE(d);
    const auto on = lit(d);
    for (const auto& p : on) EXPECT_TRUE(eight.count(p));
    EXPECT_TRUE(seen.insert(on).second);
  }
}

TEST(Assets, ScreensAreEightBitBlankLcdWithPrintedDetails) {
  for (Component c : {Im_ScreenLeft, Im_ScreenRight}) {
    SCOPED_TRACE(Name(c));
    BmpHeader h;
    ASSERT_TRUE(ParseBmp(ReadAsset(Name(c) + ".bmp"), h));
    EXPECT_EQ(h.width, 191);
    EXPECT_EQ(h.height, 136);
    EXPECT_EQ(h.bits, 8);
    EXPECT_EQ(h.palette.size(), 256u);
    const QImage img = LoadPicture(c);
    std::map<QRgb, int> count;
    for (int y = 0; y < img.height(); ++y) {
      for (int x = 0; x < img.width(); ++x) ++count[img.pixel(x, y)];
    }
    const int all = img.width() * img.height();
    EXPECT_GT(count[kLcdGrey], all * 6 / 10);
    EXPECT_GT(count[kBandGrey], 0);
    EXPECT_GT(count.size(), 3u);  // something is printed besides the two greys
  }
}

TEST(Assets, EveryOpaqueSegmentLiesOnAUniformGreyOfItsScreen) {
  const QImage left = LoadPicture(Im_ScreenLeft), right = LoadPicture(Im_ScreenRight);
  int opaque = 0;
  for (Component c : OneBitPictures()) {
    if (Info(c).transparent) continue;
    ++opaque;
    SCOPED_TRACE(Name(c));
    const Rect& r = Info(c).rect;
    const bool onLeft = Info(Im_ScreenLeft).rect.Intersects(r);
    const Rect& s = Info(onLeft ? Im_ScreenLeft : Im_ScreenRight).rect;
    const QImage& screen = onLeft ? left : right;
    ASSERT_TRUE(s.Contains(r.left, r.top) &&
                s.Contains(r.left + r.width - 1, r.top + r.height - 1));
    const QRgb under = screen.pixel(r.left - s.left, r.top - s.top);
    EXPECT_TRUE(under == kLcdGrey || under == kBandGrey);
    int other = 0;
    for (int y = 0; y < r.height; ++y) {
      for (int x = 0; x < r.width; ++x) {
        other += screen.pixel(r.left - s.left + x, r.top - s.top + y) != under;
      }
    }
    EXPECT_EQ(other, 0);
  }
  EXPECT_EQ(opaque, 22);
}

// The lowest console row with a black pixel of a segment.
int LowestInk(Component c) {
  const QImage img = LoadPicture(c);
  for (int y = img.height() - 1; y >= 0; --y) {
    for (int x = 0; x < img.width(); ++x) {
      if (qGray(img.pixel(x, y)) == 0) return Info(c).rect.top + y;
    }
  }
  return -1;
}

// The longest run of black pixels in a row of the lower part of a bomb's picture: the width of
// its ball, which sits at the bottom under the fuse.
int WidestRun(Component c) {
  const QImage img = LoadPicture(c);
  int widest = 0;
  for (int y = img.height() * 2 / 5; y < img.height(); ++y) {
    int run = 0;
    for (int x = 0; x < img.width(); ++x) {
      run = qGray(img.pixel(x, y)) == 0 ? run + 1 : 0;
      widest = std::max(widest, run);
    }
  }
  return widest;
}

TEST(Assets, PlayersInTheLanesStandOnOneBaseline) {
  EXPECT_EQ(LowestInk(Im_Pengo2), LowestInk(Im_Pengo3));
  EXPECT_EQ(LowestInk(Im_Pengo3), LowestInk(Im_Pengo4));
  EXPECT_EQ(LowestInk(Im_Seal2), LowestInk(Im_Seal3));
  EXPECT_EQ(LowestInk(Im_Seal3), LowestInk(Im_Seal4));
}

TEST(Assets, BombsShrinkAsTheyClimbTheirLane) {
  // Lanes 2..4 from the player's feet to the top, on each screen.
  const std::vector<std::vector<Component>> lanes = {
      {Im_BombP25, Im_BombP24, Im_BombP23, Im_BombP22, Im_BombP21},
      {Im_BombP35, Im_BombP34, Im_BombP33, Im_BombP32, Im_BombP31},
      {Im_BombP45, Im_BombP44, Im_BombP43, Im_BombP42, Im_BombP41},
      {Im_BombS25, Im_BombS24, Im_BombS23, Im_BombS22, Im_BombS21},
      {Im_BombS35, Im_BombS34, Im_BombS33, Im_BombS32, Im_BombS31},
      {Im_BombS45, Im_BombS44, Im_BombS43, Im_BombS42, Im_BombS41},
  };
  for (const auto& lane : lanes) {
    for (std::size_t i = 1; i < lane.size(); ++i) {
      SCOPED_TRACE(Name(lane[i]));
      EXPECT_LT(WidestRun(lane[i]), WidestRun(lane[i - 1]));
    }
  }
}

TEST(Assets, OpaquePicturesKeepTheInkOfWhatTheyAreShownWith) {
  // Each pair is shown together in play: the vulture with the bomb it carries, the first
  // picture of the bonus meal with the second. The upper, opaque picture must not cut the
  // lower one's black pixels off with its grey.
  const std::pair<Component, Component> pairs[] = {
      {Im_VultureP2, Im_BombP21}, {Im_VultureP4, Im_BombP41}, {Im_VultureS4, Im_BombS41},
      {Im_P_EatP1, Im_P_EatP2},   {Im_S_EatS1, Im_S_EatS2},   {Im_S_EatP1, Im_S_EatP2},
  };
  for (const auto& [lower, upper] : pairs) {
    SCOPED_TRACE(Name(upper));
    ASSERT_FALSE(Info(upper).transparent);
    ASSERT_GT(Info(upper).z, Info(lower).z);
    const Rect &a = Info(lower).rect, &b = Info(upper).rect;
    ASSERT_TRUE(a.Intersects(b));
    const QImage low = LoadPicture(lower), up = LoadPicture(upper);
    int lost = 0;
    for (int y = std::max(a.top, b.top); y < std::min(a.top + a.height, b.top + b.height); ++y) {
      for (int x = std::max(a.left, b.left); x < std::min(a.left + a.width, b.left + b.width);
           ++x) {
        lost += qGray(low.pixel(x - a.left, y - a.top)) == 0 &&
                qGray(up.pixel(x - b.left, y - b.top)) != 0;
      }
    }
    EXPECT_EQ(lost, 0);
  }
}

struct JpegFacts {
  bool ok = false;
  int width = 0, height = 0, components = 0;
  bool progressive = true;
  bool baselineMarker = false;
};

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf back;
};

// Reads the frame header with libjpeg; a broken header fails the test instead of ending the test
// program (libjpeg's own error exit). Only plain data lives here, as the jump requires.
bool DecodeJpegHeader(const QByteArray& bytes, JpegFacts& f) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = [](j_common_ptr c) {
    std::longjmp(reinterpret_cast<JpegError*>(c->err)->back, 1);
  };
  if (setjmp(err.back)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  const bool ok = jpeg_read_header(&cinfo, TRUE) == JPEG_HEADER_OK;
  f.width = int(cinfo.image_width);
  f.height = int(cinfo.image_height);
  f.components = cinfo.num_components;
  f.progressive = cinfo.progressive_mode;
  jpeg_destroy_decompress(&cinfo);
  return ok;
}

JpegFacts ReadJpegHeader(const QByteArray& bytes) {
  JpegFacts f;
  if (bytes.size() < 4) return f;
  // The first start-of-frame marker says how the picture is coded; SOF0 is baseline.
  for (int i = 2; i + 3 < bytes.size();) {
    if (std::uint8_t(bytes[i]) != 0xFF) break;
    const int marker = std::uint8_t(bytes[i + 1]);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      f.baselineMarker = marker == 0xC0;
      break;
    }
    i += 2 + (std::uint8_t(bytes[i + 2]) << 8 | std::uint8_t(bytes[i + 3]));
  }
  f.ok = DecodeJpegHeader(bytes, f);
  return f;
}

TEST(Assets, PhotographsAreBaselineColourJpegsOfTheirSize) {
  std::vector<std::tuple<std::string, int, int>> photos = {{"Im_Piccina.jpg", 200, 141},
                                                           {"Im_Foto.jpg", 252, 84}};
  for (int i = 0; i < kComponentCount; ++i) {
    const ComponentInfo& info = Info(Component(i));
    if (info.kind == PictureKind::Jpeg) {
      photos.emplace_back(Name(Component(i)) + ".jpg", info.rect.width, info.rect.height);
    }
  }
  EXPECT_EQ(photos.size(), 11u);
  for (const auto& [file, w, h] : photos) {
    SCOPED_TRACE(file);
    const JpegFacts f = ReadJpegHeader(ReadAsset(file));
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.width, w);
    EXPECT_EQ(f.height, h);
    EXPECT_EQ(f.components, 3);
    EXPECT_FALSE(f.progressive);
    EXPECT_TRUE(f.baselineMarker);
  }
}

TEST(Assets, IconsHaveTheirSizes) {
  for (int size : {16, 32}) {
    const QImage icon(QString("assets/icon%1.png").arg(size), "PNG");
    EXPECT_EQ(icon.size(), QSize(size, size));
  }
}

}  // namespace

// Outside any namespace, as the resource initialiser requires.
static void InitAssets() { Q_INIT_RESOURCE(assets); }

namespace {

TEST(Assets, EveryFileIsAResourceWithTheSameBytes) {
  InitAssets();
  const QStringList files = QDir("assets").entryList(QDir::Files);
  int pictures = 0;
  for (const QString& f : files) {
    if (f == "assets.qrc") continue;
    ++pictures;
    SCOPED_TRACE(f.toStdString());
    QFile resource(":/assets/" + f);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_EQ(resource.readAll(), ReadAsset(f.toStdString()));
  }
  // 110 one-bit pictures, 2 screens, 9 JPEGs of the panel, the console photograph's outline,
  // the splash and about photographs and the icon at nine sizes and as SVG.
  EXPECT_EQ(pictures, 134);
}

}  // namespace
