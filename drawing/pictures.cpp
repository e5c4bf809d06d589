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

QImage LoadAsset(const QString& fileName, QString* error, int scale) {
  static const bool registered = (RegisterAssets(), true);
  (void)registered;
  const QString folder =
      scale == 1 ? QStringLiteral(":/assets/") : QStringLiteral(":/assets/%1x/").arg(scale);
  // A resource file listed without the folder is accepted too.
  QFile file(folder + fileName);
  if (!file.exists() && scale == 1) file.setFileName(QStringLiteral(":/") + fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error)
      *error = file.fileName().mid(2) + QStringLiteral(": not among the program's resources");
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
  for (int scale = 1; scale <= kLargestScale; ++scale) {
    for (int i = 0; i < kComponentCount; ++i) {
      const Component c = static_cast<Component>(i);
      const ComponentInfo& info = Info(c);
      if (info.kind == PictureKind::None) continue;
      const QString name =
          QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size())) +
          (info.kind == PictureKind::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp"));
      QString error;
      const QImage image = LoadAsset(name, &error, scale);
      if (image.isNull())
        pictures.errors_ << error;
      else
        pictures.Set(c, image, scale);
    }
  }
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

PanelPictures::Forms PanelPictures::Prepare(const QImage& source) {
  Forms f;
  f.source = source;
  // Painting from RGB32 is a plain copy; the stored formats are kept in source.
  f.whole = source.convertToFormat(QImage::Format_RGB32);
  if (source.depth() == 1) {
    QImage argb = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < argb.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
      for (int x = 0; x < argb.width(); ++x)
        if ((line[x] | 0xff000000u) == white) line[x] = 0;
    }
    f.blackOnly = std::move(argb);
  }
  return f;
}

void PanelPictures::Set(Component c, const QImage& source, int scale) {
  At(scale, c) = Prepare(source);
  resampled_.clear();
}

DevicePicture PanelPictures::ForScreen(Component c, Component held, qreal ratio) const {
  const ComponentInfo& info = Info(c);
  // Transparency belongs to the component showing the picture: a score slot draws a copied
  // glyph by its black pixels, a console button a copied switch picture whole.
  auto pick = [&](const Forms& f) -> const QImage& {
    return info.transparent && !f.blackOnly.isNull() ? f.blackOnly : f.whole;
  };
  const int wanted = ScaleForRatio(ratio);
  const Forms& exact = sets_[std::size_t(wanted - 1)][held];
  if (IsWhole(ratio) && wanted == std::round(ratio) && !exact.source.isNull())
    return {pick(exact), QPoint(info.rect.left * wanted, info.rect.top * wanted)};

  const auto key = std::make_tuple(int(std::lround(ratio * 1000)), int(c), int(held));
  if (auto it = resampled_.find(key); it != resampled_.end()) return it->second;
  // The set wanted, or failing that the densest one that holds the picture.
  int scale = wanted;
  for (int s = kLargestScale; s >= 1 && sets_[std::size_t(scale - 1)][held].source.isNull(); --s)
    scale = s;
  const Forms& from = sets_[std::size_t(scale - 1)][held];
  DevicePicture made;
  if (!from.source.isNull()) {
    made.image = pick(Prepare(Resample(from.source, scale, info.rect, ratio)));
    made.origin = DeviceRect(info.rect, ratio).topLeft();
  }
  return resampled_[key] = made;
}

}  // namespace floemark::drawing
