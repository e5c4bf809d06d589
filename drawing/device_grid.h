#pragma once
// Puts a picture drawn at one density onto the pixel grid of a screen of another. Each device
// pixel takes the mean of the dots of the picture it covers: a smooth reduction for a smaller
// ratio, an exact copy or enlargement for a whole one. A 1-bit picture stays 1-bit, a device
// pixel black when at least half of it is, so that an LCD segment keeps crisp edges at any
// ratio, and a palette picture (a printed screen) keeps its flat colours, each device pixel
// taking the colour that covers most of it. Pure functions of their arguments; any thread.

#include <QImage>
#include <QRect>

#include "panel/layout.h"

namespace floemark::drawing {

// The device pixels that a rectangle of pixels covers on a screen of `ratio` device pixels per
// pixel: those whose centres lie inside it. Neighbouring rectangles share no device pixel and
// leave none between them.
QRect DeviceRect(const panel::Rect& r, qreal ratio);

// `source` is the picture of a component at `place`, drawn at `scale` dots per pixel; the
// result covers DeviceRect(place, ratio). A Format_Mono source gives a Format_Mono result with
// its colour table, a Format_Indexed8 one a Format_Indexed8 result with its palette, any other
// an RGB32 one.
QImage Resample(const QImage& source, int scale, const panel::Rect& place, qreal ratio);

}  // namespace floemark::drawing
