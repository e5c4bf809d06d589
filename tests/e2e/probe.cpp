// floemark-e2e-probe WINDOW X Y W H: reads a rectangle of a window's pixels from the X server and
// prints a checksum of them and their mean brightness (0..255), so that a test script can see
// a part of the console change. WINDOW is an X window id, decimal or 0x hex.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: floemark-e2e-probe WINDOW X Y W H\n");
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
