// floemark-artgen OUTDIR: draws every picture of the program into OUTDIR, the same bytes on
// every run, with the resource list assets.qrc that compiles them into the program. The
// committed assets/ are its output; a test checks that they still match.
// floemark-artgen --scale N OUTDIR: the same pictures drawn at N dots per pixel, for screens
// of that density (the build makes the sets for 2 and 3; the program icon is not among them).
// floemark-artgen --preview OUT.png [--scale N] [--all | NAME...]: paints the console with the
// named segments shown (every segment and the scores 15 and 15 with --all), to judge the art.
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "tools/artgen/artgen.h"
#include "tools/artgen/bmp_writer.h"
#include "tools/artgen/preview.h"

using namespace floemark;
using namespace floemark::panel;
using namespace floemark::artgen;

namespace {

bool Save(const QImage& img, const QString& dir, const QString& file, QStringList& written,
          const char* format, int quality = -1) {
  if (!img.save(dir + file, format, quality)) {
    std::fprintf(stderr, "floemark-artgen: cannot write %s\n", qPrintable(dir + file));
    return false;
  }
  written << file;
  return true;
}

bool SaveBmp(const QImage& img, const QString& dir, const QString& file, QStringList& written) {
  const QByteArray bytes = EncodeBmp(img);
  QFile out(dir + file);
  if (bytes.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "floemark-artgen: cannot write %s\n", qPrintable(dir + file));
    return false;
  }
  written << file;
  return true;
}

// The set drawn at scale n lives under :/assets, the others under :/assets/<n>x.
bool WriteResourceList(const QString& dir, const QStringList& files, int scale) {
  const QByteArray prefix = scale == 1 ? "/assets" : "/assets/" + QByteArray::number(scale) + "x";
  QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"" + prefix + "\">\n";
  for (const QString& f : files) qrc += "  <file>" + f.toLatin1() + "</file>\n";
  qrc += "</qresource>\n</RCC>\n";
  QFile out(dir + "assets.qrc");
  if (!out.open(QIODevice::WriteOnly) || out.write(qrc) != qrc.size()) {
    std::fprintf(stderr, "floemark-artgen: cannot write %s\n", qPrintable(out.fileName()));
    return false;
  }
  return true;
}

int WriteAssets(const QString& out, int scale) {
  bool ok = true;
  QStringList written;
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    const ComponentInfo& info = Info(c);
    const QString name = QString::fromLatin1(info.name.data(), int(info.name.size()));
    switch (info.kind) {
      case PictureKind::Bitmap1:
        ok &= SaveBmp(DrawSegment(c, scale), out, name + ".bmp", written);
        break;
      case PictureKind::Bitmap8:
        ok &=
            SaveBmp(DrawScreenBackground(c == Im_ScreenRight, scale), out, name + ".bmp", written);
        break;
      case PictureKind::Jpeg: {
        QImage img = c == Im_Base                      ? DrawConsolePhoto(scale)
                     : (c == Puls_On || c == Puls_Off) ? DrawSwitchPicture(c, scale)
                                                       : DrawKeyIndicator(c, scale);
        ok &= Save(img, out, name + ".jpg", written, "JPG", 92);
        break;
      }
      case PictureKind::None:
        break;
    }
  }
  ok &= Save(DrawSplashPicture(scale), out, "Im_Piccina.jpg", written, "JPG", 92);
  ok &= Save(DrawAboutPhoto(scale), out, "Im_Foto.jpg", written, "JPG", 92);
  if (scale == 1) {
    // The window's shape is laid out in its own pixels, whatever the screen's density.
    ok &= SaveBmp(DrawConsoleOutline(), out, "Im_Base_outline.bmp", written);
    ok &= Save(DrawIcon(16), out, "icon16.png", written, "PNG");
    ok &= Save(DrawIcon(32), out, "icon32.png", written, "PNG");
  }
  ok &= WriteResourceList(out, written, scale);
  return ok ? 0 : 1;
}

int WritePreview(const QString& path, QStringList names) {
  int scale = 1;
  if (names.size() >= 2 && names[0] == "--scale") {
    scale = std::clamp(names[1].toInt(), 1, 4);
    names = names.mid(2);
  }
  std::vector<Component> shown;
  const bool all = names.contains("--all");
  for (int i = 0; i < kComponentCount; ++i) {
    const Component c = static_cast<Component>(i);
    const ComponentInfo& info = Info(c);
    const QString name = QString::fromLatin1(info.name.data(), int(info.name.size()));
    const bool glyph = c >= Im_Num0 && c <= Im_Num9;
    if (info.kind == PictureKind::Bitmap1 && !glyph &&
        (all || names.contains(name) || names.contains(name.mid(3)))) {
      shown.push_back(c);
    }
  }
  for (const QString& n : names) {
    if (n != "--all" && !FindComponent(n.toStdString()) &&
        !FindComponent("Im_" + n.toStdString())) {
      std::fprintf(stderr, "floemark-artgen: no component %s\n", qPrintable(n));
      return 2;
    }
  }
  if (!ComposePreview(shown, all, scale).save(path, "PNG")) {
    std::fprintf(stderr, "floemark-artgen: cannot write %s\n", qPrintable(path));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() >= 2 && args[0] == "--preview") return WritePreview(args[1], args.mid(2));
  if (args.size() == 1 && !args[0].startsWith("--")) return WriteAssets(args[0] + "/", 1);
  if (args.size() == 3 && args[0] == "--scale" && args[1].toInt() >= 2 && args[1].toInt() <= 4)
    return WriteAssets(args[2] + "/", args[1].toInt());
  std::fprintf(stderr,
               "usage: floemark-artgen OUTDIR\n"
               "       floemark-artgen --scale N OUTDIR   (N = 2, 3 or 4)\n"
               "       floemark-artgen --preview OUT.png [--scale N] [--all | NAME...]\n");
  return 2;
}
