// The blank LCD of each screen with its printed background: a thin frame, a faintly tinted band
// of open sea with the far ice floes on its horizon, the edge of the floe the players stand on,
// and the names over the scores. The printing keeps clear of every place where an opaque segment
// lies (the vulture's flight along the top, the raised arms, the carried and stacked ice), since
// an opaque segment hides what is under its rectangle with plain LCD grey.
#include <string>
#include <vector>

#include "tools/artgen/artgen.h"
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

// Capital letters three to four pixels wide and five high, as printed on the case.
struct Letter {
  char c;
  std::vector<const char*> rows;
};
const Letter kLetters[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'E', {"###", "#..", "##.", "#..", "###"}},
    {'G', {"###", "#..", "#.#", "#.#", "###"}}, {'I', {"#", "#", "#", "#", "#"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}}, {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}}, {'S', {"###", "#..", "###", "..#", "###"}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
};

void Fill(QImage& img, int x, int y, int w, int h, Ink ink) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) img.setPixel(i, j, ink);
  }
}

int TextWidth(const char* text) {
  int w = -1;
  for (const char* t = text; *t; ++t) {
    for (const Letter& l : kLetters) {
      if (l.c == *t) w += int(std::char_traits<char>::length(l.rows[0])) + 1;
    }
  }
  return w;
}

void Print(QImage& img, int x, int y, const char* text) {
  for (const char* t = text; *t; ++t) {
    for (const Letter& l : kLetters) {
      if (l.c != *t) continue;
      for (int j = 0; j < 5; ++j) {
        for (int i = 0; l.rows[j][i] != '\0'; ++i) {
          if (l.rows[j][i] == '#') img.setPixel(x + i, y + j, kLabel);
        }
      }
      x += int(std::char_traits<char>::length(l.rows[0])) + 1;
    }
  }
}

}  // namespace

QImage DrawScreenBackground(bool seal) {
  QImage img(kWidth, kHeight, QImage::Format_Indexed8);
  img.setColorTable(Palette());
  img.fill(kLcd);
  Fill(img, 0, 0, kWidth, 1, kFrame);
  Fill(img, 0, kHeight - 1, kWidth, 1, kFrame);
  Fill(img, 0, 0, 1, kHeight, kFrame);
  Fill(img, kWidth - 1, 0, 1, kHeight, kFrame);

  Fill(img, 1, kSeaTop, kWidth - 2, kHorizonRow - kSeaTop, kSea);
  Fill(img, 1, kHorizonRow, kWidth - 2, 1, kHorizon);
  for (const Floe& f : kFarFloes) {
    // The seal's screen continues the view the other way round.
    const int x = seal ? kWidth - 1 - f.x - f.width : f.x;
    for (int j = 1; j <= f.height; ++j) {
      const int inset = j - 1;
      Fill(img, x + inset, kHorizonRow - j, f.width - 2 * inset, 1, kFarFloe);
    }
  }

  // The edge of the floe under the players' feet (the seal's screen sits two rows lower in its
  // frame), and a broken line of the ice face below it.
  const int floe = seal ? 113 : 111;
  Fill(img, 1, floe, kWidth - 2, 1, kHorizon);
  for (int x = 25; x < 157; x += 9) Fill(img, x, floe + 2, 5, 1, kFloeEdge);
  if (!seal) {
    // A shelf of ice at the penguin's supply end: the penguin at position 1 and the supply
    // block stand higher in the screen than the penguin in the lanes, and stand on it.
    constexpr int kShelf = 104, kShelfEnd = 44;
    Fill(img, 1, kShelf, kShelfEnd - 1, 1, kFloeEdge);
    Fill(img, kShelfEnd - 1, kShelf, 1, floe - kShelf, kFloeEdge);
  }

  // The names over the score places: the seal's score at the left, the penguin's at the right.
  const int label = floe == 111 ? 114 : 115;
  Print(img, 4, label, "SEAL");
  Print(img, 188 - TextWidth("PENGUIN"), label, "PENGUIN");
  return img;
}

}  // namespace floemark::artgen
