#pragma once
// Writes 1-bit and 8-bit palette pictures as Windows bitmaps, byte for byte the same on every
// run: the row padding is zero, where Qt's own writer leaves whatever its buffer held.

#include <QByteArray>
#include <QImage>

namespace floemark::artgen {

// The bitmap file of a Format_Mono or Format_Indexed8 picture with its whole colour table;
// an empty array for any other format.
QByteArray EncodeBmp(const QImage& img);

}  // namespace floemark::artgen
