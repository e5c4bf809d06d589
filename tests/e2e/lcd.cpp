#include "lcd.h"

#include <QColor>
#include <cstdio>

// After the panel's headers: the X headers define None, Cursor and Status as macros.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace floemark::e2e {
namespace {

using panel::Info;
using panel::kComponentCount;
using panel::PictureKind;

bool IsLcdSegment(int c) { return panel::IsLcdSegment(static_cast<Component>(c)); }

}  // namespace

const panel::SegmentTables& Tables() {
  static const panel::SegmentTables tables = [] {
    panel::SegmentTables t;
    t.Fill();
    return t;
  }();
  return tables;
}

Lcd::Lcd(XDisplay* display, XWindow window, const std::string& assets_dir)
    : display_(display),
      window_(window),
      segments_(kComponentCount),
      glyphs_(10),
      shown_(kComponentCount, false) {
  // Which segments may blacken each pixel, and the topmost opaque segment over it.
  std::vector<QImage> pictures(kComponentCount);
  std::vector<std::vector<int>> black_owners(panel::kConsoleWidth * panel::kConsoleHeight);
  for (int c = 0; c < kComponentCount; ++c) {
    const auto& info = Info(static_cast<Component>(c));
    if (info.kind != PictureKind::Bitmap1) continue;
    const std::string path = assets_dir + "/" + std::string(info.name) + ".bmp";
    pictures[c] = QImage(QString::fromStdString(path));
    if (pictures[c].isNull()) {
      std::fprintf(stderr, "lcd: cannot read %s\n", path.c_str());
      continue;
    }
    if (!IsLcdSegment(c)) continue;
    for (int y = 0; y < pictures[c].height(); ++y)
      for (int x = 0; x < pictures[c].width(); ++x)
        if (qGray(pictures[c].pixel(x, y)) < 128)
          black_owners[(info.rect.top + y) * panel::kConsoleWidth + info.rect.left + x].push_back(
              c);
  }
  for (int c = 0; c < kComponentCount; ++c) {
    if (pictures[c].isNull()) continue;
    const auto& info = Info(static_cast<Component>(c));
    if (!IsLcdSegment(c)) {
      if (c >= panel::Im_Num0 && c <= panel::Im_Num9) {
        for (int y = 0; y < pictures[c].height(); ++y)
          for (int x = 0; x < pictures[c].width(); ++x)
            if (qGray(pictures[c].pixel(x, y)) < 128) glyphs_[c - panel::Im_Num0].push_back({x, y});
      }
      continue;
    }
    std::vector<std::pair<int, int>> exclusive, fallback;
    for (int y = 0; y < pictures[c].height(); ++y) {
      for (int x = 0; x < pictures[c].width(); ++x) {
        if (qGray(pictures[c].pixel(x, y)) >= 128) continue;
        const int wx = info.rect.left + x, wy = info.rect.top + y;
        if (black_owners[wy * panel::kConsoleWidth + wx].size() != 1) continue;
        fallback.push_back({wx, wy});
        // An opaque segment above paints its white over this pixel when it shows.
        bool covered = false;
        for (int o = c + 1; o < kComponentCount && !covered; ++o) {
          const auto& above = Info(static_cast<Component>(o));
          covered = IsLcdSegment(o) && !above.transparent && above.rect.Contains(wx, wy);
        }
        if (!covered) exclusive.push_back({wx, wy});
      }
    }
    segments_[c].probes = exclusive.size() >= 4 ? exclusive : fallback;
    if (segments_[c].probes.empty())
      std::fprintf(stderr, "lcd: %s has no pixel of its own\n", std::string(info.name).c_str());
  }
}

bool Lcd::Grab() {
  XImage* x = XGetImage(display_, window_, 0, 0, panel::kConsoleWidth, panel::kConsoleHeight,
                        AllPlanes, ZPixmap);
  if (!x) return false;
  QImage image(panel::kConsoleWidth, panel::kConsoleHeight, QImage::Format_RGB32);
  for (int y = 0; y < panel::kConsoleHeight; ++y)
    for (int i = 0; i < panel::kConsoleWidth; ++i)
      image.setPixel(i, y, static_cast<QRgb>(XGetPixel(x, i, y) & 0xffffff) | 0xff000000u);
  XDestroyImage(x);
  Read(image);
  return true;
}

