// The blank LCD of each screen with its printed background: a thin frame, a faintly tinted band
// of open sea with the far ice floes on its horizon, the edge of the floe the players stand on,
// a shelf of ice at the supply end, and the names over the scores. The printing keeps clear of
// every place where an opaque segment lies (the vulture's flight along the top, the raised arms,
// the carried and stacked ice), since an opaque segment hides what is under its rectangle with
// plain LCD grey. Each ink is drawn as shapes on a canvas of its own and laid over the blank
// LCD in turn, so that the print is as sharp at every scale.
#include <vector>

#include "tools/artgen/artgen.h"
#include "tools/artgen/lcd_canvas.h"
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

namespace {

constexpr int kWidth = 191, kHeight = 136;

enum Ink : uchar {
  kLcd = 0,  // the blank LCD, BEBEBE
  kSea = 1,  // the middle band, BEBEC5
  kFrame = 2,
  kHorizon = 3,
  kLabel = 4,
  kFloeEdge = 5,
  kFarFloe = 6,
};

QList<QRgb> Palette() {
  // A full table of 256 colours keeps the file an 8-bit bitmap.
  QList<QRgb> p(256, qRgb(0, 0, 0));
  p[kLcd] = qRgb(0xBE, 0xBE, 0xBE);
  p[kSea] = qRgb(0xBE, 0xBE, 0xC5);
  p[kFrame] = qRgb(0x9A, 0xA0, 0xAB);
  p[kHorizon] = qRgb(0x93, 0xA4, 0xB6);
  p[kLabel] = qRgb(0x6E, 0x7C, 0x90);
  p[kFloeEdge] = qRgb(0xA2, 0xAE, 0xBB);
  p[kFarFloe] = qRgb(0xCC, 0xD2, 0xDA);
  return p;
}

// Rows of the band and its horizon, free of opaque segments on both screens.
constexpr int kSeaTop = 33, kHorizonRow = kScreenHorizonRow;
// The far floes sitting on the horizon: left edge, width and height in pixels.
struct Floe {
  int x, width, height;
};
constexpr Floe kFarFloes[] = {{9, 14, 2},   {41, 7, 1},  {63, 19, 3}, {101, 9, 2},
                              {128, 16, 2}, {160, 6, 1}, {174, 11, 2}};

// Capital letters three to four pixels wide and five high, as printed on the case: strokes a
// pixel wide through pixel centres, corners rounded by a curve through the corner's centre, so
// that at scale 1 they fill the pixels of a 3 x 5 type and at a larger scale read as type.
struct Stroke {
  Pt a, k, b;  // a straight stroke when k == a
};
struct Letter {
  char c;
  int width;
  std::vector<Stroke> strokes;
};
Stroke L(double ax, double ay, double bx, double by) { return {{ax, ay}, {ax, ay}, {bx, by}}; }
Stroke C(double ax, double ay, double kx, double ky, double bx, double by) {
  return {{ax, ay}, {kx, ky}, {bx, by}};
}
const Letter kLetters[] = {
    {'A',
     3,
     {L(.5, 4.5, .5, 1.5), L(.5, 1.5, 1.5, .5), L(1.5, .5, 2.5, 1.5), L(2.5, 1.5, 2.5, 4.5),
      L(.5, 2.5, 2.5, 2.5)}},
    {'E', 3, {L(.5, .5, .5, 4.5), L(.5, .5, 2.5, .5), L(.5, 2.5, 1.5, 2.5), L(.5, 4.5, 2.5, 4.5)}},
    {'G',
     3,
     {L(2.5, .5, 1.5, .5), C(1.5, .5, .5, .5, .5, 1.5), L(.5, 1.5, .5, 3.5),
      C(.5, 3.5, .5, 4.5, 1.5, 4.5), C(1.5, 4.5, 2.5, 4.5, 2.5, 3.5), L(2.5, 3.5, 2.5, 2.5),
      L(2.5, 2.5, 2.1, 2.5)}},
    {'I', 1, {L(.5, .5, .5, 4.5)}},
    {'L', 3, {L(.5, .5, .5, 4.5), L(.5, 4.5, 2.5, 4.5)}},
    {'N', 4, {L(.5, .5, .5, 4.5), L(3.5, .5, 3.5, 4.5), L(.5, .5, 3.5, 3.5)}},
    // The bowl closes on the stem, or the P reads as an F.
    {'P',
     3,
     {L(.5, .5, .5, 4.5), L(.5, .5, 1.5, .5), C(1.5, .5, 2.5, .5, 2.5, 1.5),
      C(2.5, 1.5, 2.5, 2.5, 1.5, 2.5), L(1.5, 2.5, .5, 2.5)}},
    {'S',
     3,
     {L(2.5, .5, 1.5, .5), C(1.5, .5, .5, .5, .5, 1.5), C(.5, 1.5, .5, 2.5, 1.5, 2.5),
      C(1.5, 2.5, 2.5, 2.5, 2.5, 3.5), C(2.5, 3.5, 2.5, 4.5, 1.5, 4.5), L(1.5, 4.5, .5, 4.5)}},
    {'U',
     3,
     {L(.5, .5, .5, 3.5), C(.5, 3.5, .5, 4.5, 1.5, 4.5), C(1.5, 4.5, 2.5, 4.5, 2.5, 3.5),
      L(2.5, 3.5, 2.5, .5)}},
};

const Letter* Find(char c) {
  for (const Letter& l : kLetters) {
    if (l.c == c) return &l;
  }
  return nullptr;
}

int TextWidth(const char* text) {
  int w = -1;
  for (const char* t = text; *t; ++t) {
    if (const Letter* l = Find(*t)) w += l->width + 1;
  }
  return w;
}

void Print(Canvas& ink, int x, int y, const char* text) {
  for (const char* t = text; *t; ++t) {
    const Letter* l = Find(*t);
    if (!l) continue;
    ink.SetPlace({double(x), double(y)});
    for (const Stroke& s : l->strokes) {
      if (s.k.x == s.a.x && s.k.y == s.a.y) {
        ink.Line(s.a, s.b, 1);
      } else {
        ink.Curve(s.a, s.k, s.b, 1);
      }
    }
    x += l->width + 1;
  }
  ink.SetPlace({});
}

// A floe on the horizon, its sides falling a pixel for every row of its height.
void FarFloe(Canvas& ink, double x, double w, double h) {
  const double base = kHorizonRow;
  ink.Polygon({{x - 0.25, base},
               {x + w + 0.25, base},
               {x + w - h + 0.25, base - h},
               {x + h - 0.25, base - h}});
}

class Printer {
 public:
  explicit Printer(int scale)
      : scale_(scale), img_(kWidth * scale, kHeight * scale, QImage::Format_Indexed8) {
    img_.setColorTable(Palette());
    img_.fill(kLcd);
  }
  Canvas Layer() const { return Canvas(kWidth, kHeight, scale_); }
  // Lays the canvas's ink over what is printed so far.
  void Lay(const Canvas& ink, Ink colour) {
    for (int y = 0; y < ink.dotsHigh(); ++y) {
      for (int x = 0; x < ink.dotsWide(); ++x) {
        if (ink.DotAt(x, y)) img_.setPixel(x, y, colour);
      }
    }
  }
  QImage Take() { return std::move(img_); }

