// floemark-e2e-screen: reads what a person sees on a whole desktop, from a screenshot (an X
// server's root window, or a compositor's own screenshot), for the desktop tests.
//   grab OUT.png                    the X root window of $DISPLAY, as a PNG
//   find SHOT.png splash|console    "X Y" of the splash's or the console's client area in the
//                                   shot, found by their pictures; exit 1 when it is not there
//   lcd SHOT.png X Y ASSETS         the LCD of the console at X, Y (as floemark-e2e-play reads it)
//   differ A.png B.png X Y W H      how many pixels of the rectangle differ between two shots
//   outside SHOT.png X Y W H        how many pixels outside the rectangle differ from the shot's
//                                   top-left pixel (a desktop of one plain colour)
//   within SHOT.png X Y PICTURE [SCALE]
//                                   how many pixels of PICTURE (a PNG or floemark-shot's PPM)
//                                   differ from the shot's at X, Y; only the picture's opaque
//                                   pixels count, and with SCALE only those on the console's
//                                   body drawn at that scale (the desktop shows round it)
//   screens                         the screens Qt sees on $DISPLAY: "WxH+X+Y", the primary
//                                   one marked, one a line
#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <QScreen>
#include <QTransform>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "drawing/pictures.h"
#include "lcd.h"
#include "panel/layout.h"

// After the panel's headers: the X headers define None, Cursor and Status as macros.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace floemark;

struct Sample {
  int x, y;
  QRgb colour;
};

// Pixels of a window's own picture, every few pixels, where nothing else is ever drawn over it.
struct Template {
  QPoint offset;  // of the picture in the window's client area
  QSize size;
  std::vector<Sample> samples;
};

Template SplashTemplate() {
  // Im_Piccina lies at 24, 56 of the splash and is drawn at its natural size.
  const QImage picture = drawing::LoadAsset(QStringLiteral("Im_Piccina.jpg"));
  Template t{{24, 56}, picture.size(), {}};
  for (int y = 2; y < picture.height(); y += 5)
    for (int x = 2; x < picture.width(); x += 5) t.samples.push_back({x, y, picture.pixel(x, y)});
  return t;
}

Template ConsoleTemplate() {
  // The photograph where no other component can ever cover it, inside the console's outline.
  const QImage photo = drawing::LoadAsset(QStringLiteral("Im_Base.jpg"));
  const QRegion body = drawing::PanelPictures::FromResources().Body();
  QRegion covered;
  for (int c = 1; c < panel::kComponentCount; ++c) {
    const auto& r = panel::Info(static_cast<panel::Component>(c)).rect;
    covered += QRect(r.left, r.top, r.width, r.height);
  }
  Template t{{0, 0}, photo.size(), {}};
  for (int y = 3; y < photo.height(); y += 6)
    for (int x = 3; x < photo.width(); x += 6)
      if (body.contains(QPoint(x, y)) && !covered.contains(QPoint(x, y)))
        t.samples.push_back({x, y, photo.pixel(x, y)});
  return t;
}

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= 24 && std::abs(qGreen(a) - qGreen(b)) <= 24 &&
         std::abs(qBlue(a) - qBlue(b)) <= 24;
}

// The place where (nearly) every sample matches; at most one in twenty may miss (the mouse
// pointer may lie over the picture).
std::optional<QPoint> Find(const QImage& shot, const Template& t) {
  const int allowed = static_cast<int>(t.samples.size() / 20);
  std::optional<QPoint> best;
  int bestMisses = allowed + 1;
  for (int y = 0; y + t.size.height() <= shot.height(); ++y) {
    for (int x = 0; x + t.size.width() <= shot.width(); ++x) {
      int misses = 0;
      for (const Sample& s : t.samples) {
        const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y + s.y));
        if (!Near(line[x + s.x], s.colour) && ++misses >= bestMisses) break;
      }
      if (misses < bestMisses) {
        bestMisses = misses;
        best = QPoint(x, y) - t.offset;
      }
    }
  }
  return best;
}

