#pragma once
// Shared tools of the photographs: grain, brushed metal, print fonts and the console render that
// the photo, the key indicators and the switch pictures are all cut from.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <cstdint>

namespace floemark::artgen::photo {

// A pure function of its arguments, so that two drawings of the same place get the same grain.
std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed);

// Adds luminance grain of +-amplitude to every pixel of area; the grain is keyed to the pixel's
// position relative to origin, so equal parts drawn at different places can carry equal grain.
void AddGrain(QImage& img, const QRect& area, QPoint origin, int amplitude, std::uint32_t seed);

// Value noise in -1..1 that changes smoothly along x over `cell` pixels and freely across y:
// the long thin streaks of brushed metal and of wood grain.
double Streak(int x, int y, int cell, std::uint32_t seed);

// The four corners of a picture of the given size, clockwise from the top left, for
// QTransform::quadToQuad (which wants exactly four points, not a closed polygon).
QPolygonF CornersOf(const QImage& img);

// Mixes a slight blur into the picture: a lens never draws an edge as sharp as a rasteriser.
void Soften(QImage& img, double amount);

// A brushed aluminium surface of the given size in pixels, at `scale` dots per pixel (and that
// device pixel ratio): horizontal streaks over a soft sheen.
QImage BrushedMetal(int width, int height, QColor base, std::uint32_t seed, int scale = 1);

// The printing typeface: named explicitly so that every machine draws the same letters.
QFont PrintFont(qreal pixelSize, bool bold, qreal letterSpacing = 0);

// Draws text centred on (cx, baseline).
void PrintCentred(QPainter& p, qreal cx, qreal baseline, const QString& text);

// The state of the console's moving parts in one render.
struct ConsoleState {
  bool keysPressed = true;  // the photograph shows every key pushed in
  bool powerOn = false;     // knob of POWER to the right
  bool twoPlayers = false;  // knob of SELECT to the right
  bool soundOff = false;    // knob of SOUND to the right
  bool lcdContent = false;  // draw game figures on the LCDs (small product shots)
  bool cutout = false;      // transparent around the body and no grain (small product shots)
  int scale = 1;            // dots per pixel
};

// A rectangle of pixels as the dots that cover it at `scale`.
inline QRect Dots(const QRect& r, int scale) {
  return QRect(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
}

// The whole 741 x 388 console (times its scale), every picture of the panel is cut from one of
// these.
QImage RenderConsole(const ConsoleState& state);

// Parts of the console, drawn in console coordinates (photo_parts.cpp).
void DrawKey(QPainter& p, const QRect& r, bool pressed);
void DrawKeyLabel(QPainter& p, const QRect& r, int arrow);  // arrow -1 left, +1 right, 0 attack
void DrawSwitchPlate(QPainter& p);
void DrawSwitch(QPainter& p, QPoint cell, bool knobRight);
void DrawScreenWindow(QPainter& p, const QRect& lcd, QColor accent);
void DrawSpeaker(QPainter& p, const QRectF& area);
void DrawLcdDemo(QPainter& p, const QRect& lcd, bool seal);
void DrawFaceplatePrinting(QPainter& p);  // photo_print.cpp

// Scales down in halving steps, which keeps fine detail smooth rather than aliased.
QImage ShrinkTo(const QImage& src, int width, int height);

}  // namespace floemark::artgen::photo
