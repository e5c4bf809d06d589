// floemark-e2e-probe WINDOW X Y W H: reads a rectangle of a window's pixels from the X server and
// prints a checksum of them and their mean brightness (0..255), so that a test script can see
// a part of the console change. WINDOW is an X window id, decimal or 0x hex.
// floemark-e2e-probe WINDOW X Y W H EXPECTED.ppm: prints instead how many pixels of the rectangle
// differ from the same rectangle of a binary PPM picture (the panel as floemark-shot draws it),
// counting only the pixels inside the window's shape: outside it the desktop shows through.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A binary PPM (P6, maxval 255) as 0xRRGGBB values; empty when it can't be read.
struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned long> rgb;
};

Picture ReadPpm(const char* path) {
  Picture p;
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxval = 0;
  in >> magic >> p.width >> p.height >> maxval;
  in.get();
  if (!in || magic != "P6" || maxval != 255) return {};
  std::vector<unsigned char> bytes(std::size_t(p.width) * std::size_t(p.height) * 3);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!in) return {};
  for (std::size_t i = 0; i < bytes.size(); i += 3)
    p.rgb.push_back(bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]);
  return p;
}

// Whether each pixel of the window's w x h rectangle at x, y lies inside its bounding shape (all of
// them for a window that has none).
std::vector<bool> InsideShape(Display* display, Window window, int x, int y, unsigned w,
                              unsigned h) {
  int event_base = 0, error_base = 0, count = 0, ordering = 0;
  if (!XShapeQueryExtension(display, &event_base, &error_base))
    return std::vector<bool>(std::size_t(w) * h, true);
  XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
  std::vector<bool> inside(std::size_t(w) * h, false);
  for (int r = 0; r < count; ++r) {
    for (int j = std::max(0, rects[r].y - y);
         j < std::min(int(h), rects[r].y + rects[r].height - y); ++j)
      for (int i = std::max(0, rects[r].x - x);
           i < std::min(int(w), rects[r].x + rects[r].width - x); ++i)
        inside[std::size_t(j) * w + std::size_t(i)] = true;
  }
  if (rects) XFree(rects);
  return inside;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 && argc != 7) {
    std::fprintf(stderr, "usage: floemark-e2e-probe WINDOW X Y W H [EXPECTED.ppm]\n");
    return 2;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
  const unsigned w = std::strtoul(argv[4], nullptr, 10), h = std::strtoul(argv[5], nullptr, 10);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "floemark-e2e-probe: no display\n");
    return 1;
  }
  XImage* image = XGetImage(display, window, x, y, w, h, AllPlanes, ZPixmap);
  if (!image) {
    std::fprintf(stderr, "floemark-e2e-probe: cannot read the window\n");
    XCloseDisplay(display);
    return 1;
  }
  if (argc == 7) {
    const Picture expected = ReadPpm(argv[6]);
    if (expected.rgb.empty() || x + int(w) > expected.width || y + int(h) > expected.height) {
      std::fprintf(stderr, "floemark-e2e-probe: %s is no PPM that holds the rectangle\n", argv[6]);
      XDestroyImage(image);
      XCloseDisplay(display);
      return 1;
    }
    const std::vector<bool> inside = InsideShape(display, window, x, y, w, h);
    // A shape that hid most of the rectangle would make any comparison pass.
    if (std::count(inside.begin(), inside.end(), true) * 2 < long(inside.size())) {
      std::fprintf(stderr, "floemark-e2e-probe: the window's shape hides most of the rectangle\n");
      XDestroyImage(image);
      XCloseDisplay(display);
      return 1;
    }
    long differing = 0;
    for (unsigned j = 0; j < h; ++j) {
      for (unsigned i = 0; i < w; ++i) {
        if (!inside[std::size_t(j) * w + i]) continue;
        const unsigned long p = XGetPixel(image, int(i), int(j)) & 0xffffff;
        differing += p != expected.rgb[std::size_t(y + int(j)) * std::size_t(expected.width) +
                                       std::size_t(x + int(i))];
      }
    }
    std::printf("%ld\n", differing);
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
  }
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixel values
  double brightness = 0;
  for (unsigned j = 0; j < h; ++j) {
    for (unsigned i = 0; i < w; ++i) {
      const unsigned long p = XGetPixel(image, static_cast<int>(i), static_cast<int>(j));
      hash = (hash ^ (p & 0xffffff)) * 1099511628211ull;
      brightness += (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) / 3.0;
    }
  }
  std::printf("%016llx %d\n", static_cast<unsigned long long>(hash),
              static_cast<int>(brightness / (w * h)));
  XDestroyImage(image);
  XCloseDisplay(display);
  return 0;
}
