#include "app/pictures.h"

#include <QBitmap>
#include <QFile>

#include "app/jpeg_decoder.h"

// The resources sit in a static library, whose registration nothing else would pull in.
static void RegisterAssets() { Q_INIT_RESOURCE(assets); }

namespace floemark::app {

using namespace panel;

QImage LoadAsset(const QString& fileName, QString* error) {
  static const bool registered = (RegisterAssets(), true);
  (void)registered;
  // The assets live under :/assets; a resource file listed without that prefix is accepted too.
  QFile file(QStringLiteral(":/assets/") + fileName);
  if (!file.exists()) file.setFileName(QStringLiteral(":/") + fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = fileName + QStringLiteral(": not among the program's resources");
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
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    const ComponentInfo& info = Info(c);
    if (info.kind == PictureKind::None) continue;
    const QString name =
        QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size())) +
        (info.kind == PictureKind::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp"));
    QString error;
    const QImage image = LoadAsset(name, &error);
    if (image.isNull())
      pictures.errors_ << error;
    else
      pictures.Set(c, image);
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

void PanelPictures::Set(Component c, const QImage& source) {
  source_[c] = source;
  // Painting from RGB32 is a plain copy; the stored formats are kept in source_.
  whole_[c] = source.convertToFormat(QImage::Format_RGB32);
  blackOnly_[c] = QImage();
  if (source.depth() == 1) {
    QImage argb = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < argb.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
      for (int x = 0; x < argb.width(); ++x)
        if ((line[x] | 0xff000000u) == white) line[x] = 0;
    }
    blackOnly_[c] = std::move(argb);
  }
}

}  // namespace floemark::app