QImage Load(const char* path) {
  QImage image(QString::fromLocal8Bit(path));
  if (image.isNull()) {
    std::fprintf(stderr, "floemark-e2e-screen: cannot read %s\n", path);
    std::exit(2);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

int Grab(const char* out) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "floemark-e2e-screen: no display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* x =
      XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!x) return 2;
  QImage image(attributes.width, attributes.height, QImage::Format_RGB32);
  for (int y = 0; y < attributes.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int i = 0; i < attributes.width; ++i)
      line[i] = static_cast<QRgb>(XGetPixel(x, i, y) & 0xffffff) | 0xff000000u;
  }
  XDestroyImage(x);
  XCloseDisplay(display);
  return image.save(QString::fromLocal8Bit(out), "PNG") ? 0 : 2;
}

QRect RectArg(char** argv) {
  return QRect(std::atoi(argv[0]), std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "grab" && argc == 3) return Grab(argv[2]);
  // Qt only reads pictures here, except for "screens", which asks the X server of $DISPLAY.
  if (command != "screens") qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (command == "screens") {
    for (const QScreen* s : QGuiApplication::screens()) {
      const QRect g = s->geometry();
      std::printf("%dx%d+%d+%d%s\n", g.width(), g.height(), g.x(), g.y(),
                  s == QGuiApplication::primaryScreen() ? " primary" : "");
    }
    return 0;
  }
  if (command == "find" && argc == 4) {
    const std::string what = argv[3];
    const Template t = what == "splash" ? SplashTemplate() : ConsoleTemplate();
    const auto at = Find(Load(argv[2]), t);
    if (!at) return 1;
    std::printf("%d %d\n", at->x(), at->y());
    return 0;
  }
  if (command == "lcd" && argc == 6) {
    e2e::Lcd lcd(nullptr, 0, argv[5]);
    const QImage shot = Load(argv[2]);
    lcd.Read(shot.copy(std::atoi(argv[3]), std::atoi(argv[4]), panel::kConsoleWidth,
                       panel::kConsoleHeight));
    std::printf("%s\n", lcd.Describe().c_str());
    return 0;
  }
  if (command == "differ" && argc == 8) {
    const QImage a = Load(argv[2]), b = Load(argv[3]);
    const QRect r = RectArg(argv + 4);
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    std::printf("%d\n", n);
    return 0;
  }
  if (command == "within" && (argc == 6 || argc == 7)) {
    const QImage shot = Load(argv[2]);
    const QPoint at(std::atoi(argv[3]), std::atoi(argv[4]));
    const QImage picture =
        QImage(QString::fromLocal8Bit(argv[5])).convertToFormat(QImage::Format_ARGB32);
    if (shot.isNull() || picture.isNull()) return 2;
    QRegion body(picture.rect());
    if (argc == 7) {
      const qreal scale = std::atof(argv[6]);
      const QRegion outline = drawing::PanelPictures::FromResources().Body();
      if (!outline.isEmpty()) body = QTransform::fromScale(scale, scale).map(outline);
    }
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb p = picture.pixel(x, y);
        if (qAlpha(p) != 255 || !body.contains(QPoint(x, y))) continue;
        n += !shot.rect().contains(at + QPoint(x, y)) ||
             (shot.pixel(at + QPoint(x, y)) & 0xffffff) != (p & 0xffffff);
      }
    std::printf("%d\n", n);
    return 0;
  }
  if (command == "outside" && argc == 7) {
    const QImage shot = Load(argv[2]);
    const QRect r = RectArg(argv + 3);
    const QRgb plain = shot.pixel(0, 0);
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) n += !r.contains(x, y) && shot.pixel(x, y) != plain;
    std::printf("%d\n", n);
    return 0;
  }
  std::fprintf(stderr,
               "usage: floemark-e2e-screen grab|find|lcd|differ|within|outside|screens ...\n");
  return 2;
}
