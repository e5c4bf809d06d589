#include "drawing/pictures.h"

#include <QBitmap>
#include <QFile>
#include <cmath>

#include "drawing/device_grid.h"
#include "drawing/jpeg_decoder.h"

// The resources sit in a static library, whose registration nothing else would pull in.
static void RegisterAssets() {
  Q_INIT_RESOURCE(assets);
  Q_INIT_RESOURCE(assets_2x);
  Q_INIT_RESOURCE(assets_3x);
}

namespace floemark::drawing {

using namespace panel;

namespace {

bool IsWhole(qreal ratio) { return std::abs(ratio - std::round(ratio)) < 1e-3; }

}  // namespace

int ScaleForRatio(qreal ratio) {
  const int n = IsWhole(ratio) ? int(std::round(ratio)) : int(std::ceil(ratio));
  return std::clamp(n, 1, kLargestScale);
}

namespace {

// The resource that holds an asset drawn at `scale`, or an empty string. A resource file
// listed without the folder is accepted at 1x too.
QString AssetPath(const QString& fileName, int scale, QString* error) {
  static const bool registered = (RegisterAssets(), true);
  (void)registered;
  const QString path =
      (scale == 1 ? QStringLiteral(":/assets/") : QStringLiteral(":/assets/%1x/").arg(scale)) +
      fileName;
  if (QFile::exists(path)) return path;
  if (scale == 1 && QFile::exists(QStringLiteral(":/") + fileName))
    return QStringLiteral(":/") + fileName;
  if (error) *error = path.mid(2) + QStringLiteral(": not among the program's resources");
  return {};
}

QString FileName(Component c) {
  const ComponentInfo& info = Info(c);
  return QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size())) +
         (info.kind == PictureKind::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp"));
}

// The form a picture is painted in: a 1-bit one shown by a transparent component as its black
// pixels over transparency, anything else as RGB32, which paints as a plain copy.
QImage Painted(const QImage& source, bool blackOnly) {
  if (!blackOnly || source.depth() != 1) return source.convertToFormat(QImage::Format_RGB32);
  QImage argb = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QRgb white = qRgb(255, 255, 255);
  for (int y = 0; y < argb.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if ((line[x] | 0xff000000u) == white) line[x] = 0;
  }
  return argb;
}

}  // namespace

QImage LoadAsset(const QString& fileName, QString* error, int scale) {
  QFile file(AssetPath(fileName, scale, error));
  if (file.fileName().isEmpty()) return {};
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.fileName().mid(2) + QStringLiteral(": cannot be read");
    return {};
  }
  const QByteArray data = file.readAll();
  if (fileName.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive)) {
    JpegResult r = DecodeJpeg(data);
    if (r.image.isNull() && error) *error = fileName + QStringLiteral(": ") + r.error;
    return r.image;
  }
  QImage image = QImage::fromData(data);
  if (image.isNull() && error) *error = fileName + QStringLiteral(": not a readable picture");
  return image;
}

PanelPictures PanelPictures::FromResources() {
  PanelPictures pictures;
  // Not even looked up yet: Qt reads a resource's size from the first bytes of its data, so
  // that a lookup of every picture at every scale would page in the whole of the denser sets.
  for (auto& set : pictures.sources_)
    for (int i = 0; i < kComponentCount; ++i)
      set[std::size_t(i)].inResources = Info(Component(i)).kind != PictureKind::None;
  QString error;
  const QImage outline = LoadAsset(QStringLiteral("Im_Base_outline.bmp"), &error);
  if (outline.isNull())
    pictures.errors_ << error;
  else
    pictures.SetOutline(outline);
  return pictures;
}

QRegion PanelPictures::Body() const {
  if (outline_.isNull()) return {};
  // A bitmap's set (black) pixels make the region.
  return QRegion(
      QBitmap::fromImage(outline_.convertToFormat(QImage::Format_Mono), Qt::ThresholdDither));
}

void PanelPictures::Set(Component c, const QImage& source, int scale) {
  sources_[std::size_t(scale - 1)][c].given = source;
  recent_ = {};
}

bool PanelPictures::Has(int scale, Component held) const {
  const Source& s = sources_[std::size_t(scale - 1)][held];
  return !s.given.isNull() || s.inResources;
}

QImage PanelPictures::Decode(int scale, Component held) const {
  const Source& s = sources_[std::size_t(scale - 1)][held];
  if (!s.given.isNull() || !s.inResources) return s.given;
  QString error;
  QImage image = LoadAsset(FileName(held), &error, scale);
  if (image.isNull()) {
    // Asked once: from now on the picture counts as missing at this scale.
    s.inResources = false;
    errors_ << error;
  }
  return image;
}

bool PanelPictures::BlackOnly(Component c, int scale, Component held) const {
  // Transparency belongs to the component showing the picture: a score slot draws a copied
  // glyph by its black pixels, a console button a copied switch picture whole.
  if (!Info(c).transparent) return false;
  const QImage& given = sources_[std::size_t(scale - 1)][held].given;
  return given.isNull() ? Info(held).kind == PictureKind::Bitmap1 : given.depth() == 1;
}

PanelPictures::Made& PanelPictures::ForRatio(qreal ratio) const {
  const int milli = int(std::lround(ratio * 1000));
  if (recent_[0].milliRatio != milli) {
    if (recent_[1].milliRatio == milli) {
      std::swap(recent_[0], recent_[1]);
    } else {
      recent_[1] = std::move(recent_[0]);
      recent_[0] = Made{milli, {}};
    }
  }
  return recent_[0];
}

DevicePicture PanelPictures::ForScreen(Component c, Component held, qreal ratio) const {
  const Rect& place = Info(c).rect;
  const int wanted = ScaleForRatio(ratio);
  Made& made = ForRatio(ratio);
  if (IsWhole(ratio) && wanted == std::round(ratio) && Has(wanted, held)) {
    const bool blackOnly = BlackOnly(c, wanted, held);
    const QPoint origin(place.left * wanted, place.top * wanted);
    const auto key = std::make_tuple(-1, int(held), blackOnly);
    if (auto it = made.images.find(key); it != made.images.end()) return {it->second, origin};
    const QImage source = Decode(wanted, held);
    if (!source.isNull()) return {made.images[key] = Painted(source, blackOnly), origin};
  }

  // The scale wanted, or failing that the densest one that has the picture.
  int scale = wanted;
  for (int s = kLargestScale; s >= 1 && !Has(scale, held); --s) scale = s;
  const bool blackOnly = BlackOnly(c, scale, held);
  const auto key = std::make_tuple(int(c), int(held), blackOnly);
  auto it = made.images.find(key);
  if (it == made.images.end()) {
    QImage source = Decode(scale, held);
    // Undecodable: the next densest that has one.
    for (int s = kLargestScale; s >= 1 && source.isNull(); --s)
      if (Has(s, held)) source = Decode(scale = s, held);
    it = made.images
             .emplace(key, source.isNull()
                               ? QImage()
                               : Painted(Resample(source, scale, place, ratio), blackOnly))
             .first;
  }
  if (it->second.isNull()) return {};
  return {it->second, DeviceRect(place, ratio).topLeft()};
}

}  // namespace floemark::drawing