void Lcd::Read(const QImage& console) {
  image_ = console.convertToFormat(QImage::Format_RGB32);
  for (int c = 0; c < kComponentCount; ++c) {
    const auto& probes = segments_[c].probes;
    if (probes.empty()) {
      shown_[c] = false;
      continue;
    }
    std::size_t dark = 0;
    for (auto [px, py] : probes) dark += Dark(px, py);
    shown_[c] = dark * 10 >= probes.size() * 8;
  }
}

bool Lcd::Dark(int x, int y) const { return qGray(image_.pixel(x, y)) < 96; }

int Lcd::Digit(Component slot) const {
  const auto& r = Info(slot).rect;
  int dark = 0;
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) dark += Dark(r.left + x, r.top + y);
  if (dark == 0) return -1;
  int best = -2, best_misses = 1 << 30;
  for (int d = 0; d < 10; ++d) {
    std::vector<bool> glyph(r.width * r.height, false);
    for (auto [gx, gy] : glyphs_[d])
      if (gx < r.width && gy < r.height) glyph[gy * r.width + gx] = true;
    int misses = 0;
    for (int y = 0; y < r.height; ++y)
      for (int x = 0; x < r.width; ++x)
        misses += glyph[y * r.width + x] != Dark(r.left + x, r.top + y);
    if (misses < best_misses) best_misses = misses, best = d;
  }
  return best_misses <= 4 ? best : -2;
}

int Lcd::Score(int screen, int player) const {
  const auto& places = Tables().ScoreSlots[screen][player];
  const int tens = Digit(places[1]), units = Digit(places[2]);
  if (tens == -2 || units == -2) return -2;
  if (units == -1) return tens == -1 ? -1 : -2;
  return (tens < 0 ? 0 : tens * 10) + units;
}

int Lcd::Position(int player) const {
  int found = 0;
  for (int pos = 1; pos <= 5; ++pos) {
    if (!shown_[Tables().CharSegments[player][pos][0]]) continue;
    if (found) return -1;
    found = pos;
  }
  return found;
}

std::vector<std::pair<int, int>> Lcd::Bombs() const {
  std::vector<std::pair<int, int>> bombs;
  for (int lane = 2; lane <= 4; ++lane)
    for (int cell = 1; cell <= 10; ++cell)
      if (shown_[Tables().BombSegments[lane][cell]]) bombs.push_back({lane, cell});
  return bombs;
}

bool Lcd::Exploded() const {
  using namespace panel;
  for (Component c : {Im_P_Bang, Im_S_Bang, Im_P_DieP, Im_P_DieS, Im_S_DieP, Im_S_DieS})
    if (shown_[c]) return true;
  return false;
}

std::vector<Component> Lcd::Visible() const {
  std::vector<Component> v;
  for (int c = 0; c < kComponentCount; ++c)
    if (shown_[c]) v.push_back(static_cast<Component>(c));
  return v;
}

std::string Lcd::ScreenPixels() const {
  std::string s;
  for (Component screen : {panel::Im_ScreenLeft, panel::Im_ScreenRight}) {
    const auto& r = Info(screen).rect;
    for (int y = r.top; y < r.top + r.height; ++y)
      for (int x = r.left; x < r.left + r.width; ++x)
        s.push_back(static_cast<char>(qGray(image_.pixel(x, y))));
  }
  return s;
}

std::string Lcd::Describe() const {
  char head[96];
  std::snprintf(head, sizeof head, "P=%d %d S=%d %d pos=%d %d |", Score(1, 1), Score(1, 2),
                Score(2, 1), Score(2, 2), Position(1), Position(2));
  std::string s = head;
  for (Component c : Visible()) s += " " + std::string(Info(c).name);
  return s;
}

}  // namespace floemark::e2e
