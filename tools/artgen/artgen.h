#pragma once
// The drawings behind every picture of the program. Each function returns the picture at its
// exact size; main.cpp writes it in its file format (1-bit or 8-bit BMP, baseline JPEG, PNG).

#include <QImage>

#include "panel/layout.h"

namespace floemark::artgen {

// LCD (lcd_*.cpp): a segment or digit glyph as a QImage::Format_Mono picture of the
// component's size times `scale`, colour 0 black and colour 1 white (transparent segments) or
// LCD grey BEBEBE (opaque ones).
QImage DrawSegment(panel::Component c, int scale = 1);
// The blank LCD of a screen (seal = right screen), Format_Indexed8 with a 256-entry palette.
QImage DrawScreenBackground(bool seal, int scale = 1);

// Photographs (photo_*.cpp), all Format_RGB32 at their exact sizes times `scale`, drawn at that
// scale (finer grain and detail, never an enlarged scale-1 picture).
QImage DrawConsolePhoto(int scale = 1);  // Im_Base, 741 x 388
// Im_Base's outline, 741 x 388 Format_Mono: colour 0 black on the console (hinge included),
// colour 1 white around it, where a desktop shows through the window.
QImage DrawConsoleOutline();
QImage DrawKeyIndicator(panel::Component key, int scale = 1);     // Puls_PenguinAttack .. SealRight
QImage DrawSwitchPicture(panel::Component which, int scale = 1);  // Puls_On or Puls_Off, 28 x 28
QImage DrawSplashPicture(int scale = 1);  // Im_Piccina, 200 x 141: the handheld in its box
QImage DrawAboutPhoto(int scale = 1);     // Im_Foto, 252 x 84
QImage DrawIcon(int size);                // program icon, 16 or 32

}  // namespace floemark::artgen
