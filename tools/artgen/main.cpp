// floemark-artgen OUTDIR: draws every picture of the program into OUTDIR, the same bytes on
// every run. The committed assets/ are its output; a test checks that they still match.
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "tools/artgen/artgen.h"

using namespace floemark;
using namespace floemark::panel;
using namespace floemark::artgen;

namespace {

bool Save(const QImage& img, const QString& path, const char* format, int quality = -1) {
  if (!img.save(path, format, quality)) {
    std::fprintf(stderr, "floemark-artgen: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floemark-artgen OUTDIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]) + "/";
  bool ok = true;
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    const ComponentInfo& info = Info(c);
    const QString name = QString::fromLatin1(info.name.data(), int(info.name.size()));
    switch (info.kind) {
      case PictureKind::Bitmap1:
        ok &= Save(DrawSegment(c), out + name + ".bmp", "BMP");
        break;
      case PictureKind::Bitmap8:
        ok &= Save(DrawScreenBackground(c == Im_ScreenRight), out + name + ".bmp", "BMP");
        break;
      case PictureKind::Jpeg: {
        QImage img = c == Im_Base                        ? DrawConsolePhoto()
                     : (c == Puls_On || c == Puls_Off) ? DrawSwitchPicture(c)
                                                       : DrawKeyIndicator(c);
        ok &= Save(img, out + name + ".jpg", "JPG", 92);
        break;
      }
      case PictureKind::None:
        break;
    }
  }
  ok &= Save(DrawSplashPicture(), out + "Im_Piccina.jpg", "JPG", 92);
  ok &= Save(DrawAboutPhoto(), out + "Im_Foto.jpg", "JPG", 92);
  ok &= Save(DrawIcon(16), out + "icon16.png", "PNG");
  ok &= Save(DrawIcon(32), out + "icon32.png", "PNG");
  return ok ? 0 : 1;
}
