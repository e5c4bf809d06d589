#pragma once
// The handheld's windows were laid out in pixels for Arial and "MS Sans Serif". Liberation Sans
// has Arial's metrics, so every text fits its fixed label as designed; it also stands in for
// "MS Sans Serif", whose 11 px face is of the same width. Sizes are pixels, never points, so
// nothing grows with the desktop's text scale.

#include <QFont>

namespace floemark::app {

struct FontStyle {
  bool bold = false;
  bool underline = false;
};

QFont ArialFont(int pixelSize, FontStyle style = {});
QFont MsSansSerifFont(int pixelSize, FontStyle style = {});

// The program's default face: the windows' "MS Sans Serif" 11 px. Made the application's font
// once at start, so that what the windows do not set themselves (the popup menu, the tool tips,
// the error box) reads in the same face and not in whatever the desktop would pick.
QFont WindowFont();
void UseWindowFontEverywhere();

}  // namespace floemark::app
