#pragma once
// The program icon: one vector drawing on a 32 x 32 grid in sixteen colours (fifteen and
// transparent), the handheld opened flat with the penguin on its left screen and the seal on
// its right one. Every bitmap size is rendered from the drawing with hard edges, so that each
// keeps the sixteen colours, and the same drawing is written as SVG for the icon theme.

#include <QByteArray>
#include <QImage>
#include <array>

namespace floemark::artgen {

// The sizes of the desktop's icon theme (hicolor), which the window icon uses as well.
inline constexpr std::array kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256, 512};

// A size x size picture in QImage::Format_Indexed8 with the icon's sixteen colours.
QImage DrawIcon(int size);
// The same drawing as an SVG document on its 32 x 32 grid.
QByteArray IconSvg();

}  // namespace floemark::artgen