 private:
  int scale_;
  QImage img_;
};

}  // namespace

QImage DrawScreenBackground(bool seal, int scale) {
  Printer print(scale);
  Canvas frame = print.Layer();
  frame.Box(0, 0, kWidth, kHeight);
  frame.Box(1, 1, kWidth - 2, kHeight - 2, false);
  print.Lay(frame, kFrame);

  Canvas sea = print.Layer();
  sea.Box(1, kSeaTop, kWidth - 2, kHorizonRow - kSeaTop);
  print.Lay(sea, kSea);
  // The screens stand side by side and show one view: the seal's continues it the other way.
  auto across = [seal](double x, double w) { return seal ? kWidth - x - w : x; };
  Canvas far = print.Layer();
  for (const Floe& f : kFarFloes) FarFloe(far, across(f.x, f.width), f.width, f.height);
  print.Lay(far, kFarFloe);

  // The edge of the floe under the players' feet (the seal's screen sits two rows lower in its
  // frame), and a broken line of the ice face below it.
  const int floe = seal ? 113 : 111;
  Canvas lines = print.Layer();
  lines.Box(1, kHorizonRow, kWidth - 2, 1);
  lines.Box(1, floe, kWidth - 2, 1);
  print.Lay(lines, kHorizon);
  Canvas edge = print.Layer();
  for (int x = 25; x < 157; x += 9) edge.Box(x, floe + 2, 5, 1);
  // A shelf of ice at the supply end: the player at position 1 and the supply block stand
  // higher in the screen than the player in the lanes, and stand on it. The seal's shelf
  // stops short of the seal in the lane next to it.
  const int shelf = seal ? 106 : 104, shelfEnd = seal ? 151 : 43;
  const double from = seal ? shelfEnd : 1, to = seal ? kWidth - 1 : shelfEnd + 1;
  edge.Box(from, shelf, to - from, 1);
  edge.Box(shelfEnd, shelf, 1, floe - shelf);
  print.Lay(edge, kFloeEdge);

  // The names over the score places: the seal's score at the left, the penguin's at the right.
  const int label = seal ? 115 : 114;
  Canvas names = print.Layer();
  Print(names, 4, label, "SEAL");
  Print(names, 188 - TextWidth("PENGUIN"), label, "PENGUIN");
  print.Lay(names, kLabel);
  return print.Take();
}

}  // namespace floemark::artgen
